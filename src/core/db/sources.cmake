# Sources of the db subsystem.
target_sources(dalvex_core PRIVATE
)
