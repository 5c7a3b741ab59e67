# Sources of the model subsystem.
target_sources(dalvex_core PRIVATE
)
