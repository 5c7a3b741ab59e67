#pragma once

#include "core/import/TfFormat.h"

#include <QByteArray>
#include <QString>
#include <vector>

class QIODevice;

// One data line of an earthwork text file, as read: station in metres (continuous chainage),
// areas in m² with their sign as written, centre height in m (0 when the format reads none).
struct YTfLine {
    double dStation = 0.0;
    double dCut = 0.0;
    double dFill = 0.0;
    double dHeight = 0.0;
};

// What a file gave: its data lines, or the physical line number (from 1) at which it failed
// and why (empty for a line that is not in the format).
struct YTfReadResult {
    std::vector<YTfLine> lines;
    int nFailLine = 0; // 0: read to the end
    QString strReason;
    bool Ok() const { return nFailLine == 0; }
};

// Reader of earthwork text files (土方数据) in a user-defined layout (TfFormat).
//
// Per line: leading spaces, commas, semicolons and tabs are dropped; an empty line and one that
// then begins with "//" or "*" is a comment. Data lines are counted from 1 and read from the
// format's start line on. Fields are separated by runs of spaces, commas, semicolons and tabs;
// only the first 30 can carry data. A mapped field is read as a decimal number from its start
// ("12.5m" reads 12.5); a field with no number, a value that is not finite, or a line that ends
// before every needed value was read makes the file fail at that line. So does a value out of
// the physical range of a road (YInputLimits) and a station not after the one before it, which
// would make a section of no length. A line ends at LF, CR LF or a lone CR.
//
// The reader works on bytes: the delimiters, digits and comment marks are ASCII and never occur
// inside a GBK or UTF-8 multibyte character, so a comment or an ignored column in either
// encoding reads the same and never breaks the import. A UTF-8 byte-order mark is skipped.
class YTfReader {
  public:
    explicit YTfReader(const TfFormat& format);

    [[nodiscard]] YTfReadResult Read(QIODevice& device) const;
    [[nodiscard]] YTfReadResult Read(const QByteArray& text) const;

  private:
    enum class LineKind { Comment, Data, Bad };
    // Reads one physical line (without its line end) into line. Comment for a blank or comment
    // line; Bad when a needed value is missing or unreadable.
    LineKind ReadLine(const char* p, const char* end, YTfLine& line, bool countOnly) const;
    // Why a line read as data cannot be a cross-section after previous; empty when it can.
    static QString CheckLine(const YTfLine& line, const YTfLine* previous);

    TfFormat::ColumnMap m_map;
    int m_nStartLine;
    int m_nNeeded;
};
