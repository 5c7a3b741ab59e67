#include "core/reports/YCalcTable.h"

#include "core/db/YGchSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTsjsExSet.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/db/YZzmjSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YConf.h"
#include "core/platform/YUserIO.h"
#include "core/process/YProcessLog.h"
#include "core/process/YStepReader.h"
#include "core/reports/YTableOutput.h"

#include <algorithm>

namespace {

constexpr double kPresent = 0.00001;
constexpr int kMaxCol = 43;

// Local borrow and waste amounts of one step, on the stretch of this road they concern.
struct LocalStep {
    bool bBorrow = false;
    YStation start;
    YStation end;
    double soil = 0.0, rock = 0.0, soilC = 0.0, rockC = 0.0;
};

std::vector<LocalStep> ReadLocalSteps(CDalvexDoc& doc) {
    std::vector<LocalStep> out;
    std::vector<YDpLogPair> pairs;
    if (!YProcessLog(doc.GetTdpSet()).ReadPairs(pairs)) {
        return out;
    }
    for (const YDpStep& s : YStepReader(pairs).ReadAll({})) {
        const bool bBorrow = s.m_nKind == DpKind::LocalBorrow;
        if (!bBorrow && s.m_nKind != DpKind::LocalWaste &&
            s.m_nKind != DpKind::LocalWasteUnusable) {
            continue;
        }
        LocalStep l;
        l.bBorrow = bBorrow;
        l.start = bBorrow ? s.m_staDstStart : s.m_staSrcStart;
        l.end = bBorrow ? s.m_staDstEnd : s.m_staSrcEnd;
        l.soil = s.m_dAmt[StepAmt::Soil];
        l.rock = s.m_dAmt[StepAmt::Rock];
        l.soilC = s.m_dAmt[StepAmt::SoilC];
        l.rockC = s.m_dAmt[StepAmt::RockC];
        out.push_back(l);
    }
    return out;
}

// Surplus left after the allocation grew the local reuse: the surplus of the preprocessing
// less the growth of the reuse from [土石计算] to [土石计算中间表].
double Surplus(double rem, double calReuse, double midReuse) {
    return rem - std::max(0.0, midReuse - calReuse);
}

} // namespace

YCalcTableOptions::YCalcTableOptions() {
    for (int id = RemSoil; id <= NeedRock; ++id) {
        natural[size_t(id)] = id <= Local;
    }
}

QString YCalcTableOptions::ChoiceText(bool bNatural) {
    return bNatural ? QStringLiteral("自然方") : QStringLiteral("压实方");
}

QString YCalcTableOptions::ItemName(Item item) {
    switch (item) {
    case RemSoil:
        return QStringLiteral("挖余土方");
    case RemRock:
        return QStringLiteral("挖余石方");
    case Local:
        return QStringLiteral("弃方等");
    case FillTotal:
        return QStringLiteral("填方总量");
    case FillSoil:
        return QStringLiteral("填方土方");
    case FillRock:
        return QStringLiteral("填方石方");
    case ReuseSoil:
        return QStringLiteral("本桩利用土方");
    case ReuseRock:
        return QStringLiteral("本桩利用石方");
    case NeedSoil:
        return QStringLiteral("填缺土方");
    case NeedRock:
        return QStringLiteral("填缺石方");
    }
    return {};
}

bool YCalcTable::Prepare(bool perKm) {
    m_pages.clear();
    YGchSet& gch = m_doc.GetGchSet();
    YTsjsSet& cal = m_doc.GetTsjsSet();
    if (!gch.Requery() || !cal.Requery() || gch.RecordCount() == 0 || cal.RecordCount() == 0) {
        return false;
    }
    const YStationNumbering& num = m_doc.Numbering();
    YTablePage page;
    int count = 0;
    for (cal.MoveFirst(); !cal.IsEOF(); cal.MoveNext()) {
        page.stations.push_back(cal.m_staStart);
        ++count;
        if (count >= StretchesPerPage ||
            (perKm && num.KmText(cal.m_staStart) != num.KmText(cal.m_staEnd))) {
            page.stations.push_back(cal.m_staEnd);
            m_pages.push_back(std::move(page));
            page = {};
            count = 0;
        }
    }
    if (!page.stations.empty()) {
        cal.MoveLast();
        if (!(page.stations.back() == cal.m_staEnd)) {
            page.stations.push_back(cal.m_staEnd);
        }
        m_pages.push_back(std::move(page));
    }
    return true;
}

