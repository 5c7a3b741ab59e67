# Sources of the station subsystem.
target_sources(dalvex_core PRIVATE
)
