#include "core/import/YLandXmlReader.h"

#include "core/import/YInputLimits.h"
#include "core/import/YTextFile.h"
#include "core/station/YStation.h"

#include <QStringDecoder>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <pugixml.hpp>
#include <string_view>

namespace {

// The first error met: thrown out of the walk over the document, caught once in Read.
struct Failure {
    int line;
    QString reason;
};

// Name of an element without its namespace prefix: every LandXML version has its own
// namespace, and writers differ in whether they bind it to a prefix.
std::string_view LocalName(const pugi::xml_node& node) {
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return colon != nullptr ? colon + 1 : name;
}

bool Is(const pugi::xml_node& node, std::string_view local) {
    return node.type() == pugi::node_element && LocalName(node) == local;
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view local) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
        if (Is(c, local)) {
            return c;
        }
    }
    return {};
}

QString Name(const pugi::xml_node& node) {
    const std::string_view n = LocalName(node);
    return QString::fromUtf8(n.data(), qsizetype(n.size()));
}

// Stations closer than a station's tolerance are one point: a cross-section or a tangent of no
// length, whose grade would not be finite.
QString CheckForward(double x, double previous) {
    return x - previous >= YStation::Epsilon ? QString()
                                             : YInputLimits::CheckAfter(previous, previous);
}

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',';
}

