# Sources of the reports subsystem (the spreadsheet tables). Empty for now: the layer exists so
# that its place in the order is fixed.
target_sources(${DALVEX_LAYER} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/YReportsLayer.cpp
)
