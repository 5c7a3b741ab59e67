#include "core/platform/YConsoleUserIO.h"

#include <unistd.h>

YConsoleUserIO::YConsoleUserIO(bool bYes, std::FILE* err, std::FILE* in)
    : m_bYes(bYes), m_err(err), m_in(in), m_bTerminal(isatty(fileno(err)) != 0) {}

void YConsoleUserIO::Write(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_err);
    std::fflush(m_err);
}

void YConsoleUserIO::Message(YMsgKind kind, const QString& text) {
    static const char* const prefixes[] = {"", "警告: ", "错误: "};
    Write(QString::fromUtf8(prefixes[static_cast<int>(kind)]) + text + QLatin1Char('\n'));
}

bool YConsoleUserIO::Ask(const QString& question) {
    if (m_bYes) {
        Write(question + QStringLiteral(" [y/N] y\n"));
        return true;
    }
    if (m_in == nullptr || isatty(fileno(m_in)) == 0) {
        Write(question + QStringLiteral(" [y/N] n (使用 --yes 回答是)\n"));
        return false;
    }
    Write(question + QStringLiteral(" [y/N] "));
    char line[64] = {};
    if (std::fgets(line, sizeof line, m_in) == nullptr) {
        return false;
    }
    return line[0] == 'y' || line[0] == 'Y';
}

QString YConsoleUserIO::ProgressLine(const QString& title, qint64 done, qint64 total, int width) {
    const double ratio = total > 0 ? qBound(0.0, double(done) / double(total), 1.0) : 0.0;
    const int filled = int(ratio * width + 0.5);
    return QStringLiteral("%1 [%2%3] %4%")
        .arg(title, QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char(' ')))
        .arg(int(ratio * 100 + 0.5));
}

void YConsoleUserIO::BeginProgress(const QString& title, qint64 total) {
    m_strTitle = title;
    m_nTotal = total;
    m_nDone = 0;
    m_throttle.Restart();
    if (!m_bTerminal) {
        Write(title + QLatin1Char('\n'));
    }
}

bool YConsoleUserIO::Advance(qint64 done) {
    m_nDone = done;
    if (m_bTerminal && m_throttle.Due()) {
        Write(QLatin1Char('\r') + ProgressLine(m_strTitle, done, m_nTotal));
    }
    return true;
}

void YConsoleUserIO::EndProgress() {
    if (m_bTerminal) {
        Write(QLatin1Char('\r') + ProgressLine(m_strTitle, m_nTotal, m_nTotal) + QLatin1Char('\n'));
    }
}
