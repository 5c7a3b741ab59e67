#pragma once

#include "core/station/YStationNumbering.h"

#include <QMap>
#include <QString>
#include <QStringList>

// 道路项目文件 (*.Prj): the project file of the road-design system, which names the project,
// its station numbering and its component files. docs/road-project-files.md describes the
// format ("RavelPrj 1"):
//
//   [属性]      numbered properties "key=value"; 201 is the project name
//   [桩号体系]  "标识=K" the station label; "断链=BACK=AHEAD" one chain break each, in road order
//   [文件]      "code=path" component files, paths relative to the project file's folder;
//               111 earthwork, 108 control parameters, 104 vertical design
//
// Unknown sections, properties and file codes are skipped, so a later writer may add them.
class YRavelProjectFile {
  public:
    static constexpr int EarthworkFile = 111;
    static constexpr int ControlFile = 108;
    static constexpr int ProfileFile = 104;
    static constexpr int NameProperty = 201;

    // False when the file cannot be read or breaks the format; ErrorMessage() says where.
    [[nodiscard]] bool Load(const QString& path);
    [[nodiscard]] bool Parse(const QByteArray& bytes, const QString& folder);
    const QString& ErrorMessage() const { return m_strError; }

    // The absolute path of a component file; empty when the project has none of that kind.
    QString ComponentPath(int code) const { return m_files.value(code); }
    QString TextProperty(int key) const { return m_properties.value(key); }
    const QString& StationLabel() const { return m_strLabel; }
    // The chain-break texts as written, in road order.
    const QStringList& ChainBreaks() const { return m_breaks; }
    // The numbering the component files' stations are written in.
    const YStationNumbering& Numbering() const { return m_numbering; }

  private:
    [[nodiscard]] bool ReadLines(class YRavelText& text, const QString& folder);

    QString m_strPath;
    QString m_strError;
    QMap<int, QString> m_files;
    QMap<int, QString> m_properties;
    QString m_strLabel;
    QStringList m_breaks;
    YStationNumbering m_numbering;
};
