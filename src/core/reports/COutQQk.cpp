#include "core/reports/COutQQk.h"

#include "core/db/YGchSet.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YConf.h"
#include "core/platform/YUserIO.h"
#include "core/reports/YTableOutput.h"

#include <algorithm>
#include <cstdlib>

namespace {

using PitList = std::vector<std::unique_ptr<CQQKTongji>>;

void ReadPits(YPitSet& set, PitList& list) {
    int number = 0;
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        auto pit = std::make_unique<CQQKTongji>();
        pit->station = set.m_staRoad;
        pit->branch = set.m_dBranch;
        pit->number = ++number;
        list.push_back(std::move(pit));
    }
    // Along the road; pits at one station keep the order of the pit table.
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a->station < b->station; });
}

CQQKTongji* FindPit(PitList& list, int number, const YStation& station) {
    for (auto& pit : list) {
        if (pit->number == number) {
            return pit.get();
        }
    }
    for (auto& pit : list) {
        if (pit->station == station) {
            return pit.get();
        }
    }
    return nullptr;
}

} // namespace

COutQQk::COutQQk(CDalvexDoc& doc) : m_doc(doc) {
    ReadPits(doc.GetQtkSet(), m_borrow);
    ReadPits(doc.GetQitkSet(), m_waste);
    YGchSet& gch = doc.GetGchSet();
    if (!gch.Requery()) {
        return;
    }
    for (gch.MoveFirst(); !gch.IsEOF(); gch.MoveNext()) {
        // Negative step numbers are local and cross-project summaries: their 坑 names a link
        // to a neighbouring project, not a pit.
        if (gch.m_nPit == 0 || gch.m_nGCID < 0) {
            continue;
        }
        const bool bBorrow = gch.m_staTakeStart == gch.m_staTakeEnd;
        CQQKTongji* pit = bBorrow ? FindPit(m_borrow, std::abs(gch.m_nPit), gch.m_staTakeStart)
                                  : FindPit(m_waste, std::abs(gch.m_nPit), gch.m_staPutStart);
        if (pit == nullptr) {
            continue;
        }
        CQQGCH e;
        e.start = bBorrow ? gch.m_staPutStart : gch.m_staTakeStart;
        e.end = bBorrow ? gch.m_staPutEnd : gch.m_staTakeEnd;
        e.soil = gch.m_dSoil;
        e.rock = gch.m_dRock;
        e.haul = gch.m_dSoil * gch.m_dSoilDist + gch.m_dRock * gch.m_dRockDist;
        // Before the first entry that starts later: equal starts keep the order of [过程].
        auto at = std::find_if(pit->entries.begin(), pit->entries.end(),
                               [&](const CQQGCH& x) { return x.start > e.start; });
        pit->entries.insert(at, e);
    }
    for (PitList* list : {&m_borrow, &m_waste}) {
        std::erase_if(*list, [](const auto& pit) { return pit->entries.empty(); });
    }
}

bool COutQQk::Output(const QString& outPath) {
    YUserIO& io = m_doc.UserIO();
    const QString name = YConf::TableName(YConf::PitTable);
    if (m_borrow.empty() && m_waste.empty()) {
        io.Error(QStringLiteral("没有经过取土坑或弃土坑的调配，取土弃土场表没有内容。"));
        return false;
    }
    YTableOutput out(io);
    if (!out.Open(YConf::PitTable, name)) {
        return false;
    }
    const YStationNumbering& num = m_doc.Numbering();
    qint64 total = 0;
    for (const PitList* list : {&m_borrow, &m_waste}) {
        for (const auto& pit : *list) {
            total += 1 + qint64(pit->entries.size());
        }
    }
    YProgressScope progress(io, QStringLiteral("输出表格数据"), total);
    int sheet = out.NewPage(name + QString::number(1));
    int row = FirstRow;
    qint64 done = 0;
    auto nextRow = [&]() {
        progress.Advance(++done);
        if (++row > LastRow) {
            out.EndPage(sheet);
            sheet = out.NewPage(name + QString::number(out.PageCount() + 1));
            row = FirstRow;
        }
    };
    YXlsxBook& book = out.Book();
    for (const bool bBorrow : {true, false}) {
        for (const auto& pit : bBorrow ? m_borrow : m_waste) {
            book.SetText(
                sheet, row, 1,
                (bBorrow ? QStringLiteral("JK%1") : QStringLiteral("QK%1")).arg(pit->number));
            book.SetText(sheet, row, 2, num.Text(pit->station));
            book.SetNumber(sheet, row, 5, pit->branch);
            nextRow();
            for (const CQQGCH& e : pit->entries) {
                book.SetText(sheet, row, 3,
                             QStringLiteral("%1~%2").arg(num.Text(e.start), num.Text(e.end)));
                // Any positive amount is shown here, however small.
                for (const auto& [col, value] :
                     {std::pair{bBorrow ? 6 : 8, e.soil}, std::pair{bBorrow ? 7 : 9, e.rock},
                      std::pair{11, e.haul / 1000000.0}}) {
                    if (value > 0.0) {
                        book.SetNumber(sheet, row, col, value);
                    }
                }
                nextRow();
            }
        }
    }
    return out.Finish(outPath);
}
