// 报表 (reports): the spreadsheet tables are written here. A static library needs at least one
// source; this one stays until the first table lands.
namespace dalvex::reports {
[[maybe_unused]] constexpr int kLayer = 0;
} // namespace dalvex::reports
