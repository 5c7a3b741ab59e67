#pragma once

#include <QString>
#include <vector>

class CDalvexDoc;
class YStationNumbering;

// 土积曲线 (the mass-haul curve) of the open project segment: along the line, the running sum
// of usable surplus (turned into compacted m³ by the class coefficients) minus the fill still
// needed after local reuse, both as first computed. Where the curve rises the road is in cut,
// where it falls in fill; a horizontal line cutting the curve twice spans a stretch whose cut
// balances its fill. Unusable surplus never fills, so it does not count.
//
// Once material is allocated, every recorded haul within the project is drawn as such a line:
// from the centre of its cut to the centre of its fill, at the curve's height where it starts,
// so its length is the haul distance and the stack of lines shows what moved where.
struct YMassHaul {
    struct Point {
        double x = 0.0; // station (continuous chainage), m
        double m = 0.0; // cumulative compacted m³ from the first station
    };
    struct Haul {
        double from = 0.0;   // centre of the cut, m
        double to = 0.0;     // centre of the fill, m
        double level = 0.0;  // the curve's height at `from`, m³
        double volume = 0.0; // compacted m³ delivered
    };

    std::vector<Point> curve;          // every segment boundary, from 0 at the first station
    std::vector<double> balancePoints; // stations where the curve returns to 0 after leaving it
    std::vector<Haul> hauls;           // applied hauls of the log, in log order

    // From the document's model (empty when it holds no segments) and its log.
    static YMassHaul Build(CDalvexDoc& doc);
    // The curve's height at a station, linear between boundaries, flat beyond the ends.
    double At(double x) const;
    // Highest and lowest height of the curve (0 included).
    double Top() const;
    double Bottom() const;

    // The curve, the balance points and the hauls as comma-separated text with a header line
    // each, stations also as the project's texts.
    QString Csv(const YStationNumbering& numbering) const;
};
