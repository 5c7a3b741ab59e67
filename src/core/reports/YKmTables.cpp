#include "core/reports/YKmTables.h"

#include "core/db/YGchSet.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YConf.h"
#include "core/platform/YUserIO.h"
#include "core/reports/YHaulTable.h"
#include "core/reports/YTableOutput.h"

#include <QDir>
#include <array>
#include <map>

namespace {

// Column values of one kilometre, by template column; for the haul table the moments
// (m³·m) are kept beside the amounts.
struct KmRow {
    YStation first;
    YStation last;
    std::array<double, 19> v{};
    std::array<double, 3> moment{}; // haul, borrow, waste
};

// Kilometres in road order, keyed by the chainage of their first station.
class KmRows {
  public:
    explicit KmRows(const YStationNumbering& num) : m_num(num) {}

    // The row of start's kilometre; a computed stretch (bStretch) widens its range, a step
    // summary only names the kilometre (its other end may lie far away).
    KmRow& At(const YStation& start, const YStation& end, bool bStretch = false) {
        const QString km = m_num.KmText(start);
        auto it = m_index.find(km);
        if (it == m_index.end()) {
            it = m_index.emplace(km, m_rows.size()).first;
            m_rows.push_back({start, start, {}, {}});
        }
        KmRow& r = m_rows[it->second];
        if (start < r.first) {
            r.first = start;
        }
        if (bStretch && end > r.last) {
            r.last = end;
        }
        return r;
    }
    std::vector<KmRow>& Rows() {
        for (KmRow& r : m_rows) {
            if (!(r.last > r.first)) {
                r.last = m_num.KmCeil(r.first.Value() + 0.001);
            }
        }
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [](const KmRow& a, const KmRow& b) { return a.first < b.first; });
        return m_rows;
    }

  private:
    const YStationNumbering& m_num;
    std::map<QString, size_t> m_index;
    std::vector<KmRow> m_rows;
};

} // namespace

QString YKmTables::TableName(Kind kind) {
    return kind == Kind::Quantities ? QStringLiteral("每公里土石方数量表")
                                    : QStringLiteral("每公里运距表");
}

