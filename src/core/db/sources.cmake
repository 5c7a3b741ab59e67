# Sources of the db subsystem: the project file's schema, its connection and transactions,
# the record-set base and one record set per table.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DpKind.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YLogCodec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDLSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDatabase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YDpSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YFastStatement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YFieldExchange.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGchSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YGzwSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YLcSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YNearPrjSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPitSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPrjFDSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YPrjProSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YQitkSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YQtkSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRecordset.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YRowCache.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YSQXSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YSchema.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTdpSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTjExSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTjtsjSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTransaction.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTshlSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTsjsExSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTsjsSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YTsxsSet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YZzmjSet.cpp
)

# The record sets' fast statements call SQLite's C interface of this library directly; they
# use it on a connection only when the Qt driver runs the same version (YFastStatement).
find_package(SQLite3 REQUIRED)
target_link_libraries(${DALVEX_LAYER} PRIVATE SQLite::SQLite3)
