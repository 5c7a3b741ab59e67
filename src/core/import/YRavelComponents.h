#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

class YRavelText;
class YStationNumbering;

// The component files of a road-design project (docs/road-project-files.md): the earthwork
// file (土方文件, code 111), the control-parameter file (控制参数文件, 108) and the vertical
// design file (纵断面设计数据文件, 104). Each is read whole with the numbering of its project
// (a station is a station text or a plain chainage, as everywhere in the program); a file that
// breaks its format is refused at the first bad line, and nothing of it is used.
class YRavelComponent {
  public:
    virtual ~YRavelComponent() = default;
    [[nodiscard]] bool Load(const QString& path, const YStationNumbering& numbering);
    [[nodiscard]] bool Parse(const QByteArray& bytes, const YStationNumbering& numbering);
    // Where and why the file was refused.
    const QString& ErrorMessage() const { return m_strError; }

  protected:
    virtual QString Format() const = 0;
    virtual void Clear() = 0;
    // Reads the lines; a bad line fails the text.
    virtual void Read(YRavelText& text, const YStationNumbering& numbering) = 0;

  private:
    QString m_strPath;
    QString m_strError;
};

// One cross-section: station (chainage, m), areas as written (m², a negative one included),
// centre-line height (m, >= 0 fill).
struct YRavelSection {
    double dStation = 0.0;
    double dCut = 0.0;
    double dFill = 0.0;
    double dHeight = 0.0;
};

// "RavelEarthwork 1": one line per cross-section, "station cut fill [height]", stations
// advancing.
class YRavelEarthworkFile : public YRavelComponent {
  public:
    const std::vector<YRavelSection>& Sections() const { return m_sections; }

  private:
    QString Format() const override { return QStringLiteral("RavelEarthwork"); }
    void Clear() override { m_sections.clear(); }
    void Read(YRavelText& text, const YStationNumbering& numbering) override;

    std::vector<YRavelSection> m_sections;
};

struct YRavelStructure {
    double dStart = 0.0;
    double dEnd = 0.0;
    QString strName;
};

// Class I–VI shares of the cut at a station, %.
struct YRavelContents {
    double dStation = 0.0;
    std::array<double, 6> percent{};
};

// "RavelControl 1": sections [路槽] (one trough station per line), [桥隧] and [涵洞通道] (the
// two structure lists, "start end name"), [土石含量] ("station I II III IV V VI").
class YRavelControlFile : public YRavelComponent {
  public:
    const std::vector<double>& TroughStations() const { return m_troughs; }
    const std::vector<YRavelStructure>& Structures(int list) const { return m_structures[list]; }
    const std::vector<YRavelContents>& Contents() const { return m_contents; }

  private:
    QString Format() const override { return QStringLiteral("RavelControl"); }
    void Clear() override;
    void Read(YRavelText& text, const YStationNumbering& numbering) override;

    std::vector<double> m_troughs;
    std::array<std::vector<YRavelStructure>, 2> m_structures;
    std::vector<YRavelContents> m_contents;
};

// A vertical intersection point: station, elevation (m), curve radius (m, 0 for none).
struct YRavelPvi {
    double dStation = 0.0;
    double dElevation = 0.0;
    double dRadius = 0.0;
};

// "RavelProfile 1": one intersection point per line, "station elevation radius".
class YRavelProfileFile : public YRavelComponent {
  public:
    const std::vector<YRavelPvi>& Points() const { return m_points; }

  private:
    QString Format() const override { return QStringLiteral("RavelProfile"); }
    void Clear() override { m_points.clear(); }
    void Read(YRavelText& text, const YStationNumbering& numbering) override;

    std::vector<YRavelPvi> m_points;
};
