#pragma once

#include "core/station/YChainBreak.h"
#include "core/station/YStation.h"

#include <QString>
#include <optional>
#include <vector>

// 桩号体系 (station numbering): how the continuous chainage of one project maps to its display
// numbers and texts: its chain breaks in road order and its station label.
//
// The breaks cut the road into chains 0..n. Chain 0 runs up to the first break and shows the
// chainage itself. Break i lies where the chain before it shows the break's BACK, so the first
// break lies at chainage BACK, and every later BACK is read in the numbering left by the
// earlier breaks. From the break on, its point included, the display is the chainage plus the
// sum of the jumps (AHEAD - BACK) of all breaks so far. Each BACK must therefore lie beyond the
// previous AHEAD: a break out of that order is refused.
//
// Reading a display number takes the first chain that shows it: in a long-chain overlap the
// earlier chain wins; a number inside a short-chain gap is on no chain and does not read.
class YStationNumbering {
  public:
    // Two display numbers or chainages closer than this are one point (metres); the same
    // tolerance as YStation's comparisons.
    static constexpr double Tolerance = 1e-6;

    void ClearChainBreaks();
    // Appends a break after the existing ones. False, nothing changed, when its BACK does not
    // lie beyond the previous break's AHEAD or a number is not finite or beyond
    // YStationText::MaxMetres.
    [[nodiscard]] bool AddChainBreak(const YChainBreak& brk);
    // The same from a 断链 text "BACK=AHEAD"; false, nothing changed, when it does not read.
    [[nodiscard]] bool AddChainBreak(const QString& text);
    int ChainBreakCount() const { return static_cast<int>(m_breaks.size()); }
    const YChainBreak& ChainBreak(int index) const { return m_breaks.at(index).brk; }
    // Chainage of break `index` in metres.
    double BreakPosition(int index) const { return m_breaks.at(index).position; }

    // Trimmed label; empty means "K". A label that could not be read back (YStationText::
    // IsValidLabel) is refused: the label becomes "K" and the answer is false.
    bool SetLabel(const QString& label);
    const QString& Label() const { return m_label; }

    double ToDisplay(double chainage) const;
    // The chainage of the first point showing the display number; empty in a short-chain gap.
    std::optional<double> FromDisplay(double displayMetres) const;

    QString Text(double chainage) const;
    // A display text (breaks applied) or a plain number, which is the chainage itself.
    std::optional<double> Parse(const QString& text) const;
    // Text() up to the "+", e.g. "K12"; the whole text for a chainage without a display text
    // (not finite, or beyond YStationText::MaxMetres).
    QString KmText(double chainage) const;
    // Whether two chainages have the same KmText; without making the texts where both lie
    // clear of a kilometre mark on one chain (a long road's steps ask this thousands of times).
    bool SameKm(double a, double b) const;
    // The first chainage at or after this one where the numbering is on a whole kilometre:
    // either its display text ends in "000.000" (the millimetre rounding of the text), or it is
    // a short-chain break whose jump passes a whole kilometre (BACK <= mark <= AHEAD), where
    // that kilometre begins. Non-finite chainages come back unchanged.
    double KmCeil(double chainage) const;

    // The same for stations of this project.
    QString Text(YStation sta) const { return Text(sta.Value()); }
    QString KmText(YStation sta) const { return KmText(sta.Value()); }
    YStation KmCeil(YStation sta) const { return YStation(KmCeil(sta.Value())); }
    std::optional<YStation> ParseStation(const QString& text) const;
    // ParseStation() that gives station 0 for an unreadable text, as the record sets read them.
    YStation ParseOrZero(const QString& text) const;

  private:
    struct PlacedBreak {
        YChainBreak brk;
        double position; // chainage of the break, metres
        double offset;   // display number minus chainage from the break on
    };

    // Chain of a chainage: the number of breaks at or before it.
    int ChainAt(double chainage) const;
    double Offset(int chain) const { return chain == 0 ? 0.0 : m_breaks[chain - 1].offset; }
    bool JumpsOverKm(int index) const;

    std::vector<PlacedBreak> m_breaks;
    QString m_label = QStringLiteral("K");
};
