# Sources of the neighbours subsystem.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YNearPrjList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPortLookup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPortPairSetup.cpp
)
