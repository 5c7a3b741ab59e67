#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

// The user's profile: recent files, earthwork file formats, dialog placement. Stored with
// QSettings under organisation "RavelCAD.co" and the product title as application name.
// Sections and entries keep their Chinese names ("土方格式" / "格式3"); a section is a QSettings
// group. Tests point the profile at a private INI file with UseFile().
class YProfile {
  public:
    static constexpr const char* Organisation = "RavelCAD.co";

    // The profile of the running program (organisation, product title).
    static YProfile& Instance();
    // Redirects the program's profile to an INI file (tests, portable use).
    static void UseFile(const QString& iniPath);

    QString GetString(const QString& section, const QString& entry,
                      const QString& def = QString()) const;
    void WriteString(const QString& section, const QString& entry, const QString& value);
    int GetInt(const QString& section, const QString& entry, int def = 0) const;
    void WriteInt(const QString& section, const QString& entry, int value);
    QByteArray GetBinary(const QString& section, const QString& entry) const;
    void WriteBinary(const QString& section, const QString& entry, const QByteArray& value);
    bool Contains(const QString& section, const QString& entry) const;
    void Remove(const QString& section, const QString& entry);
    void Sync();

  private:
    explicit YProfile(std::unique_ptr<QSettings> settings);
    static QString Key(const QString& section, const QString& entry);

    std::unique_ptr<QSettings> m_settings;
};
