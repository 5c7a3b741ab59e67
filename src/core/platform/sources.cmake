# Sources of the platform subsystem: what stands in for the operating system's and the maker's
# services (user IO, configuration, profile, class records, GUID texts).
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YUserIO.h
    ${CMAKE_CURRENT_LIST_DIR}/YProgressThrottle.h
    ${CMAKE_CURRENT_LIST_DIR}/YConsoleUserIO.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YConf.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YProfile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YClassRegistry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGuid.cpp
)
