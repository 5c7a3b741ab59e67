# Sources of the process subsystem: process records, the log and its steps, history
# (undo / redo / purge), repair, clear and finish.
target_sources(dalvex_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DpKind.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YLogCodec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDpStep.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YHaulExtras.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YStepReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDpgchs.cpp
)
