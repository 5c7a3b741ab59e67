# Sources of the import subsystem.
target_sources(dalvex_core PRIVATE
)
