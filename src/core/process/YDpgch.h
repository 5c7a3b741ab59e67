#pragma once

#include "core/station/YStation.h"

#include <QString>

// One row of the haul statistics table (土方运量统计表): the stretch it stands for, the soil and
// rock moved (m³) with their haul distances (m), the neighbouring project's name for
// cross-project rows, and what the row is (0 haul, 1 borrow, 2 waste, 3 local waste, 4 local
// borrow, 5 out, 6 in).
struct YDpgch {
    YStation from;
    YStation to;
    double soil = 0.0;
    double rock = 0.0;
    double soilDistance = 0.0;
    double rockDistance = 0.0;
    QString desc;
    int kind = 0;
};
