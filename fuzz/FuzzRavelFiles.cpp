// The readers of the road-design project files on any bytes: the project file, and each
// component file read with the numbering the project file gave.
#include "FuzzSupport.h"

#include "core/import/YInputLimits.h"
#include "core/import/YRavelComponents.h"
#include "core/import/YRavelProjectFile.h"

using namespace dalvex::fuzz;

namespace {

template <class T> bool Forward(const std::vector<T>& v) {
    for (size_t i = 1; i < v.size(); ++i) {
        if (!(v[i].dStation > v[i - 1].dStation)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartQt();
    return 0;
}

// The first byte chooses the reader; for a component file a project file with chain breaks
// gives the numbering, so stations cross breaks of both kinds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const QByteArray bytes = Bytes(data + 1, size - 1);
    YRavelProjectFile prj;
    if (data[0] % 4 == 0) {
        if (prj.Parse(bytes, QStringLiteral("/tmp"))) {
            Require(prj.ChainBreaks().size() == prj.Numbering().ChainBreakCount(), "every break");
        }
        return 0;
    }
    Require(prj.Parse("RavelPrj 1\n[桩号体系]\n断链=K1+000=K1+020\n断链=K2+000=K1+990\n", "/tmp"),
            "fixed project");
    const YStationNumbering& n = prj.Numbering();
    if (data[0] % 4 == 1) {
        YRavelEarthworkFile f;
        if (f.Parse(bytes, n)) {
            Require(Forward(f.Sections()), "sections forward");
            for (const YRavelSection& s : f.Sections()) {
                Require(YInputLimits::CheckStation(s.dStation).isEmpty() &&
                            YInputLimits::CheckArea(s.dCut).isEmpty() &&
                            YInputLimits::CheckArea(s.dFill).isEmpty() &&
                            YInputLimits::CheckHeight(s.dHeight).isEmpty(),
                        "section in range");
            }
        }
    } else if (data[0] % 4 == 2) {
        YRavelControlFile f;
        if (f.Parse(bytes, n)) {
            Require(Forward(f.Contents()), "contents forward");
            for (int list = 0; list < 2; ++list) {
                for (const YRavelStructure& s : f.Structures(list)) {
                    Require(s.dEnd > s.dStart, "structure has length");
                }
            }
        }
    } else {
        YRavelProfileFile f;
        if (f.Parse(bytes, n)) {
            Require(Forward(f.Points()), "points forward");
            for (const YRavelPvi& p : f.Points()) {
                Require(p.dRadius >= 0.0, "radius not negative");
            }
        }
    }
    return 0;
}
