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
    ${CMAKE_CURRENT_LIST_DIR}/VerbOptimize.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbCost.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YCliAllocSession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YCliArgs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YCliInputProject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YCliOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbImportEarthwork.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbImportProject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbImportLandXml.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbImportTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbExportTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbSetCoefficients.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbPreprocess.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbDemo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbReport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbDiagram.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerbMassHaul.cpp
)
# The sample road's text files, for dalvex-cli demo run from the build tree.
target_compile_definitions(dalvex-cli PRIVATE DALVEX_SOURCE_EXAMPLES="${CMAKE_SOURCE_DIR}/examples")

