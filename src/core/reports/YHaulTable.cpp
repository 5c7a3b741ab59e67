#include "core/reports/YHaulTable.h"

#include "core/db/YGchSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YConf.h"
#include "core/platform/YUserIO.h"
#include "core/reports/YTableOutput.h"

#include <algorithm>

namespace {
constexpr double kPresent = 0.00001;

} // namespace

YDpgch YHaulTable::EntryOf(const YGchSet& g) {
    YDpgch e;
    e.soil = g.m_dSoil;
    e.rock = g.m_dRock;
    e.soilDistance = g.m_dSoilDist;
    e.rockDistance = g.m_dRockDist;
    // The entry stands for the stretch that lies on this road: where material arrived for
    // haulage, borrow, local borrow and import; where it was taken for waste, local waste and
    // export. Local and cross-project summaries carry the step numbers -1 … -4.
    bool bTake = false;
    switch (g.m_nGCID) {
    case -1:
        e.kind = 3;
        bTake = true;
        break;
    case -2:
        e.kind = 4;
        break;
    case -3:
        e.kind = 5;
        bTake = true;
        break;
    case -4:
        e.kind = 6;
        break;
    default:
        if (g.m_nPit == 0) {
            e.kind = 0;
        } else if (g.m_staTakeStart == g.m_staTakeEnd) {
            e.kind = 1;
        } else {
            e.kind = 2;
            bTake = true;
        }
    }
    e.from = bTake ? g.m_staTakeStart : g.m_staPutStart;
    e.to = bTake ? g.m_staTakeEnd : g.m_staPutEnd;
    return e;
}

QString YHaulTable::KindLabel(int kind) {
    switch (kind) {
    case 0:
        return QStringLiteral("远运利用");
    case 1:
        return QStringLiteral("借    方");
    case 2:
        return QStringLiteral("弃    方");
    case 3:
        return QStringLiteral("就地弃方");
    case 4:
        return QStringLiteral("就地取土");
    case 5:
        return QStringLiteral("调出项目");
    case 6:
        return QStringLiteral("调入项目");
    default:
        return {};
    }
}

bool YHaulTable::Prepare() {
    m_entries.clear();
    m_pages.clear();
    YGchSet& gch = m_doc.GetGchSet();
    if (!gch.Requery() || gch.RecordCount() == 0) {
        m_doc.UserIO().Warning(QStringLiteral("调配未完成！不能输出表！"));
        return false;
    }
    m_entries.reserve(size_t(gch.RecordCount()));
    for (gch.MoveFirst(); !gch.IsEOF(); gch.MoveNext()) {
        m_entries.push_back(EntryOf(gch));
    }
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const YDpgch& a, const YDpgch& b) { return a.from < b.from; });
    const int n = int(m_entries.size());
    for (int first = 0; first < n; first += RowsPerPage) {
        m_pages.push_back({first, std::min(n, first + RowsPerPage)});
    }
    return true;
}

bool YHaulTable::Output(const YHaulTableOptions& opt, const QString& outPath) {
    YUserIO& io = m_doc.UserIO();
    const int tableId = opt.mode == 0 ? YConf::HaulTable : YConf::HaulTable1;
    YTableOutput out(io);
    if (!out.Open(tableId)) {
        return false;
    }
    YXlsxBook& book = out.Book();
    const YStationNumbering& num = m_doc.Numbering();
    const int pages = int(m_pages.size());
    YProgressScope progress(io, QStringLiteral("输出表格数据"), qint64(m_entries.size()));
    const double share = opt.manualShare;

    // The kilometre group being filled: its range goes into column 1 of its first row.
    YStation groupStart;
    YStation groupEnd;
    int groupSheet = -1;
    int groupRow = FirstRow;
    QString groupKm;
    auto writeGroup = [&]() {
        book.SetText(groupSheet, groupRow, 1,
                     num.Text(groupStart) + QStringLiteral("～") + num.Text(groupEnd));
    };
    std::vector<int> sheets;
    qint64 done = 0;
    for (int p = 0; p < pages; ++p) {
        const int sheet = out.NewPage(QStringLiteral("土方运量统计表%1").arg(p + 1));
        sheets.push_back(sheet);
        book.SetText(sheet, 3, 1, m_doc.GetProjectName());
        book.SetText(sheet, 3, 14, YTableOutput::PageText(p + 1, pages));
        const QString names[] = {opt.manual,        opt.bulldozer,  opt.scraper,  opt.excavator,
                                 opt.rockBulldozer, opt.rockManual, opt.dumpTruck};
        for (int k = 0; k < 7; ++k) {
            book.SetText(sheet, 5, 2 + 2 * k, names[k]);
        }
        if (p == 0) {
            groupStart = m_entries[0].from;
            groupEnd = m_entries[0].to;
            groupSheet = sheet;
            groupRow = FirstRow;
            groupKm = num.KmText(groupStart);
        }
        int row = FirstRow;
        for (int i = m_pages[size_t(p)].first; i < m_pages[size_t(p)].last; ++i, ++row) {
            const YDpgch& e = m_entries[size_t(i)];
            if (num.KmText(e.from) != groupKm) {
                // A group that ends inside its own kilometre is closed at the next whole
                // kilometre, and the next group starts there.
                if (num.KmText(groupEnd) == groupKm) {
                    groupEnd = num.KmCeil(groupEnd);
                }
                writeGroup();
                // A long haul of the closed group can reach past this entry's start; the new
                // group then starts at the entry, so no range runs backwards.
                groupStart = e.from < groupEnd ? e.from : groupEnd;
                groupEnd = e.to;
                groupSheet = sheet;
                groupRow = row;
                groupKm = num.KmText(groupStart);
            }
            if (e.to > groupEnd) {
                groupEnd = e.to;
            }
            const double soilKm = e.soilDistance / 1000.0;
            if (share > kPresent && e.soil > kPresent) {
                const double m = e.soil * share / 100.0;
                book.SetNumber(sheet, row, 2, m);
                book.SetNumber(sheet, row, 3, opt.mode == 0 ? soilKm : m * soilKm);
            }
            if (e.soil > kPresent) {
                const double m = e.soil * (100.0 - share) / 100.0;
                const int col = opt.bulldozerLimit > e.soilDistance ? 4
                                : opt.scraperLimit > e.soilDistance ? 6
                                                                    : 8;
                book.SetNumber(sheet, row, col, m);
                book.SetNumber(sheet, row, col + 1, opt.mode == 0 ? soilKm : m * soilKm);
            }
            if (e.rock > kPresent) {
                const double rockKm = e.rockDistance / 1000.0;
                const int col = opt.rockBulldozerLimit > e.rockDistance ? 10
                                : opt.rockManualLimit > e.rockDistance  ? 12
                                                                        : 14;
                book.SetNumber(sheet, row, col, e.rock);
                book.SetNumber(sheet, row, col + 1, opt.mode == 0 ? rockKm : e.rock * rockKm);
            }
            book.SetText(sheet, row, 16, KindLabel(e.kind));
            if (!progress.Advance(++done)) {
                io.Warning(QStringLiteral("已取消，土方运量统计表没有输出。"));
                return false;
            }
        }
    }
    if (pages > 0) {
        writeGroup();
    }
    for (int sheet : sheets) {
        out.EndPage(sheet);
    }
    return out.Finish(outPath);
}
