#pragma once

#include "core/import/YCrossSectionArea.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What a LandXML file (versions 1.0 to 1.2) holds for earthwork, as plain values in metres and
// m² whatever the file's units. Every item keeps the line of its element for messages.

// One line of a cross-section: a CrossSectSurf or DesignCrossSectSurf.
struct YLxSurface {
    QString name;
    bool design = false; // a DesignCrossSectSurf: design by its element, whatever its name
    std::vector<YOffsetPoint> points; // offsets never decrease
    int line = 0;
};

// One CrossSect: its station, the areas the file states and its lines.
struct YLxSection {
    double station = 0.0;       // internal station: the continuous chainage, m
    std::optional<double> cut;  // areaCut, m², >= 0
    std::optional<double> fill; // areaFill, m², >= 0
    std::vector<YLxSurface> surfaces;
    int line = 0;

    const YLxSurface* Surface(const QString& name) const;
};

// One StaEquation: the display numbers on both sides (m) and, when stated, the internal
// station where it lies.
struct YLxEquation {
    double back = 0.0;
    double ahead = 0.0;
    std::optional<double> internal;
    int line = 0;
};

// One point of the design profile (ProfAlign): a plain intersection point or one carrying a
// vertical curve. For a curve, length is its length along the road (m) or 0 when only the
// radius (m) is stated.
struct YLxProfilePoint {
    enum class Kind { Pvi, ParaCurve, CircCurve };
    Kind kind = Kind::Pvi;
    double station = 0.0; // m
    double elevation = 0.0;
    double length = 0.0;
    double radius = 0.0;
    int line = 0;
};

struct YLxAlignment {
    QString name;
    int line = 0;
    std::vector<YLxSection> sections;     // stations strictly increasing
    std::vector<YLxEquation> equations;   // in file order
    std::vector<YLxProfilePoint> profile; // the first ProfAlign; stations strictly increasing

    // Names of the cross-section lines in the order they first occur.
    QStringList SurfaceNames() const;
};

struct YLandXmlReadResult {
    std::vector<YLxAlignment> alignments;
    int nFailLine = 0; // the line (from 1) of what could not be read; 0: read to the end
    QString strReason;

    bool Ok() const { return nFailLine == 0; }
    QStringList AlignmentNames() const;
    // The alignment of that name; the first one for several of the same name.
    const YLxAlignment* Find(const QString& name) const;
};

// Reads LandXML. Elements are matched by their local name, so the namespaces of every version
// (and none) read alike; attributes may come in any order; elements that carry nothing for
// earthwork are skipped. Numbers must be finite decimals within the physical range of a road
// (YInputLimits); stations of cross-sections and profile points must increase. The first error
// ends the reading with its line and reason.
class YLandXmlReader {
  public:
    [[nodiscard]] static YLandXmlReadResult Read(const QByteArray& bytes);
};
