# Reusable widgets: the property grid and its item kinds.
target_sources(dalvex_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemBool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemDouble.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemInt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPropertyItemList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPropertyGrid.cpp
)