bool YCalcTable::Output(const YCalcTableOptions& opt, const QString& outPath) {
    YUserIO& io = m_doc.UserIO();
    const int pages = int(m_pages.size());
    const int from = std::max(1, opt.fromPage);
    const int to = opt.toPage <= 0 ? pages : std::min(pages, opt.toPage);
    if (from > to) {
        io.Error(QStringLiteral("输出的页码范围不对：共%1页").arg(pages));
        return false;
    }
    const bool six = opt.sixClass;
    YTableOutput out(io);
    if (!out.Open(six ? YConf::ClassDetailTable : YConf::CalcTable)) {
        return false;
    }
    YXlsxBook& book = out.Book();
    const YStationNumbering& num = m_doc.Numbering();
    YZzmjSet& zz = m_doc.GetZzmjSet();
    YTsjsSet& cal = m_doc.GetTsjsSet();
    YZjTsjsSet& mid = m_doc.GetZjTsjsSet();
    YTsjsExSet& ext = m_doc.GetTsjsExSet();
    const bool bExtOpen = ext.IsOpen();
    if (!zz.Requery() || !mid.Requery() || (bExtOpen && !ext.Requery())) {
        io.Error(QStringLiteral("无法读取项目文件，土方计算表没有输出。"));
        return false;
    }
    const bool v2 = m_doc.GetVersion() >= 2;
    const std::vector<LocalStep> locals = ReadLocalSteps(m_doc);

    qint64 total = 0;
    for (int p = from; p <= to; ++p) {
        total += qint64(m_pages[size_t(p - 1)].stations.size());
    }
    YProgressScope progress(io, QStringLiteral("输出表格数据"), total);
    qint64 done = 0;

    // Columns summed for the kilometre subtotal.
    std::array<bool, kMaxCol + 1> summed{};
    for (int c = 5; c <= 17; c += 2) {
        summed[size_t(c)] = true;
    }
    for (int c = 18; c <= (six ? 36 : 24); ++c) {
        summed[size_t(c)] = true;
    }
    std::array<double, kMaxCol + 1> sums{};

    for (int p = from; p <= to; ++p) {
        const YTablePage& page = m_pages[size_t(p - 1)];
        const int sheet = out.NewPage(QStringLiteral("土方计算表%1").arg(p));
        book.SetText(sheet, 3, 1, m_doc.GetProjectName());
        book.SetText(sheet, 3, 27, YTableOutput::PageText(p, pages));
        for (size_t i = 0; i < page.stations.size(); ++i) {
            const YStation& sta = page.stations[i];
            const int row = FirstRow + RowPitch * int(i);
            if (!zz.FindByStation(sta)) {
                io.Error(QStringLiteral("[逐桩断面]中没有桩号%1，土方计算表没有输出。")
                             .arg(num.Text(sta)));
                return false;
            }
            book.SetText(sheet, row, 1, num.Text(sta));
            book.SetNumber(sheet, row, 2, zz.m_dCutArea);
            book.SetNumber(sheet, row, 3, zz.m_dFillArea);
            if (i > 0) {
                const YStation& prev = page.stations[i - 1];
                if (!cal.FindByStation(prev)) {
                    io.Error(
                        QStringLiteral("[土石计算]中没有从%1开始的计算段，土方计算表没有输出。")
                            .arg(num.Text(prev)));
                    return false;
                }
                if (!mid.FindByStation(prev)) {
                    io.Error(QStringLiteral(
                                 "[土石计算中间表]中没有从%1开始的计算段，土方计算表没有输出。")
                                 .arg(num.Text(prev)));
                    return false;
                }
                const bool bExt = bExtOpen && ext.FindByStation(prev);
                auto put = [&](int col, double value) {
                    if (value > kPresent) {
                        book.SetNumber(sheet, row, col, value);
                        if (summed[size_t(col)]) {
                            sums[size_t(col)] += value;
                        }
                    }
                };
                // A choice item: the natural source (absent when it needs the extension
                // record the project lacks) or the compacted one.
                auto choose = [&](int col, YCalcTableOptions::Item item,
                                  std::optional<double> natural, double compacted) {
                    if (opt.Natural(item)) {
                        if (natural) {
                            put(col, *natural);
                        }
                    } else {
                        put(col, compacted);
                    }
                };
                auto fromExt = [&](double v) {
                    return bExt ? std::optional<double>(v) : std::nullopt;
                };
                using O = YCalcTableOptions;
                book.SetNumber(sheet, row, 4, cal.m_dLength);
                put(5, cal.m_dCutTotal);
                for (int k = 0; k < 6; ++k) {
                    put(6 + 2 * k, cal.m_dContent[k]);
                    put(7 + 2 * k, cal.m_dCut[k]);
                }
                choose(18, O::FillTotal, fromExt(ext.m_dFillTotalL), cal.m_dFillTotal);
                if (!six) {
                    choose(19, O::FillSoil, fromExt(ext.m_fill.dSoilLoose), mid.m_dFillSoil);
                    choose(20, O::FillRock, fromExt(ext.m_fill.dRockLoose), mid.m_dFillRock);
                    if (v2) {
                        choose(21, O::ReuseSoil, mid.m_dLocalSoilL, mid.m_dLocalSoil);
                        choose(22, O::ReuseRock, mid.m_dLocalRockL, mid.m_dLocalRock);
                    } else {
                        choose(21, O::ReuseSoil, fromExt(ext.m_local.dSoilLoose), cal.m_dLocalSoil);
                        choose(22, O::ReuseRock, fromExt(ext.m_local.dRockLoose), cal.m_dLocalRock);
                    }
                    choose(23, O::NeedSoil, fromExt(ext.m_need.dSoilLoose), mid.m_dNeedSoil);
                    choose(24, O::NeedRock, fromExt(ext.m_need.dRockLoose), mid.m_dNeedRock);
                    if (v2) {
                        choose(25, O::RemSoil,
                               Surplus(cal.m_rem.dSoil, cal.m_dLocalSoilL, mid.m_dLocalSoilL),
                               Surplus(cal.m_rem.dSoilC, cal.m_dLocalSoil, mid.m_dLocalSoil));
                        choose(26, O::RemRock,
                               Surplus(cal.m_rem.dRock, cal.m_dLocalRockL, mid.m_dLocalRockL),
                               Surplus(cal.m_rem.dRockC, cal.m_dLocalRock, mid.m_dLocalRock));
                    } else {
                        // Layout 1 keeps no compacted surplus: both choices show the surplus
                        // less the growth of the (compacted) reuse.
                        const double soil =
                            Surplus(cal.m_rem.dSoil, cal.m_dLocalSoil, mid.m_dLocalSoil);
                        const double rock =
                            Surplus(cal.m_rem.dRock, cal.m_dLocalRock, mid.m_dLocalRock);
                        choose(25, O::RemSoil, soil, soil);
                        choose(26, O::RemRock, rock, rock);
                    }
                } else {
                    for (int k = 0; k < 6; ++k) {
                        const bool soil = k < 3;
                        const int c = k % 3;
                        choose((soil ? 19 : 22) + c, soil ? O::FillSoil : O::FillRock,
                               mid.m_dFill[k], mid.m_dFillC[k]);
                        choose((soil ? 25 : 28) + c, soil ? O::ReuseSoil : O::ReuseRock,
                               mid.m_dLocal[k], mid.m_dLocalC[k]);
                        choose((soil ? 31 : 34) + c, soil ? O::NeedSoil : O::NeedRock,
                               mid.m_dNeed[k], mid.m_dNeedC[k]);
                        choose(37 + k, soil ? O::RemSoil : O::RemRock,
                               Surplus(cal.m_rem.d[k], cal.m_dLocal[k], mid.m_dLocal[k]),
                               Surplus(cal.m_rem.dC[k], cal.m_dLocalC[k], mid.m_dLocalC[k]));
                    }
                }
            }
            if (!progress.Advance(++done)) {
                io.Warning(QStringLiteral("已取消，土方计算表没有输出。"));
                return false;
            }
        }

        // Local borrow and waste of the steps whose stretch lies within the page.
        const YStation& first = page.stations.front();
        const YStation& last = page.stations.back();
        double borrowSoil = 0.0, borrowRock = 0.0, wasteSoil = 0.0, wasteRock = 0.0;
        const bool natural = opt.Natural(YCalcTableOptions::Local);
        for (const LocalStep& l : locals) {
            if (l.start >= first && l.end <= last) {
                (l.bBorrow ? borrowSoil : wasteSoil) += natural ? l.soil : l.soilC;
                (l.bBorrow ? borrowRock : wasteRock) += natural ? l.rock : l.rockC;
            }
        }
        const int cells[4][2] = {{67, 2},
                                 {six ? 67 : 69, six ? 4 : 2},
                                 {six ? 69 : 71, 2},
                                 {six ? 69 : 73, six ? 4 : 2}};
        const double values[4] = {borrowSoil, borrowRock, wasteSoil, wasteRock};
        for (int k = 0; k < 4; ++k) {
            if (values[k] > kPresent) {
                book.SetNumber(sheet, cells[k][0], cells[k][1], values[k]);
            }
        }

        // The kilometre subtotal, after a page whose last stretch reaches into the next
        // kilometre and after the last page.
        const size_t n = page.stations.size();
        const bool kmEnds = n >= 2 && num.KmText(page.stations[n - 2]) != num.KmText(last);
        if (opt.perKm && (kmEnds || p == pages)) {
            book.InsertRows(sheet, SubtotalRow);
            book.SetText(sheet, SubtotalRow, 1, QStringLiteral("每公里小计"));
            for (int c = 1; c <= kMaxCol; ++c) {
                if (sums[size_t(c)] > kPresent) {
                    book.SetNumber(sheet, SubtotalRow, c, sums[size_t(c)]);
                }
            }
            sums.fill(0.0);
        }
        out.EndPage(sheet);
    }

    if (m_diagram) {
        if (const auto picture = m_diagram(opt)) {
            const int sheet = book.AddSheet(QStringLiteral("调配图"));
            if (!book.AddPicture(sheet, 1, 1, picture->png, picture->width, picture->height)) {
                io.Error(book.LastError());
                return false;
            }
        }
    }
    return out.Finish(outPath);
}