std::optional<double> ParseNumber(std::string_view token) {
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
    }
    double value = 0.0;
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, value);
    if (token.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The metres of one linear unit of the file (LandXML's enumerations of Metric and Imperial).
std::optional<double> LinearUnit(const QString& unit) {
    static const std::pair<const char*, double> units[] = {{"meter", 1.0},
                                                           {"millimeter", 0.001},
                                                           {"centimeter", 0.01},
                                                           {"kilometer", 1000.0},
                                                           {"USSurveyFoot", 1200.0 / 3937.0},
                                                           {"foot", 0.3048},
                                                           {"inch", 0.0254},
                                                           {"mile", 1609.344}};
    for (const auto& [name, metres] : units) {
        if (unit.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            return metres;
        }
    }
    return std::nullopt;
}

// Text in UTF-8 for pugixml, which reads no GBK: files that are not valid UTF-8 are taken as
// GBK (as our other imports take them), UTF-16 by its byte-order mark. Line ends are kept, so
// the line numbers of the converted text are those of the file.
QByteArray ToUtf8(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        return QString(utf16(bytes)).toUtf8();
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8(bytes));
    return utf8.hasError() ? YTextFile::Decode(bytes).toUtf8() : bytes;
}

class Reader {
  public:
    explicit Reader(const QByteArray& text) : m_text(text) {}

    void ReadDocument(const pugi::xml_node& root, YLandXmlReadResult& result);
    // The line of a byte offset. Offsets mostly grow as the walk goes on, so the count goes on
    // from the last one instead of starting over for every element.
    int Line(ptrdiff_t offset);

  private:
    int Line(const pugi::xml_node& node) { return Line(node.offset_debug()); }
    [[noreturn]] void Fail(const pugi::xml_node& node, const QString& reason) {
        throw Failure{Line(node), reason};
    }

    // A number attribute in file units; empty when absent.
    std::optional<double> Attribute(const pugi::xml_node& node, const char* name);
    double Required(const pugi::xml_node& node, const char* name);
    // Range check of a value already in metres or m²; what says how to name it.
    void Check(const pugi::xml_node& node, const QString& what, const QString& reason) {
        if (!reason.isEmpty()) {
            Fail(node, QStringLiteral("%1的%2：%3").arg(Name(node), what, reason));
        }
    }
    // An area attribute in m², as its magnitude; empty when absent.
    std::optional<double> Area(const pugi::xml_node& node, const char* name);
    // The numbers of an element's text, whitespace separated.
    std::vector<double> Numbers(const pugi::xml_node& node);
    // Text "station elevation" or "offset elevation", converted to metres.
    std::pair<double, double> Pair(const pugi::xml_node& node, const QString& first);

    void ReadUnits(const pugi::xml_node& root);
    YLxAlignment ReadAlignment(const pugi::xml_node& node);
    void ReadSection(const pugi::xml_node& node, YLxAlignment& alignment);
    YLxSurface ReadSurface(const pugi::xml_node& node);
    YLxEquation ReadEquation(const pugi::xml_node& node);
    void ReadProfile(const pugi::xml_node& profAlign, YLxAlignment& alignment);

    const QByteArray& m_text;
    qsizetype m_nCounted = 0; // bytes before this offset are counted
    int m_nLine = 1;          // line at m_nCounted
    double m_dLinear = 1.0;   // metres of the file's linear unit
};

int Reader::Line(ptrdiff_t offset) {
    if (offset < 0) {
        return 1; // not known: the document's start rather than no line at all
    }
    const qsizetype target = std::min<qsizetype>(offset, m_text.size());
    if (target < m_nCounted) {
        m_nCounted = 0;
        m_nLine = 1;
    }
    m_nLine += int(std::count(m_text.constData() + m_nCounted, m_text.constData() + target, '\n'));
    m_nCounted = target;
    return m_nLine;
}

std::optional<double> Reader::Attribute(const pugi::xml_node& node, const char* name) {
    const pugi::xml_attribute a = node.attribute(name);
    if (!a) {
        return std::nullopt;
    }
    std::string_view text = a.value();
    while (!text.empty() && IsSeparator(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSeparator(text.back())) {
        text.remove_suffix(1);
    }
    const std::optional<double> value = ParseNumber(text);
    if (!value) {
        Fail(node,
             QStringLiteral("%1的%2属性“%3”不是数字")
                 .arg(Name(node), QLatin1String(name), QString::fromUtf8(a.value()).left(40)));
    }
    return value;
}

double Reader::Required(const pugi::xml_node& node, const char* name) {
    const std::optional<double> value = Attribute(node, name);
    if (!value) {
        Fail(node, QStringLiteral("%1缺少%2属性").arg(Name(node), QLatin1String(name)));
    }
    return *value;
}

std::optional<double> Reader::Area(const pugi::xml_node& node, const char* name) {
    std::optional<double> value = Attribute(node, name);
    if (value) {
        *value = std::fabs(*value * m_dLinear * m_dLinear);
        Check(node, QLatin1String(name) + QStringLiteral("属性"), YInputLimits::CheckArea(*value));
    }
    return value;
}

std::vector<double> Reader::Numbers(const pugi::xml_node& node) {
    std::vector<double> numbers;
    const char* p = node.text().get();
    while (*p != '\0') {
        while (IsSeparator(*p)) {
            ++p;
        }
        const char* start = p;
        while (*p != '\0' && !IsSeparator(*p)) {
            ++p;
        }
        if (p == start) {
            break;
        }
        const std::string_view token(start, size_t(p - start));
        const std::optional<double> value = ParseNumber(token);
        if (!value) {
            Fail(node, QStringLiteral("%1中的“%2”不是数字")
                           .arg(Name(node),
                                QString::fromUtf8(token.data(), qsizetype(token.size())).left(40)));
        }
        numbers.push_back(*value);
    }
    return numbers;
}

std::pair<double, double> Reader::Pair(const pugi::xml_node& node, const QString& first) {
    const std::vector<double> n = Numbers(node);
    if (n.size() != 2) {
        Fail(node, QStringLiteral("%1应为“%2 高程”两个数").arg(Name(node), first));
    }
    const double a = n[0] * m_dLinear;
    const double elevation = n[1] * m_dLinear;
    Check(node, first,
          first == QStringLiteral("桩号") ? YInputLimits::CheckStation(a)
                                          : YInputLimits::CheckNumber(a));
    Check(node, QStringLiteral("高程"), YInputLimits::CheckHeight(elevation));
    return {a, elevation};
}

void Reader::ReadDocument(const pugi::xml_node& root, YLandXmlReadResult& result) {
    if (!Is(root, "LandXML")) {
        Fail(root, QStringLiteral("根元素是%1，不是LandXML").arg(Name(root)));
    }
    ReadUnits(root);
    for (pugi::xml_node group = root.first_child(); group; group = group.next_sibling()) {
        if (!Is(group, "Alignments")) {
            continue;
        }
        for (pugi::xml_node a = group.first_child(); a; a = a.next_sibling()) {
            if (Is(a, "Alignment")) {
                result.alignments.push_back(ReadAlignment(a));
            }
        }
    }
}

void Reader::ReadUnits(const pugi::xml_node& root) {
    const pugi::xml_node units = Child(root, "Units");
    for (pugi::xml_node u = units.first_child(); u; u = u.next_sibling()) {
        const bool metric = Is(u, "Metric");
        if (!metric && !Is(u, "Imperial")) {
            continue;
        }
        const pugi::xml_attribute linear = u.attribute("linearUnit");
        if (!linear && metric) {
            return; // metres
        }
        const QString unit = QString::fromUtf8(linear.value());
        const std::optional<double> metres = LinearUnit(unit);
        if (!metres) {
            Fail(u, QStringLiteral("%1的长度单位linearUnit“%2”不认识").arg(Name(u), unit.left(40)));
        }
        m_dLinear = *metres;
        return;
    }
}

YLxAlignment Reader::ReadAlignment(const pugi::xml_node& node) {
    YLxAlignment alignment;
    alignment.name = QString::fromUtf8(node.attribute("name").value());
    alignment.line = Line(node);
    bool profileRead = false;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (Is(c, "CrossSects")) {
            for (pugi::xml_node s = c.first_child(); s; s = s.next_sibling()) {
                if (Is(s, "CrossSect")) {
                    ReadSection(s, alignment);
                }
            }
        } else if (Is(c, "StaEquation")) {
            alignment.equations.push_back(ReadEquation(c));
        } else if (Is(c, "Profile") && !profileRead) {
            // A profile may hold several design lines; the first is the one built.
            if (const pugi::xml_node prof = Child(c, "ProfAlign")) {
                ReadProfile(prof, alignment);
                profileRead = true;
            }
        }
    }
    return alignment;
}

void Reader::ReadSection(const pugi::xml_node& node, YLxAlignment& alignment) {
    YLxSection section;
    section.line = Line(node);
    section.station = Required(node, "sta") * m_dLinear;
    Check(node, QStringLiteral("sta属性"), YInputLimits::CheckStation(section.station));
    if (!alignment.sections.empty()) {
        Check(node, QStringLiteral("sta属性"),
              CheckForward(section.station, alignment.sections.back().station));
    }
    section.cut = Area(node, "areaCut");
    section.fill = Area(node, "areaFill");
    for (pugi::xml_node s = node.first_child(); s; s = s.next_sibling()) {
        if (Is(s, "CrossSectSurf") || Is(s, "DesignCrossSectSurf")) {
            section.surfaces.push_back(ReadSurface(s));
        }
    }
    alignment.sections.push_back(std::move(section));
}

YLxSurface Reader::ReadSurface(const pugi::xml_node& node) {
    YLxSurface surface;
    surface.design = Is(node, "DesignCrossSectSurf");
    surface.name = QString::fromUtf8(node.attribute("name").value());
    if (surface.name.isEmpty()) {
        surface.name = Name(node); // still a name the user can choose
    }
    surface.line = Line(node);
    for (pugi::xml_node p = node.first_child(); p; p = p.next_sibling()) {
        if (Is(p, "PntList2D")) {
            const std::vector<double> n = Numbers(p);
            if (n.size() % 2 != 0) {
                Fail(p, QStringLiteral("PntList2D中数的个数不是偶数（应为成对的偏距和高程）"));
            }
            for (size_t i = 0; i < n.size(); i += 2) {
                const YOffsetPoint point{n[i] * m_dLinear, n[i + 1] * m_dLinear};
                Check(p, QStringLiteral("偏距"), YInputLimits::CheckNumber(point.offset));
                Check(p, QStringLiteral("高程"), YInputLimits::CheckHeight(point.elevation));
                surface.points.push_back(point);
            }
        } else if (Is(p, "CrossSectPnt")) {
            const auto [offset, elevation] = Pair(p, QStringLiteral("偏距"));
            surface.points.push_back({offset, elevation});
        } else {
            continue;
        }
        for (size_t i = 1; i < surface.points.size(); ++i) {
            if (surface.points[i].offset < surface.points[i - 1].offset) {
                Fail(p, QStringLiteral("%1“%2”的偏距须从左到右递增").arg(Name(node), surface.name));
            }
        }
    }
    return surface;
}

YLxEquation Reader::ReadEquation(const pugi::xml_node& node) {
    YLxEquation e;
    e.line = Line(node);
    e.back = Required(node, "staBack") * m_dLinear;
    e.ahead = Required(node, "staAhead") * m_dLinear;
    if (const std::optional<double> internal = Attribute(node, "staInternal")) {
        e.internal = *internal * m_dLinear;
    }
    for (const double sta : {e.back, e.ahead, e.internal.value_or(0.0)}) {
        Check(node, QStringLiteral("桩号"), YInputLimits::CheckStation(sta));
    }
    return e;
}

void Reader::ReadProfile(const pugi::xml_node& profAlign, YLxAlignment& alignment) {
    using Kind = YLxProfilePoint::Kind;
    for (pugi::xml_node p = profAlign.first_child(); p; p = p.next_sibling()) {
        YLxProfilePoint point;
        if (Is(p, "PVI")) {
            point.kind = Kind::Pvi;
        } else if (Is(p, "ParaCurve")) {
            point.kind = Kind::ParaCurve;
            point.length = Required(p, "length") * m_dLinear;
        } else if (Is(p, "UnsymParaCurve")) {
            // Radius from the grade change over the whole curve, as for a symmetric one.
            point.kind = Kind::ParaCurve;
            point.length = (Required(p, "lengthIn") + Required(p, "lengthOut")) * m_dLinear;
        } else if (Is(p, "CircCurve")) {
            point.kind = Kind::CircCurve;
            point.radius = Attribute(p, "radius").value_or(0.0) * m_dLinear;
            point.length = Attribute(p, "length").value_or(0.0) * m_dLinear;
            if (point.radius <= 0.0 && point.length <= 0.0) {
                Fail(p, QStringLiteral("CircCurve须有大于0的radius或length属性"));
            }
        } else {
            continue;
        }
        if (point.kind != Kind::Pvi) {
            Check(p, QStringLiteral("长度"), YInputLimits::CheckNumber(point.length));
            Check(p, QStringLiteral("半径"), YInputLimits::CheckNumber(point.radius));
            if (point.kind == Kind::ParaCurve && point.length <= 0.0) {
                Fail(p, QStringLiteral("%1的曲线长度须大于0").arg(Name(p)));
            }
        }
        point.line = Line(p);
        std::tie(point.station, point.elevation) = Pair(p, QStringLiteral("桩号"));
        if (!alignment.profile.empty()) {
            Check(p, QStringLiteral("桩号"),
                  CheckForward(point.station, alignment.profile.back().station)
                      .replace(QStringLiteral("断面"), QStringLiteral("变坡点")));
        }
        alignment.profile.push_back(point);
    }
}

} // namespace

