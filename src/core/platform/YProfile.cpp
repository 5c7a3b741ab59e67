#include "core/platform/YProfile.h"

#include "core/platform/YConf.h"

namespace {
std::unique_ptr<YProfile>& Slot() {
    static std::unique_ptr<YProfile> profile;
    return profile;
}
} // namespace

YProfile::YProfile(std::unique_ptr<QSettings> settings) : m_settings(std::move(settings)) {}

YProfile& YProfile::Instance() {
    std::unique_ptr<YProfile>& slot = Slot();
    if (!slot) {
        slot.reset(new YProfile(std::make_unique<QSettings>(QString::fromLatin1(Organisation),
                                                            YConf::Instance().Text(1000))));
    }
    return *slot;
}

void YProfile::UseFile(const QString& iniPath) {
    Slot().reset(new YProfile(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)));
}

QString YProfile::Key(const QString& section, const QString& entry) {
    return section + QLatin1Char('/') + entry;
}

QString YProfile::GetString(const QString& section, const QString& entry,
                            const QString& def) const {
    return m_settings->value(Key(section, entry), def).toString();
}

void YProfile::WriteString(const QString& section, const QString& entry, const QString& value) {
    m_settings->setValue(Key(section, entry), value);
}

int YProfile::GetInt(const QString& section, const QString& entry, int def) const {
    bool ok = false;
    const int value = m_settings->value(Key(section, entry), def).toInt(&ok);
    return ok ? value : def;
}

void YProfile::WriteInt(const QString& section, const QString& entry, int value) {
    m_settings->setValue(Key(section, entry), value);
}

QByteArray YProfile::GetBinary(const QString& section, const QString& entry) const {
    return m_settings->value(Key(section, entry)).toByteArray();
}

void YProfile::WriteBinary(const QString& section, const QString& entry, const QByteArray& value) {
    m_settings->setValue(Key(section, entry), value);
}

bool YProfile::Contains(const QString& section, const QString& entry) const {
    return m_settings->contains(Key(section, entry));
}

void YProfile::Remove(const QString& section, const QString& entry) {
    m_settings->remove(Key(section, entry));
}

void YProfile::Sync() {
    m_settings->sync();
}
