// The LandXML reader on any bytes, and the arithmetic the import does on what it accepts.
#include "FuzzSupport.h"

#include "core/import/YCrossSectionArea.h"
#include "core/import/YInputLimits.h"
#include "core/import/YLandXmlImport.h"
#include "core/import/YLandXmlReader.h"

#include <cmath>

using namespace dalvex::fuzz;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = Bytes(data, size);
    const YLandXmlReadResult r = YLandXmlReader::Read(bytes);
    if (!r.Ok()) {
        // A refusal names a line of the file and says why.
        Require(r.nFailLine >= 1 && r.nFailLine <= bytes.count('\n') + bytes.count('\r') + 1,
                "failing line within the file");
        Require(!r.strReason.isEmpty(), "a reason");
        Require(r.alignments.empty(), "nothing read from a refused file");
        return 0;
    }
    for (const YLxAlignment& a : r.alignments) {
        for (size_t i = 0; i < a.sections.size(); ++i) {
            const YLxSection& s = a.sections[i];
            Require(YInputLimits::CheckStation(s.station).isEmpty(), "station in range");
            Require(i == 0 || s.station > a.sections[i - 1].station, "stations forward");
            Require(!s.cut || YInputLimits::CheckArea(*s.cut).isEmpty(), "cut in range");
            Require(!s.fill || YInputLimits::CheckArea(*s.fill).isEmpty(), "fill in range");
            for (const YLxSurface& ground : s.surfaces) {
                for (size_t k = 1; k < ground.points.size(); ++k) {
                    Require(ground.points[k].offset >= ground.points[k - 1].offset,
                            "offsets left to right");
                }
                for (const YLxSurface& design : s.surfaces) {
                    const YCutFill areas = YCrossSectionArea::Compute(ground.points, design.points);
                    Require(std::isfinite(areas.cut) && areas.cut >= 0.0, "cut finite, >= 0");
                    Require(std::isfinite(areas.fill) && areas.fill >= 0.0, "fill finite, >= 0");
                }
            }
        }
        const std::vector<double> radii = YLandXmlImport::Radii(a.profile);
        Require(radii.size() == a.profile.size(), "one radius a point");
        for (size_t i = 0; i < a.profile.size(); ++i) {
            Require(std::isfinite(radii[i]) && radii[i] >= 0.0, "radius finite, >= 0");
            Require(i == 0 || a.profile[i].station > a.profile[i - 1].station,
                    "profile stations forward");
            const auto e = YLandXmlImport::DesignElevation(a.profile, radii, a.profile[i].station);
            Require(e.has_value() && std::isfinite(*e), "elevation at every profile point");
        }
        (void)YLandXmlImport::GuessRoles(a);
    }
    return 0;
}
