# Sources of the reports subsystem: the workbook layer and the earthwork tables written with it.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YCellRef.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YXlsxBook.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YXlsxCells.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YXlsxPicture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTableOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/COutQQk.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YHaulTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YCalcTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YKmTables.cpp
)
target_link_libraries(${DALVEX_LAYER} PRIVATE PkgConfig::LIBZIP pugixml::pugixml)
