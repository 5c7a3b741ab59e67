# Dialogs: about, preprocessing, data entry, segments, earthwork file format.
target_sources(dalvex_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CAboutDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPreprocessDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRangeCheck.cpp
)
