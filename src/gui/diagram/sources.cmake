# The allocation diagram's windows: the view, its tools, the rulers and the overview.
target_sources(dalvex_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CDalvexView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CRulerBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPTool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YEyeReactor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YEyeWnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPanTool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YSelTool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YToolReactor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YZoomTools.cpp
)
