# Sources of dalvex-cli. Each verb is one file that registers itself.
target_sources(dalvex-cli PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YCliVerb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YCliApp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbVersion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbNew.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbInfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YCliProject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbSteps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbHistory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbAllocate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbAuto.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YCliAllocSession.cpp
)
