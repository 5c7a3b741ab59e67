# Reusable widgets: the property grid and its item kinds, the dockable pane frame, the file
# chooser.
target_sources(dalvex_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemBool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemDouble.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemInt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPropertyGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YControlBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YFileChooser.cpp
)
