# Sources of the allocation subsystem.
target_sources(dalvex_core PRIVATE
)
