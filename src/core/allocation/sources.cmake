# Sources of the allocation subsystem.
target_sources(dalvex_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YDPRule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPSettingsModel.cpp
)
