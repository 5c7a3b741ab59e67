# Sources of the process subsystem.
target_sources(dalvex_core PRIVATE
)
