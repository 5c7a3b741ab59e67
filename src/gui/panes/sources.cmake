# Panes of the main frame that this folder provides: the allocation settings.
target_sources(dalvex_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CDPCtrlPropertyItem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CDPCtrlPropertyItemManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCtrlBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCtrlReactor.cpp
)
