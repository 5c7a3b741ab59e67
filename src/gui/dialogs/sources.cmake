# Dialogs: about, preprocessing, data entry, segments, earthwork file format.
target_sources(dalvex_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CAboutDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyCustomTF.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDCDRSetDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGridDelegate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGridDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGridModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGzwDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YLcDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YOkCancel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPitDlgSetup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPreprocessDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPrjFDDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YQitkDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YQutkDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRangeCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YReadPropertyItemManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YReadTfDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YSQXDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YSelDPFDDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTshlDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTsxsDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YZzmjDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDvxjsBDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTsylBDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTemplateDlg.cpp
)
