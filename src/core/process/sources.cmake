# Sources of the process subsystem: process records, the log and its steps, history
# (undo / redo / purge), repair, clear and finish.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YDpStep.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YHaulExtras.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YStepReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YMidRowOps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YProcessLog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YProcessRecorder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRecordApplier.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YApplyBatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YUndoTasks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YHistory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRepair.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YClearAll.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YStepSummary.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YStretchStats.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YHaulExtrasLoader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YFinish.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YStatsTables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTaskList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YProcessList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YMassHaul.cpp
)
