target_sources(dalvex_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CMainFrame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGuiUserIO.cpp
)
