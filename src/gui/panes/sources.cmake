# Panes of the main frame that this folder provides: the allocation settings, the task list and
# the process list, the neighbouring projects.
target_sources(dalvex_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CDPCtrlPropertyItem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CDPCtrlPropertyItemManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCtrlBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCtrlReactor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDpGcReactor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDpGcView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDpTaskReactor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDpTaskView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YFractionTableView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YNearPrjListBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YNearProjectBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YNearProjectReactor.cpp
)
