#pragma once

#include <QString>
#include <optional>

// One chain break (断链): at this point of the road the display numbering jumps from BACK to
// AHEAD, both display numbers in metres. AHEAD > BACK is a short chain (the numbers between
// do not exist on the road), AHEAD < BACK a long chain (the numbers from AHEAD to BACK occur
// twice). Where the break lies on the continuous chainage is the numbering's business
// (YStationNumbering), because BACK is read in the numbering left by the earlier breaks.
class YChainBreak {
  public:
    YChainBreak() = default;
    YChainBreak(double backMetres, double aheadMetres)
        : m_dBack(backMetres), m_dAhead(aheadMetres) {}

    // Reads "BACK=AHEAD": two display texts ("K1+100.000=K1+120.000"), any prefixes, white space
    // around "=" allowed. A plain number on either side is a display number in metres.
    [[nodiscard]] static std::optional<YChainBreak> Parse(const QString& text);

    double Back() const { return m_dBack; }
    double Ahead() const { return m_dAhead; }
    // Metres added to the display numbers after the break: > 0 short chain, < 0 long chain.
    double Jump() const { return m_dAhead - m_dBack; }

    // "BACK=AHEAD" in display texts with the given label.
    QString Text(const QString& label) const;

    friend bool operator==(const YChainBreak&, const YChainBreak&) = default;

  private:
    double m_dBack = 0.0;
    double m_dAhead = 0.0;
};
