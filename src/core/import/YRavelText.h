#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class YStationNumbering;

// The line syntax shared by the files of a road-design project (道路项目: the project file
// and its component files), kept plain so any design tool or script can write them:
//
//   - UTF-8 (a byte-order mark allowed) or GBK text; LF, CR LF or CR line ends;
//   - the first line that is not blank or a comment names the format and its version
//     ("RavelPrj 1"); a newer version than the reader knows is refused, so a file that may mean
//     something else is never half understood;
//   - "#" starts a comment line; blank lines are skipped;
//   - "[名称]" starts a section; the lines after it belong to it;
//   - data lines are fields separated by runs of spaces, tabs or commas, or "key=value" pairs.
//
// A file that breaks the syntax fails at its physical line (from 1) with a reason.
class YRavelText {
  public:
    struct Line {
        int nLine = 0;      // physical line, from 1
        QString strSection; // the section it stands in, empty before the first
        QString strText;    // trimmed
    };

    // The bytes of a file; empty, with the message saying so, when it cannot be read.
    static std::optional<QByteArray> ReadFile(const QString& path, QString& error);
    // Reads the lines of a file of the format; false, with ErrorLine()/ErrorReason(), when it is
    // not a version the reader knows or breaks the syntax.
    [[nodiscard]] bool Parse(const QByteArray& bytes, const QString& format, int maxVersion);

    const std::vector<Line>& Lines() const { return m_lines; }
    int Version() const { return m_nVersion; }

    // Records the first failure only: a reader stops at it.
    void Fail(int line, const QString& reason);
    bool Failed() const { return !m_strReason.isEmpty(); }
    int ErrorLine() const { return m_nErrorLine; }
    const QString& ErrorReason() const { return m_strReason; }
    // The failure as users read it: the file, the line and the reason.
    QString ErrorMessage(const QString& path) const;

    // Fields of a data line.
    static QStringList Fields(const QString& text);
    // A decimal number (C locale, full width digits folded); empty when it is not one.
    static std::optional<double> Number(const QString& field);
    // "key=value" split at the first "=", both trimmed; empty when there is no "=".
    static std::optional<std::pair<QString, QString>> KeyValue(const QString& text);

    // Reads a station field with the project's numbering and checks its range; fails the line
    // and answers empty when it does not read.
    std::optional<double> Station(const Line& line, const QString& field,
                                  const YStationNumbering& numbering);
    // Reads a number field and checks it against the range of the input column it goes to;
    // fails the line and answers empty when it does not read.
    std::optional<double> Value(const Line& line, const QString& field, const QString& column);

  private:
    std::vector<Line> m_lines;
    int m_nVersion = 0;
    int m_nErrorLine = 0;
    QString m_strReason;
};
