# Sources of the allocation subsystem.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YDPCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPRule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPSettingsModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCalTool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPSkipIndex.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCalToolRuns.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPStepRun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCalHaul.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCalBorrow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCalWaste.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCalLocal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCalThickness.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCalCross.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPStrategyRegistry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPRangeSelect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPAutoAllocator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPCostModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDPOptimizer.cpp
)
# The optimiser's min-cost flow: LEMON's NetworkSimplex (header-only; the static library carries
# the few out-of-line parts of its graphs).
find_package(lemon CONFIG REQUIRED)
target_include_directories(${DALVEX_LAYER} SYSTEM PRIVATE ${LEMON_INCLUDE_DIRS})
target_link_libraries(${DALVEX_LAYER} PRIVATE ${LEMON_LIBRARIES})
# When a waste pit is full, its natural capacity over sources of different bulk is a side row
# of a linear programme: CLP (Debian coinor-libclp-dev).
find_package(PkgConfig REQUIRED)
pkg_check_modules(CLP REQUIRED IMPORTED_TARGET clp)
target_link_libraries(${DALVEX_LAYER} PRIVATE PkgConfig::CLP)
