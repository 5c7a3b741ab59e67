# Sources of the document subsystem.
target_sources(dalvex_core PRIVATE
)
