# Sources of the neighbours subsystem.
target_sources(dalvex_core PRIVATE
)
