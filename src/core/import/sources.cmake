# Sources of the import subsystem.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TfFormat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YInputChecks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YInputTableDef.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YInputTableText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTextFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTfImport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTfReader.cpp
)
