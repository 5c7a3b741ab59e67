# Sources of the reports subsystem.
target_sources(dalvex_core PRIVATE
)
