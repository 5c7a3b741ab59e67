#include "core/import/YRavelText.h"

#include "core/import/YInputLimits.h"
#include "core/import/YTextFile.h"
#include "core/station/YStationNumbering.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

std::optional<QByteArray> YRavelText::ReadFile(const QString& path, QString& error) {
    std::optional<QByteArray> bytes = YTextFile::ReadBytes(path);
    if (!bytes) {
        error = QStringLiteral("%1：文件不存在或不能读取")
                    .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    }
    return bytes;
}

bool YRavelText::Parse(const QByteArray& bytes, const QString& format, int maxVersion) {
    m_lines.clear();
    m_nVersion = 0;
    m_nErrorLine = 0;
    m_strReason.clear();
    const QString text = YTextFile::Decode(bytes);
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList raw = text.split(lineEnd);
    QString section;
    for (int i = 0; i < raw.size() && !Failed(); ++i) {
        const QString line = raw[i].trimmed();
        const int number = i + 1;
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        if (m_nVersion == 0) {
            const QStringList head = Fields(line);
            const double v = head.size() == 2 ? Number(head[1]).value_or(0.0) : 0.0;
            if (head.value(0) != format || v != std::floor(v) || v < 1) {
                Fail(number, QStringLiteral("第一行须为“%1 版本号”").arg(format));
            } else if (v > maxVersion) {
                Fail(number, QStringLiteral("格式版本%1不受支持（最高%2）").arg(v).arg(maxVersion));
            } else {
                m_nVersion = int(v);
            }
            continue;
        }
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']') || line.size() < 3) {
                Fail(number, QStringLiteral("节名须写成“[名称]”"));
            }
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        m_lines.push_back({number, section, line});
    }
    if (!Failed() && m_nVersion == 0) {
        Fail(raw.size(), QStringLiteral("文件是空的，第一行须为“%1 版本号”").arg(format));
    }
    return !Failed();
}

void YRavelText::Fail(int line, const QString& reason) {
    if (!Failed()) {
        m_nErrorLine = line;
        m_strReason = reason;
    }
}

QString YRavelText::ErrorMessage(const QString& path) const {
    if (m_nErrorLine == 0) {
        return QStringLiteral("%1：%2").arg(path, m_strReason);
    }
    return YTextFile::BadLineMessage(path, m_nErrorLine, m_strReason);
}

QStringList YRavelText::Fields(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,，]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

std::optional<double> YRavelText::Number(const QString& field) {
    // Full-width digits and signs typed with a Chinese input method read as their ASCII forms.
    QString ascii = field.normalized(QString::NormalizationForm_KC);
    ascii.replace(QChar(0x2212), u'-');
    bool ok = false;
    const double v = ascii.toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<std::pair<QString, QString>> YRavelText::KeyValue(const QString& text) {
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0) {
        return std::nullopt;
    }
    return std::make_pair(text.left(eq).trimmed(), text.mid(eq + 1).trimmed());
}

std::optional<double> YRavelText::Station(const Line& line, const QString& field,
                                          const YStationNumbering& numbering) {
    const std::optional<double> x = numbering.Parse(field);
    const QString reason =
        x ? YInputLimits::CheckStation(*x) : QStringLiteral("“%1”不是桩号").arg(field);
    if (!reason.isEmpty()) {
        Fail(line.nLine, reason);
        return std::nullopt;
    }
    return x;
}

std::optional<double> YRavelText::Value(const Line& line, const QString& field,
                                        const QString& column) {
    const std::optional<double> v = Number(field);
    const QString reason = v ? YInputLimits::CheckColumn(column, *v)
                             : QStringLiteral("%1“%2”不是数字").arg(column, field);
    if (!reason.isEmpty()) {
        Fail(line.nLine, reason);
        return std::nullopt;
    }
    return v;
}
