# Sources of the compute subsystem.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YDocPreprocess.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPreprocessor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YSegmentCalc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTsjsRow.cpp
)
