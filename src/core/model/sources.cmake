# Sources of the model subsystem: the in-memory model of the open project segment.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YClassFilter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTFItem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGZWItem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPitItem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YNearPrjItem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YSegmentModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YModelLoader.cpp
)
