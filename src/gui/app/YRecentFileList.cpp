#include "gui/app/YRecentFileList.h"

#include "core/platform/YProfile.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString Section = QStringLiteral("Recent File List");
QString Entry(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}
} // namespace

YRecentFileList::YRecentFileList() {
    Read();
}

void YRecentFileList::Read() {
    m_files.clear();
    const YProfile& profile = YProfile::Instance();
    for (int i = 0; i < MaxFiles; ++i) {
        const QString path = profile.GetString(Section, Entry(i));
        if (!path.isEmpty()) {
            m_files.append(path);
        }
    }
}

void YRecentFileList::Write() const {
    YProfile& profile = YProfile::Instance();
    for (int i = 0; i < MaxFiles; ++i) {
        if (i < m_files.size()) {
            profile.WriteString(Section, Entry(i), m_files.at(i));
        } else {
            profile.Remove(Section, Entry(i));
        }
    }
    profile.Sync();
}

bool YRecentFileList::SameFile(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

void YRecentFileList::Add(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    m_files.removeIf([&](const QString& f) { return SameFile(f, path); });
    m_files.prepend(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    while (m_files.size() > MaxFiles) {
        m_files.removeLast();
    }
    Write();
}

void YRecentFileList::Remove(const QString& path) {
    if (m_files.removeIf([&](const QString& f) { return SameFile(f, path); }) > 0) {
        Write();
    }
}

QString YRecentFileList::MenuText(int i) const {
    const QString path = m_files.value(i);
    QString shown = path;
    if (path.size() > 40) {
        const QFileInfo info(path);
        shown = QStringLiteral("…/") + info.dir().dirName() + QLatin1Char('/') + info.fileName();
    }
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(i + 1).arg(shown);
}
