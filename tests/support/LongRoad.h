#pragma once

#include <QString>

// A long road shaped like the hard ones designers bring: cross-sections 20 m apart (20 000 of
// them make 400 km), cut and fill runs alternating every 100–2 000 m, soil/rock contents changing
// every 150–400 m, the road trough changing every 60–200 m, a crossable bridge every 50 km and no
// pits, so most surplus and need goes through local dump and local take. Fixed seed: the same
// road in every run.
namespace dalvex::test {

inline constexpr int kLongRoadSections = 20000;

// Writes the project file (input tables only, not preprocessed) at path: the first `sections`
// cross-sections of the road. False with a reason on stderr when it cannot.
[[nodiscard]] bool WriteLongRoad(const QString& path, int sections = kLongRoadSections);

} // namespace dalvex::test
