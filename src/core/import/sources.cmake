# Sources of the import subsystem.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TfFormat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YInputChecks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YInputTableDef.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YInputTableText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTextFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTfImport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTfReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRavelText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRavelProjectFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRavelComponents.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRavelImport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDocImport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YCrossSectionArea.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YLandXmlReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YLandXmlImport.cpp
)
target_link_libraries(${DALVEX_LAYER} PRIVATE pugixml::pugixml)
