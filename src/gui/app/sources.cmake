# Application object, main frame, project windows and the frame's plumbing.
target_sources(dalvex_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CChildFrame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CDalvexApp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CMainFrame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YAllocCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDocCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YFormatMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGuiUserIO.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YMDIClientWnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRecentFileList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YReportCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YToolIcons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YViewCommands.cpp
)