bool YKmTables::Output(Kind kind, const QString& outPath) {
    YUserIO& io = m_doc.UserIO();
    const YStationNumbering& num = m_doc.Numbering();
    KmRows rows(num);
    YGchSet& gch = m_doc.GetGchSet();
    const bool bHaveSteps = gch.Requery() && gch.RecordCount() > 0;
    if (kind == Kind::Haul && !bHaveSteps) {
        io.Warning(QStringLiteral("调配未完成！不能输出表！"));
        return false;
    }
    // Every kilometre of the computed stretches gets its row, in both tables.
    YTsjsSet& cal = m_doc.GetTsjsSet();
    YZjTsjsSet& mid = m_doc.GetZjTsjsSet();
    if (!cal.Requery() || !mid.Requery() || cal.RecordCount() == 0) {
        io.Warning(QStringLiteral("项目没有土石方计算数据，请先做数据预处理。"));
        return false;
    }
    for (cal.MoveFirst(); !cal.IsEOF(); cal.MoveNext()) {
        KmRow& r = rows.At(cal.m_staStart, cal.m_staEnd, true);
        if (kind != Kind::Quantities) {
            continue;
        }
        r.v[2] += cal.m_dLength;
        r.v[3] += cal.m_dCutTotal;
        for (int k = 0; k < 6; ++k) {
            r.v[size_t(4 + k)] += cal.m_dCut[k];
        }
        r.v[10] += cal.m_dFillTotal;
        // Reuse after the allocation, which may have grown it.
        const bool bMid = mid.FindByStation(cal.m_staStart);
        r.v[11] += bMid ? mid.m_dLocalSoil : cal.m_dLocalSoil;
        r.v[12] += bMid ? mid.m_dLocalRock : cal.m_dLocalRock;
    }
    if (bHaveSteps) {
        for (gch.MoveFirst(); !gch.IsEOF(); gch.MoveNext()) {
            const YDpgch e = YHaulTable::EntryOf(gch);
            const double natural = e.soil + e.rock;
            const double compacted = gch.m_dSoilC + gch.m_dRockC;
            const double moment = e.soil * e.soilDistance + e.rock * e.rockDistance;
            if (kind == Kind::Quantities) {
                switch (e.kind) {
                case 0: // hauled in where it arrived, out where it was taken
                    rows.At(e.from, e.to).v[13] += compacted;
                    rows.At(gch.m_staTakeStart, gch.m_staTakeEnd).v[14] += natural;
                    break;
                case 1:
                case 4:
                    rows.At(e.from, e.to).v[15] += compacted;
                    break;
                case 2:
                case 3:
                    rows.At(e.from, e.to).v[16] += natural;
                    break;
                case 5:
                    rows.At(e.from, e.to).v[17] -= natural;
                    break;
                case 6:
                    rows.At(e.from, e.to).v[17] += compacted;
                    break;
                default:
                    break;
                }
                continue;
            }
            // Haul table: amounts in natural m³ as the haul statistics table counts them.
            const int group = e.kind == 0                    ? 0
                              : (e.kind == 1 || e.kind == 4) ? 1
                              : (e.kind == 2 || e.kind == 3) ? 2
                                                             : -1;
            if (group < 0) {
                continue;
            }
            KmRow& r = rows.At(e.from, e.to);
            r.v[size_t(2 + 3 * group)] += natural;
            r.moment[size_t(group)] += moment;
        }
    }
    std::vector<KmRow>& list = rows.Rows();
    if (list.empty()) {
        io.Warning(QStringLiteral("没有可以输出的数据。"));
        return false;
    }

    YTableOutput out(io);
    const QString name = TableName(kind);
    if (!out.OpenPath(QDir(YConf::DataDir())
                          .filePath(QStringLiteral("templates/") + name + QStringLiteral(".xlsx")),
                      name)) {
        return false;
    }
    YXlsxBook& book = out.Book();
    const int pages = int((list.size() + RowsPerPage - 1) / RowsPerPage);
    const int pageCol = kind == Kind::Quantities ? 16 : 9;
    const int lastCol = kind == Kind::Quantities ? 17 : 10;
    YProgressScope progress(io, QStringLiteral("输出表格数据"), qint64(list.size()));
    for (int p = 0; p < pages; ++p) {
        const int sheet = out.NewPage(name + QString::number(p + 1));
        book.SetText(sheet, 3, 1, m_doc.GetProjectName());
        book.SetText(sheet, 3, pageCol, YTableOutput::PageText(p + 1, pages));
        for (int i = p * RowsPerPage; i < std::min(int(list.size()), (p + 1) * RowsPerPage); ++i) {
            KmRow& r = list[size_t(i)];
            const int row = FirstRow + i - p * RowsPerPage;
            book.SetText(sheet, row, 1,
                         num.Text(r.first) + QStringLiteral("～") + num.Text(r.last));
            if (kind == Kind::Haul) {
                for (int g = 0; g < 3; ++g) {
                    const double amount = r.v[size_t(2 + 3 * g)];
                    if (amount > 0.00001) {
                        r.v[size_t(3 + 3 * g)] = r.moment[size_t(g)] / amount; // m
                        r.v[size_t(4 + 3 * g)] = r.moment[size_t(g)] / 1000.0; // m³·km
                    }
                }
            }
            for (int col = 2; col <= lastCol; ++col) {
                const double v = r.v[size_t(col)];
                if (std::abs(v) > 0.00001) {
                    book.SetNumber(sheet, row, col, v);
                }
            }
            progress.Advance(i + 1);
        }
        out.EndPage(sheet);
    }
    return out.Finish(outPath);
}