const YLxSurface* YLxSection::Surface(const QString& name) const {
    for (const YLxSurface& s : surfaces) {
        if (s.name == name) {
            return &s;
        }
    }
    return nullptr;
}

QStringList YLxAlignment::SurfaceNames() const {
    QStringList names;
    for (const YLxSection& section : sections) {
        for (const YLxSurface& s : section.surfaces) {
            if (!names.contains(s.name)) {
                names.append(s.name);
            }
        }
    }
    return names;
}

QStringList YLandXmlReadResult::AlignmentNames() const {
    QStringList names;
    for (const YLxAlignment& a : alignments) {
        names.append(a.name);
    }
    return names;
}

const YLxAlignment* YLandXmlReadResult::Find(const QString& name) const {
    for (const YLxAlignment& a : alignments) {
        if (a.name == name) {
            return &a;
        }
    }
    return nullptr;
}

YLandXmlReadResult YLandXmlReader::Read(const QByteArray& bytes) {
    YLandXmlReadResult result;
    const QByteArray text = ToUtf8(bytes);
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(text.constData(), size_t(text.size()),
                                                          pugi::parse_default, pugi::encoding_utf8);
    Reader reader(text);
    try {
        if (!parsed) {
            throw Failure{
                reader.Line(parsed.offset),
                QStringLiteral("XML格式错误（%1）").arg(QString::fromUtf8(parsed.description()))};
        }
        reader.ReadDocument(doc.document_element(), result);
    } catch (const Failure& failure) {
        result.alignments.clear();
        result.nFailLine = failure.line;
        result.strReason = failure.reason;
    }
    return result;
}
