#pragma once

#include "core/compute/YPreprocessOptions.h"
#include "core/compute/YSegmentCalc.h"
#include "core/station/YStation.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QSqlQuery;
class YFastStatement;
class YDatabase;
class YLcSet;
class YTshlSet;
class YTsxsSet;
class YUserIO;
class YZzmjSet;

// Preprocessing (数据预处理): turns the cross-section areas of [逐桩断面] into one [土石计算]
// row per segment between two consecutive cross-sections — average areas, volumes, the cut
// split into the six classes, compacted volumes, local reuse, and the surplus left for
// allocation split into usable and unusable parts — and copies the rows into
// [土石计算中间表], where allocation keeps the remaining quantities. On the way it deducts the
// road trough, inserts cross-sections at the ends of structures and leaves segments inside a
// structure without earthwork. With project segments it computes the current segment only.
//
// The whole run, from deleting the previous results to the copy into the intermediate table,
// is one transaction: a run that stops half-way ("土石含量数据不全！", "内部错误！", a cancelled
// progress window, a failed statement) leaves the project exactly as it was. The record sets
// of the database are then re-queried by the rollback; after a completed run the caller
// re-queries the sets it holds (the document does so in its Preprocess).
class YPreprocessor {
  public:
    enum class Outcome {
        Done,       // results written and committed
        NoSections, // [逐桩断面] is empty: nothing done, nothing shown
        Stopped,    // a check failed before anything was changed (message shown)
        Declined,   // the user kept the existing results
        RolledBack  // stopped during the run (message shown); nothing changed
    };
    struct Result {
        Outcome outcome = Outcome::Stopped;
        int nSegments = 0;         // [土石计算] rows written
        int nInsertedSections = 0; // cross-sections added at structure ends
        bool Ok() const { return outcome == Outcome::Done; }
    };

    YPreprocessor(YDatabase& db, YUserIO& io);
    ~YPreprocessor();
    YPreprocessor(const YPreprocessor&) = delete;
    YPreprocessor& operator=(const YPreprocessor&) = delete;

    [[nodiscard]] Result Run(const YPreprocessOptions& options);

    // The tables whose rows of the current segment a run replaces, in deletion order.
    static const QStringList& ResultTables();
    // Whether any of them has rows of the current segment (the project then has results and
    // its input is read-only).
    static bool HasResults(YDatabase& db);
    // " WHERE [分段编号] = s" while a current segment filters the per-segment tables.
    static QString SegmentWhere(const YDatabase& db);

  private:
    struct Section;   // one cross-section as read (table values) and as deducted
    struct Structure; // extent of one [构造物] row
    struct Segments;  // where the run starts and ends with project segments
    class Stop;       // thrown inside the run: message to show before the rollback

    [[nodiscard]] bool OpenInputs();
    [[nodiscard]] bool CheckInputs();
    [[nodiscard]] bool ConfirmReplace();
    void ReadStructures();
    void ReadSegments();
    void Compute();
    void DeleteResults();
    void SkipToStart();
    Section ReadSection() const;
    void Deduct(Section& s);
    bool InsertStructureEnds(const Section& s0, Section& s1);
    void InsertSection(const YStation& at, const Section& s0, const Section& s1);
    void ComputeRow(const Section& s0, const Section& s1);
    void ReadContents(const YStation& s1, YSegmentCalc::Material& m);
    void WriteRow(const YTsjsRow& row);
    void CopyToIntermediate();
    void Exec(YFastStatement& statement);
    std::unique_ptr<YFastStatement> Prepare(const QString& sql);
    void ExecSql(const QString& sql);

    YDatabase& m_db;
    YUserIO& m_io;
    YPreprocessOptions m_opt;
    int m_nVersion = 6;
    std::unique_ptr<YZzmjSet> m_zzmj;
    std::unique_ptr<YLcSet> m_lc;
    std::unique_ptr<YTshlSet> m_tshl;
    std::unique_ptr<YTsxsSet> m_tsxs;
    std::unique_ptr<YFastStatement> m_insert;     // [土石计算] rows
    std::unique_ptr<YFastStatement> m_writeAreas; // adjusted areas of [逐桩断面]
    std::vector<Structure> m_structures;
    size_t m_nStructure = 0;
    std::unique_ptr<Segments> m_segments;
    bool m_bTrough = false;
    Result m_result;
};
