# Sources of the import subsystem.
target_sources(dalvex_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TfFormat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTfReader.cpp
)
