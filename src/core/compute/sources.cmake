# Sources of the compute subsystem.
target_sources(dalvex_core PRIVATE
)
