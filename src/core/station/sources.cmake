# Sources of the station subsystem.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YChainBreak.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YStation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YStationNumbering.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YStationText.cpp
)
