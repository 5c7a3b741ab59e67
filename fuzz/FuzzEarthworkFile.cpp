// The earthwork text file reader on any bytes, under any layout a designer can define.
#include "FuzzSupport.h"

#include "core/import/YInputLimits.h"
#include "core/import/YTfReader.h"

#include <cmath>

using namespace dalvex::fuzz;

namespace {

// The first four bytes choose the layout: start line, the station, cut and fill columns, and
// whether (and where) a height is read. The rest is the file.
TfFormat LayoutFrom(const uint8_t* data) {
    TfFormat f;
    f.m_nStartLine = 1 + data[0] % 3;
    f.m_nStationCol = 1 + data[1] % 6;
    f.m_nCutCol = 1 + (data[1] / 6) % 6;
    f.m_nFillCol = 1 + data[2] % 6;
    f.m_bReadHeight = data[3] & 1;
    f.m_nHeightCol = 1 + (data[3] >> 1) % 6;
    return f;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    const YTfReadResult result = YTfReader(LayoutFrom(data)).Read(Bytes(data + 4, size - 4));
    if (!result.Ok()) {
        return 0;
    }
    // What the reader accepts is a road: finite numbers within range, stations strictly forward.
    for (size_t i = 0; i < result.lines.size(); ++i) {
        const YTfLine& line = result.lines[i];
        Require(YInputLimits::CheckStation(line.dStation).isEmpty(), "station in range");
        Require(YInputLimits::CheckArea(line.dCut).isEmpty(), "cut area in range");
        Require(YInputLimits::CheckArea(line.dFill).isEmpty(), "fill area in range");
        Require(YInputLimits::CheckHeight(line.dHeight).isEmpty(), "height in range");
        Require(i == 0 || line.dStation > result.lines[i - 1].dStation, "stations forward");
    }
    return 0;
}
