# Sources of the neighbours subsystem.
target_sources(dalvex_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YPortLookup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPortPairSetup.cpp
)
