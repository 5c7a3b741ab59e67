# Sources of the document subsystem: the project document, its reactors and the open-project
# registry.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YReactor.h
    ${CMAKE_CURRENT_LIST_DIR}/YDocFrontEnd.h
    ${CMAKE_CURRENT_LIST_DIR}/CDalvexDoc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDocManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDocInfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDiagramTexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YLogPits.cpp
)
