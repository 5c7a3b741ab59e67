#include "core/import/YRavelProjectFile.h"

#include "core/import/YRavelText.h"
#include "core/station/YStationText.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kFormat = QStringLiteral("RavelPrj");
constexpr int kVersion = 1;
} // namespace

bool YRavelProjectFile::Load(const QString& path) {
    m_strPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const std::optional<QByteArray> bytes = YRavelText::ReadFile(path, m_strError);
    return bytes && Parse(*bytes, QFileInfo(path).absolutePath());
}

bool YRavelProjectFile::Parse(const QByteArray& bytes, const QString& folder) {
    const QString path = m_strPath;
    *this = YRavelProjectFile();
    m_strPath = path;
    YRavelText text;
    if (!text.Parse(bytes, kFormat, kVersion) || !ReadLines(text, folder)) {
        m_strError = text.ErrorMessage(m_strPath);
        return false;
    }
    return true;
}

bool YRavelProjectFile::ReadLines(YRavelText& text, const QString& folder) {
    for (const YRavelText::Line& line : text.Lines()) {
        const auto kv = YRavelText::KeyValue(line.strText);
        if (!kv) {
            text.Fail(line.nLine, QStringLiteral("须写成“名称=值”"));
            return false;
        }
        const auto& [key, value] = *kv;
        bool numeric = false;
        const int code = key.toInt(&numeric);
        if (line.strSection == QStringLiteral("属性") && numeric) {
            m_properties.insert(code, value);
        } else if (line.strSection == QStringLiteral("文件") && numeric && !value.isEmpty()) {
            m_files.insert(code, QDir::cleanPath(QDir(folder).absoluteFilePath(value)));
        } else if (line.strSection == QStringLiteral("桩号体系") && key == QStringLiteral("标识")) {
            if (!value.isEmpty() && !YStationText::IsValidLabel(value)) {
                text.Fail(line.nLine, QStringLiteral("桩号标识“%1”不能用作桩号前缀").arg(value));
                return false;
            }
            m_strLabel = value;
        } else if (line.strSection == QStringLiteral("桩号体系") && key == QStringLiteral("断链")) {
            if (!m_numbering.AddChainBreak(value)) {
                text.Fail(line.nLine,
                          QStringLiteral("断链“%1”不能读入，或不在上一个断链之后").arg(value));
                return false;
            }
            m_breaks << value;
        }
    }
    (void)m_numbering.SetLabel(m_strLabel);
    return true;
}
