// Station texts and chain breaks: whatever reads, and whatever the writer makes, reads back.
#include "FuzzSupport.h"

#include "core/station/YStationNumbering.h"

#include <QStringList>
#include <cmath>

using namespace dalvex::fuzz;

namespace {

// Whether the point at chainage shows this display number to the millimetre. A break point has
// two: AHEAD, which it shows, and BACK, by which a designer also names it.
bool SameDisplay(const YStationNumbering& numbering, double chainage, double display) {
    if (std::fabs(numbering.ToDisplay(chainage) - display) <= 1e-3) {
        return true;
    }
    for (int i = 0; i < numbering.ChainBreakCount(); ++i) {
        if (std::fabs(numbering.BreakPosition(i) - chainage) <= 1e-3 &&
            std::fabs(numbering.ChainBreak(i).Back() - display) <= 1e-3) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartQt();
    return 0;
}

// Lines of the input: the first is the station label, lines with "=" are chain breaks (added
// in order, refused ones skipped), every other line a station text to read.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = QString::fromUtf8(Bytes(data, size)).split(QLatin1Char('\n'));
    YStationNumbering numbering;
    (void)numbering.SetLabel(lines.value(0));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.contains(QLatin1Char('='))) {
            const std::optional<YChainBreak> brk = YChainBreak::Parse(line);
            if (brk && numbering.AddChainBreak(*brk)) {
                // A break the numbering takes writes a text that reads as the same break.
                const std::optional<YChainBreak> again =
                    YChainBreak::Parse(brk->Text(numbering.Label()));
                Require(again && std::fabs(again->Back() - brk->Back()) < 1e-3 &&
                            std::fabs(again->Ahead() - brk->Ahead()) < 1e-3,
                        "chain-break text reads back");
            }
            continue;
        }
        const std::optional<double> chainage = numbering.Parse(line);
        if (!chainage) {
            continue;
        }
        // The writer never makes a text its reader refuses, and the text shows the same
        // display number to the millimetre.
        const QString text = numbering.Text(*chainage);
        const std::optional<double> back = numbering.Parse(text);
        Require(back.has_value(), "station text reads back");
        Require(SameDisplay(numbering, *back, numbering.ToDisplay(*chainage)),
                "station text keeps its display number");
        (void)numbering.KmText(*chainage);
        const double ceil = numbering.KmCeil(*chainage);
        Require(ceil >= *chainage - YStationNumbering::Tolerance, "kilometre mark not behind");
        (void)numbering.SameKm(*chainage, ceil);
    }
    return 0;
}
