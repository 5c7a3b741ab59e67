#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class YDatabase;
class YUserIO;
struct YLandXmlReadResult;
struct YLxAlignment;
struct YLxProfilePoint;

// The user's choices for a LandXML import; empty means "decide from the file".
struct YLandXmlOptions {
    QString alignment; // the Alignment's name; may be empty only when the file holds one
    QString ground;    // the cross-section line that is the existing ground
    QString design;    // the cross-section line that is the design
};

// What a file offers to choose from, for the import dialog: every alignment with the names of
// its cross-section lines and the ground and design lines the import would take by their
// names (empty where it cannot tell).
struct YLandXmlChoices {
    struct Alignment {
        QString name;
        QStringList surfaces;
        QString ground;
        QString design;
    };
    std::vector<Alignment> alignments;
};

// Import of one alignment of a LandXML file into the project, replacing its cross-sections
// ([逐桩断面]), chain breaks ([断链]) and, when the file has a design profile, its vertical
// curves ([竖曲线]). From layout version 5 the sections become the project's single segment
// ([项目分段]) and the alignment's name the project's name when it has none. The results of
// the segments whose input changed are deleted (the tables of YPreprocessor::ResultTables):
// all of them when the segments are replaced, else those of the current segment.
//
// Station texts are written in the project's label and the file's chain breaks; after the
// commit the database's numbering is the new one. The whole file is read and checked before
// anything is written, and the writes are one transaction: a file that cannot be read, an
// alignment or line that cannot be chosen, shows its message and changes nothing.
class YLandXmlImport {
  public:
    enum class Status {
        Done,
        CannotOpen, // nothing shown, nothing changed
        BadFile,    // message with the line shown, nothing changed
        NoChoice,   // the alignment or the ground and design lines are not clear: message shown
        NoData,     // no cross-section in the alignment: message shown, nothing changed
        Failed      // a statement failed: message shown, nothing changed
    };
    struct Result {
        Status status = Status::Failed;
        int nSections = 0;
        int nChainBreaks = 0;
        int nCurvePoints = 0; // rows of [竖曲线]
        bool Ok() const { return status == Status::Done; }
    };

    YLandXmlImport(YDatabase& db, YUserIO& io);

    [[nodiscard]] Result Import(const QString& path, const YLandXmlOptions& options);

    // Reads the file for the import dialog; empty (after the message, as Import shows it) when
    // it cannot be opened or read.
    [[nodiscard]] static std::optional<YLandXmlChoices> Inspect(const QString& path, YUserIO& io);

    // The ground and design lines of an alignment by the options, else by their names: a
    // DesignCrossSectSurf or a name with "design", "proposed", "finish", "FG", "设计" is the
    // design; a name with "ground", "existing", "natural", "EG", "OG", "地面", "原地" the
    // ground (the design words win, so "Finished Ground" and "设计地面" are design). A line the
    // options name is no candidate for the other role. With two lines of which one is known the
    // other is the other one. Empty where it stays open.
    struct Roles {
        QString ground;
        QString design;
    };
    static Roles GuessRoles(const YLxAlignment& alignment, const YLandXmlOptions& options = {});

    // Vertical curve radius (m) at each profile point: a ParaCurve's L / |g2 - g1| from the
    // grades to its neighbours, a CircCurve's radius (or its length over the grade change);
    // 0 at plain PVIs, at the two ends and where the grade does not change (or so little that
    // the radius would pass 10⁷ m).
    static std::vector<double> Radii(const std::vector<YLxProfilePoint>& profile);
    // Elevation of the design profile at a station (m), the curves as parabolas (a circular
    // curve of radius R as the parabola x² / 2R of road design); empty outside the profile.
    static std::optional<double> DesignElevation(const std::vector<YLxProfilePoint>& profile,
                                                 const std::vector<double>& radii, double station);

    static QString DoneMessage() { return QStringLiteral("从LandXML文件导入数据完成! "); }
    static QString LineMessage(const QString& path, int line, const QString& reason);

  private:
    struct Plan;

    // The alignment to import; empty after the message.
    const YLxAlignment* Choose(const QString& path, const YLandXmlReadResult& read,
                               const QString& name);
    [[nodiscard]] Result Prepare(const QString& path, const YLxAlignment& alignment,
                                 const YLandXmlOptions& options, Plan& plan);
    // The parts of Prepare that refuse at a line of the file: false after the message.
    [[nodiscard]] bool PlanBreaks(const QString& path, const YLxAlignment& alignment, Plan& plan);
    [[nodiscard]] bool PlanRows(const QString& path, const YLxAlignment& alignment,
                                const Roles& roles, Plan& plan);
    bool Bad(const QString& path, int line, const QString& reason);
    [[nodiscard]] bool Write(const Plan& plan);
    [[nodiscard]] bool WriteProject(const Plan& plan);
    [[nodiscard]] bool ClearResults(bool allSegments);

    YDatabase& m_db;
    YUserIO& m_io;
};
