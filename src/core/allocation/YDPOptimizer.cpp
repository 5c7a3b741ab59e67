#include "core/allocation/YDPOptimizer.h"

#include "core/allocation/YDPAutoAllocator.h"
#include "core/allocation/YDPCalLocal.h"
#include "core/allocation/YDPCalTool.h"
#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStepRun.h"
#include "core/db/YDatabase.h"
#include "core/db/YQitkSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YQitukItem.h"
#include "core/model/YQutukItem.h"
#include "core/platform/YSilentUserIO.h"
#include "core/platform/YUserIO.h"
#include "core/process/YFinish.h"
#include "core/process/YHaulExtras.h"
#include "core/process/YHaulExtrasLoader.h"
#include "core/process/YMidRowOps.h"
#include "core/process/YProcessRecorder.h"

#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <lemon/network_simplex.h>
#include <lemon/smart_graph.h>
#include <limits>
#include <vector>

const QString YDPOptimizer::kRuleRefused = QStringLiteral(
    "最优调配只按首要原则“优先使用土方”或“土方石齐用”调配,不能“填到指定厚度”,请先修改调配设置。");

namespace {

using Units = long long;
// Flow unit: the recorder's amount grid, so amounts of whole units are stored exactly.
constexpr double kUnit = 1.0 / 1048576.0; // m³
// Cost unit: 0.01 mm of haul per unit of flow; fine enough that rounded arc costs keep the
// optimum to far better than 1e-6, coarse enough that LEMON's artificial cost (half the range of
// long long) never meets a real potential.
constexpr double kCostScale = 1e5; // per m

Units ToUnits(double v) {
    return v > 0.0 ? Units(std::floor(v / kUnit + 0.5)) : 0;
}

Units FloorUnits(double v) {
    return v > 0.0 ? Units(std::floor(v / kUnit)) : 0;
}

// A node of a line: a segment's extent and centre.
struct Span {
    double lo = 0.0;
    double hi = 0.0;
    double c = 0.0;
};

// What travels on a line: a lot of material from a source, and a need waiting for it.
enum class From { Segment, Unusable, BorrowPit };
struct Lot {
    From type = From::Segment;
    int src = -1;
    Units u = 0;
};
struct Need {
    int dst = -1; // segment index (fill line) or waste pit index (waste line)
    Units u = 0;
};
struct Planned {
    Lot lot;
    int dst = -1;
    int stretch = 0;
    qint32 classes = 0; // a waste share of one group of classes only (0: as the rule takes)
};

// One line's injections and needs by node, split into transfers by a sweep from the first node
// to the last. At every node the needs there are served by what enters there first; what is
// left then meets the nearest open need behind (material moving back) or waits for the nearest
// need ahead. At most one of the two stacks is non-empty at a time, so every arc carries what
// the optimal flow carries, in one direction, and the haul moment is the optimum's. A stretch
// ends where nothing crosses to the next node.
std::vector<Planned> Sweep(const std::vector<std::vector<Lot>>& in,
                           const std::vector<std::vector<Need>>& out, int& stretches) {
    std::vector<Planned> plan;
    std::vector<Lot> ahead; // lots moving on towards later nodes
    std::vector<Need> back; // needs of earlier nodes, waiting for later lots
    int stretch = 0;
    bool used = false;
    auto pair = [&](Lot& lot, Need& need) {
        const Units u = std::min(lot.u, need.u);
        if (u > 0) {
            plan.push_back({{lot.type, lot.src, u}, need.dst, stretch});
            used = true;
        }
        lot.u -= u;
        need.u -= u;
    };
    for (size_t i = 0; i < in.size(); ++i) {
        std::vector<Lot> lots = in[i];
        std::vector<Need> needs = out[i];
        size_t a = 0;
        size_t b = 0;
        while (a < lots.size() && b < needs.size()) {
            pair(lots[a], needs[b]);
            a += lots[a].u == 0 ? 1 : 0;
            b += needs[b].u == 0 ? 1 : 0;
        }
        for (; a < lots.size(); ++a) {
            while (lots[a].u > 0 && !back.empty()) {
                pair(lots[a], back.back());
                if (back.back().u == 0) {
                    back.pop_back();
                }
            }
            if (lots[a].u > 0) {
                ahead.push_back(lots[a]);
            }
        }
        for (; b < needs.size(); ++b) {
            while (needs[b].u > 0 && !ahead.empty()) {
                pair(ahead.back(), needs[b]);
                if (ahead.back().u == 0) {
                    ahead.pop_back();
                }
            }
            if (needs[b].u > 0) {
                back.push_back(needs[b]);
            }
        }
        if (ahead.empty() && back.empty() && used) {
            ++stretch;
            used = false;
        }
    }
    stretches = stretch + (used ? 1 : 0);
    return plan;
}

// The min-cost flow problem, built arc by arc; ids follow SmartDigraph's numbering.
struct Network {
    std::vector<Units> supply;
    std::vector<int> from, to;
    std::vector<Units> cap; // -1: unbounded
    std::vector<double> cost;

    int AddNode(Units s = 0) {
        supply.push_back(s);
        return int(supply.size()) - 1;
    }
    // Rows beyond the nodes' balances, Σ coefficient × flow ≤ bound in m³: a waste pit's natural
    // capacity over the compacted flows of sources of different bulk.
    struct Side {
        std::vector<std::pair<int, double>> terms; // arc, coefficient
        double bound = 0.0;
    };
    std::vector<Side> sides;

    int AddArc(int u, int v, double c, Units capacity = -1) {
        from.push_back(u);
        to.push_back(v);
        cost.push_back(c);
        cap.push_back(capacity);
        return int(from.size()) - 1;
    }
    // Solves; flows by arc id, false when no optimum exists.
    bool Solve(std::vector<Units>& flow) const {
        lemon::SmartDigraph g;
        g.reserveNode(int(supply.size()));
        g.reserveArc(int(from.size()));
        for (size_t i = 0; i < supply.size(); ++i) {
            g.addNode();
        }
        for (size_t a = 0; a < from.size(); ++a) {
            g.addArc(g.nodeFromId(from[a]), g.nodeFromId(to[a]));
        }
        using NS = lemon::NetworkSimplex<lemon::SmartDigraph, Units, Units>;
        NS ns(g);
        lemon::SmartDigraph::ArcMap<Units> upper(g), unitCost(g);
        lemon::SmartDigraph::NodeMap<Units> sup(g);
        for (size_t a = 0; a < from.size(); ++a) {
            const lemon::SmartDigraph::Arc arc = g.arcFromId(int(a));
            upper[arc] = cap[a] < 0 ? ns.INF : cap[a];
            unitCost[arc] = Units(std::llround(cost[a] * kCostScale));
        }
        for (size_t n = 0; n < supply.size(); ++n) {
            sup[g.nodeFromId(int(n))] = supply[n];
        }
        ns.upperMap(upper).costMap(unitCost).supplyMap(sup);
        // Any pivot rule ends at an optimum; on the long road's line this one is the fastest.
        if (ns.run(NS::CANDIDATE_LIST) != NS::OPTIMAL) {
            return false;
        }
        flow.assign(from.size(), 0);
        for (size_t a = 0; a < from.size(); ++a) {
            flow[a] = ns.flow(g.arcFromId(int(a)));
        }
        return true;
    }

    // The problem with its side rows, a linear programme over flows in m³ (CLP's dual
    // simplex); false when it finds no optimum.
    bool SolveWithSides(std::vector<double>& flow) const {
        const int nodes = int(supply.size());
        const int rows = nodes + int(sides.size());
        const int cols = int(from.size());
        std::vector<int> r, c;
        std::vector<double> v;
        auto entry = [&](int row, int col, double value) {
            r.push_back(row);
            c.push_back(col);
            v.push_back(value);
        };
        std::vector<double> colLo(size_t(cols), 0.0);
        std::vector<double> colUp(size_t(cols), 0.0);
        std::vector<double> obj(cost);
        for (int a = 0; a < cols; ++a) {
            entry(from[size_t(a)], a, 1.0); // what leaves a node less what enters = its supply
            entry(to[size_t(a)], a, -1.0);
            colUp[size_t(a)] = cap[size_t(a)] < 0 ? COIN_DBL_MAX : double(cap[size_t(a)]) * kUnit;
        }
        std::vector<double> rowLo(size_t(rows), -COIN_DBL_MAX);
        std::vector<double> rowUp(size_t(rows), 0.0);
        for (int n = 0; n < nodes; ++n) {
            rowLo[size_t(n)] = rowUp[size_t(n)] = double(supply[size_t(n)]) * kUnit;
        }
        for (size_t k = 0; k < sides.size(); ++k) {
            for (const auto& [a, coef] : sides[k].terms) {
                entry(nodes + int(k), a, coef);
            }
            rowUp[size_t(nodes) + k] = sides[k].bound;
        }
        CoinPackedMatrix m(true, r.data(), c.data(), v.data(), CoinBigIndex(v.size()));
        m.setDimensions(rows, cols);
        ClpSimplex lp;
        lp.setLogLevel(0);
        lp.loadProblem(m, colLo.data(), colUp.data(), obj.data(), rowLo.data(), rowUp.data());
        lp.dual();
        if (lp.status() != 0) {
            return false;
        }
        const double* x = lp.primalColumnSolution();
        flow.assign(x, x + cols);
        return true;
    }
};

// Structures seen from the line: those that may not be crossed cut it, the detours of the
// others add to the haul across them (the log's rule, YHaulExtras).
class LineRules {
  public:
    explicit LineRules(CDalvexDoc& doc)
        : m_structures(doc.Model().m_arrGZW), m_extras(YHaulExtrasLoader::Load(doc)) {}

    // No transfer between two spans may cross a structure that may not be crossed: one that
    // lies within their outer extent (the strategies' check) or across the stretch between
    // their centres (so no path along the line passes one).
    bool Blocked(const Span& a, const Span& b) const {
        const double lo = std::min(a.lo, b.lo);
        const double hi = std::max(a.hi, b.hi);
        const double c0 = std::min(a.c, b.c);
        const double c1 = std::max(a.c, b.c);
        for (const YGZWItem& s : m_structures) {
            if (s.m_bCross) {
                continue;
            }
            if ((YStation(lo) <= s.m_staStart && s.m_staEnd <= YStation(hi)) ||
                (s.m_staStart.Value() < c1 && s.m_staEnd.Value() > c0)) {
                return true;
            }
        }
        return false;
    }
    double Distance(const Span& a, const Span& b) const {
        return YDPCostModel::Distance(m_extras, a.lo, a.hi, b.lo, b.hi);
    }
    const YHaulExtras& Extras() const { return m_extras; }

  private:
    const std::vector<YGZWItem>& m_structures;
    YHaulExtras m_extras;
};

// What a compacted m³ of a surplus weighs in a waste pit (natural m³). Classes leaving together
// keep the surplus's mix. When soil leaves first, the fills take the soil and a waste share
// takes rock before soil, so the two groups are two pieces, rock the first to reach a pit;
// where rock is the bulkier group that order would not hold and the bulkier one counts for all.
struct Bulk {
    double all = 0.0; // one piece
    bool split = false;
    double rock = 0.0, soil = 0.0;         // compacted m³ of each group
    double rockBulk = 0.0, soilBulk = 0.0; // natural per compacted

    // Of a share of one group (RockMask, SoilMask) or of the whole (0).
    double Of(qint32 classes) const {
        return classes == YClass::RockMask   ? rockBulk
               : classes == YClass::SoilMask ? soilBulk
                                             : all;
    }
};

// Everything the plan starts from, in compacted m³. Only segments with something to give or
// take are nodes of the lines: an empty segment (one spanning a bridge, say) then lies in the
// gap between two nodes, where its structures block or add their detours as the log's rule has
// it.
struct Inputs {
    std::vector<int> idx; // segment index of each node
    std::vector<Span> seg;
    std::vector<double> use, unuse, fill; // by segment
    std::vector<Bulk> useBulk, unuseBulk;
    std::vector<double> borrow;          // by borrow pit: contents
    std::vector<double> waste;           // by waste pit: capacity as it stands, natural m³
    double bulk = 0.0;                   // the project's bulkiest class
    std::vector<Span> borrowAt, wasteAt; // pits as points on the line

    // A waste pit's capacity as the network counts it, in compacted m³ of the bulkiest class,
    // which no mix can overfill.
    double WasteCompacted(size_t q) const { return bulk > 0.0 ? waste[q] / bulk : 0.0; }
};

double CompactedSum(const DpBlock& b) {
    double s = 0.0;
    for (int k = 1; k <= 6; ++k) {
        s += b[size_t(DpAmt::ClsC(k))];
    }
    return s;
}

// Natural per compacted m³ at its largest over every class the project holds: a waste pit's
// capacity (natural m³) counts in the plan as capacity / this, so no mix can overfill it.
double Bulkiest(const DpBlock& b, double current) {
    for (int k = 1; k <= 6; ++k) {
        const double c = b[size_t(DpAmt::ClsC(k))];
        if (c > 0.0) {
            current = std::max(current, b[size_t(DpAmt::Cls(k))] / c);
        }
    }
    return current;
}

// Natural and compacted m³ of the classes of a mask.
std::pair<double, double> GroupSums(const DpBlock& b, qint32 mask) {
    double natural = 0.0;
    double compacted = 0.0;
    for (int k = 1; k <= 6; ++k) {
        if ((mask & YClass::Bit(k)) != 0) {
            natural += b[size_t(DpAmt::Cls(k))];
            compacted += b[size_t(DpAmt::ClsC(k))];
        }
    }
    return {natural, compacted};
}

Bulk SourceBulk(const DpBlock& b, bool together) {
    auto ratio = [](std::pair<double, double> nc) {
        return nc.second > 0.0 ? nc.first / nc.second : 0.0;
    };
    Bulk w;
    w.all = ratio(GroupSums(b, YClass::AllMask));
    if (together) {
        return w;
    }
    const auto rock = GroupSums(b, YClass::RockMask);
    const auto soil = GroupSums(b, YClass::SoilMask);
    w.rock = rock.second;
    w.soil = soil.second;
    w.rockBulk = ratio(rock);
    w.soilBulk = ratio(soil);
    w.split = w.rock > 0.0 && w.soil > 0.0 && w.rockBulk < w.soilBulk;
    w.all = std::max(w.rockBulk, w.soilBulk);
    return w;
}

Inputs ReadInputs(CDalvexDoc& doc) {
    Inputs in;
    const std::vector<YTFItem>& segs = doc.Segments();
    YZjTsjsSet& mid = doc.GetZjTsjsSet();
    const bool together = (g_nDPRule & DPR_ACCEPT_MASK) == DPR_TOGETHER;
    double bulk = 0.0;
    for (const double c : YDPStepRun::Coefficients(doc)) {
        bulk = std::max(bulk, c);
    }
    for (size_t i = 0; i < segs.size(); ++i) {
        const YTFItem& s = segs[i];
        const double lo = s.m_staStart.Value();
        const double hi = s.m_staEnd.Value();
        DpBlock u{};
        DpBlock x{};
        double need = 0.0;
        if (mid.FindByStation(s.m_staStart)) {
            YMidRowOps::TakeSurplus(mid, false, u);
            YMidRowOps::TakeSurplus(mid, true, x);
            need = mid.m_dFillAfterLocal;
        }
        bulk = Bulkiest(x, Bulkiest(u, bulk));
        if (ToUnits(CompactedSum(u)) + ToUnits(CompactedSum(x)) + ToUnits(need) == 0) {
            continue;
        }
        in.useBulk.push_back(SourceBulk(u, together));
        in.unuseBulk.push_back(SourceBulk(x, together));
        in.idx.push_back(int(i));
        in.seg.push_back({lo, hi, 0.5 * (lo + hi)});
        in.use.push_back(CompactedSum(u));
        in.unuse.push_back(CompactedSum(x));
        in.fill.push_back(std::max(need, 0.0));
    }
    auto& borrowPits = doc.Model().m_arrQutuk;
    for (size_t p = 0; p < borrowPits.size(); ++p) {
        DpProcess probe(DpKind::Borrow, 0, 0, &borrowPits[p], DpEnd{}, int(p));
        YProcessRecorder::TakeBefore(doc, probe);
        in.borrow.push_back(CompactedSum(probe.before));
        const double r = borrowPits[p].m_staRoad.Value();
        in.borrowAt.push_back({r, r, r});
    }
    YQitkSet& qitk = doc.GetQitkSet();
    auto& wastePits = doc.Model().m_arrQituk;
    for (size_t q = 0; q < wastePits.size(); ++q) {
        const double capacity = qitk.SetPosition(int(q)) ? qitk.m_dCapacity : 0.0;
        in.waste.push_back(std::max(capacity, 0.0));
        const double r = wastePits[q].m_staRoad.Value();
        in.wasteAt.push_back({r, r, r});
    }
    in.bulk = bulk;
    return in;
}

// The plan of one run: the transfers of the two lines, the dumps and the takes.
struct Plan {
    std::vector<Planned> fillLine;
    std::vector<Planned> wasteLine;
    int nFillStretches = 0;
    int nWasteStretches = 0;
    std::vector<Units> dumpUse, dumpUnuse, take; // by segment
    double dCost = 0.0;
    bool bPitFull = false; // a waste pit took all the plan let it take
    // Direct mode: what each source sends to each waste pit (dst), at what cost per m³.
    std::vector<std::pair<Planned, double>> direct;
};

// The two segments on either side of a point of the line (centres at or before it, after it).
std::pair<int, int> Neighbours(const std::vector<Span>& seg, double r) {
    const auto it = std::upper_bound(seg.begin(), seg.end(), r,
                                     [](double v, const Span& s) { return v < s.c; });
    const int after = int(it - seg.begin());
    return {after - 1, after < int(seg.size()) ? after : -1};
}

// Arcs with a part in the plan, remembered by role.
struct Role {
    enum Kind { UseFill, UseWaste, UseDump, UnuseDump, Take, Borrow, Waste, Direct } kind;
    int a = -1; // segment, or pit
    int b = -1; // segment a pit meets the line at; for Direct, the pit
    bool unusable = false;
    qint32 classes = 0; // Direct: the group of classes of the share
};

using Reachable = std::vector<std::vector<std::pair<int, double>>>; // by node: pit, cost

// Walks the line both ways from node m (reached from pit q at cost d0) while the cost stays
// below limit, keeping each node's cheapest cost to the pit.
void Reach(const std::vector<double>& hop, size_t m, double d0, double limit, int q,
           Reachable& reach) {
    auto keep = [&](size_t i, double d) {
        for (auto& [pit, c] : reach[i]) {
            if (pit == q) {
                c = std::min(c, d);
                return;
            }
        }
        reach[i].push_back({q, d});
    };
    if (!(d0 < limit)) {
        return;
    }
    keep(m, d0);
    double d = d0;
    for (size_t i = m; i < hop.size() && hop[i] >= 0.0 && (d += hop[i]) < limit; ++i) {
        keep(i + 1, d);
    }
    d = d0;
    for (size_t i = m; i > 0 && hop[i - 1] >= 0.0 && (d += hop[i - 1]) < limit; --i) {
        keep(i - 1, d);
    }
}

// Direct mode's solve: the linear programme, and what it sends to each pit, on the grid.
bool SolveDirect(const Network& net, const std::vector<Role>& roles, Plan& plan) {
    std::vector<double> flow;
    if (!net.SolveWithSides(flow)) {
        return false;
    }
    for (size_t a = 0; a < flow.size(); ++a) {
        const Role& r = roles[a];
        const Units u = FloorUnits(flow[a]);
        if (r.kind == Role::Direct && u > 0) {
            const From type = r.unusable ? From::Unusable : From::Segment;
            plan.direct.push_back({Planned{{type, r.a, u}, r.b, 0, r.classes}, net.cost[a]});
        }
    }
    return true;
}

// Direct: no waste line; every source within a dump's cost of a waste pit gets an arc of its
// own to it, so a pit's natural capacity holds over the sources' own bulk (a side row of a
// linear programme); the plan is then only plan.direct, what goes to the pits.
bool MakePlan(const Inputs& in, const LineRules& rules, const YDPCostModel::Options& opt,
              Plan& plan, bool direct = false) {
    const int n = int(in.seg.size());
    const size_t N = size_t(n);
    std::vector<Units> fill(N), use(N), unuse(N);
    for (size_t i = 0; i < N; ++i) {
        fill[i] = ToUnits(in.fill[i]);
        use[i] = ToUnits(in.use[i]);
        unuse[i] = ToUnits(in.unuse[i]);
    }
    // The hops between neighbouring nodes, shared by both lines; a blocked hop is no arc.
    std::vector<double> hop(N > 0 ? N - 1 : 0, -1.0);
    for (size_t i = 0; i + 1 < N; ++i) {
        if (!rules.Blocked(in.seg[i], in.seg[i + 1])) {
            hop[i] = rules.Distance(in.seg[i], in.seg[i + 1]);
        }
    }
    const YHaulExtras& extras = rules.Extras();
    auto branch = [](const std::vector<double>& v, size_t i) { return i < v.size() ? v[i] : 0.0; };
    // Where each pit meets the line, at what cost; -1 where it does not.
    struct Meet {
        int seg[2] = {-1, -1};
        double d[2] = {0.0, 0.0};
    };
    auto meet = [&](const Span& at, double extra) {
        Meet m;
        const auto [before, after] = Neighbours(in.seg, at.c);
        int k = 0;
        for (const int i : {before, after}) {
            if (i >= 0 && !rules.Blocked(at, in.seg[size_t(i)])) {
                m.seg[k] = i;
                m.d[k] = rules.Distance(at, in.seg[size_t(i)]) + extra;
                ++k;
            }
        }
        return m;
    };
    std::vector<Meet> borrowMeet(in.borrow.size()), wasteMeet(in.waste.size());
    for (size_t p = 0; p < in.borrow.size(); ++p) {
        if (FloorUnits(in.borrow[p]) > 0 && n > 0) {
            borrowMeet[p] = meet(in.borrowAt[p], branch(extras.borrowBranch, p) + opt.dBorrow);
        }
    }
    // The waste line only where a waste pit is cheaper than the dump beside the segment: the
    // cheapest way to a pit along the line, from both ends. Elsewhere material entering the
    // line could be dumped where it enters for no more, so leaving those nodes out keeps the
    // optimum.
    constexpr double kFar = std::numeric_limits<double>::infinity();
    std::vector<double> toPit(N, kFar);
    for (size_t q = 0; q < in.waste.size(); ++q) {
        if (FloorUnits(in.WasteCompacted(q)) > 0 && n > 0) {
            wasteMeet[q] = meet(in.wasteAt[q], branch(extras.wasteBranch, q) + opt.dWaste);
            for (int k = 0; k < 2; ++k) {
                const int i = wasteMeet[q].seg[k];
                if (i >= 0) {
                    toPit[size_t(i)] = std::min(toPit[size_t(i)], wasteMeet[q].d[k]);
                }
            }
        }
    }
    for (size_t i = 0; i + 1 < N; ++i) {
        if (hop[i] >= 0.0) {
            toPit[i + 1] = std::min(toPit[i + 1], toPit[i] + hop[i]);
        }
    }
    for (size_t i = N; i-- > 1;) {
        if (hop[i - 1] >= 0.0) {
            toPit[i - 1] = std::min(toPit[i - 1], toPit[i] + hop[i - 1]);
        }
    }
    // Direct mode: the pits each node reaches for less than the dump, at their cheapest cost.
    Reachable reach(direct ? N : 0);
    for (size_t q = 0; direct && q < in.waste.size(); ++q) {
        for (int k = 0; k < 2; ++k) {
            const int m = wasteMeet[q].seg[k];
            if (m >= 0) {
                Reach(hop, size_t(m), wasteMeet[q].d[k], opt.dLocalDump, int(q), reach);
            }
        }
    }
    std::vector<bool> onWaste(N), onFill(N);
    for (size_t i = 0; i < N; ++i) {
        onWaste[i] = toPit[i] < opt.dLocalDump && (use[i] > 0 || unuse[i] > 0);
        onFill[i] = use[i] > 0 || fill[i] > 0;
    }
    for (const Meet& m : borrowMeet) {
        for (const int i : m.seg) {
            if (i >= 0) {
                onFill[size_t(i)] = true;
            }
        }
    }
    for (const Meet& m : wasteMeet) {
        for (int k = 0; k < 2; ++k) {
            const int i = m.seg[k];
            if (i >= 0 && m.d[k] < opt.dLocalDump) {
                onWaste[size_t(i)] = true;
            }
        }
    }
    // A surplus with a way to a pit has a node of its own (the waste line's, or its own).
    std::vector<bool> ownNode(N);
    for (size_t i = 0; i < N; ++i) {
        if (direct) {
            onWaste[i] = false;
        }
        ownNode[i] = onWaste[i] || (direct && !reach[i].empty());
    }

    Network net;
    Units totalSupply = 0;
    Units totalFill = 0;
    std::vector<int> fillNode(N, -1), wasteNode(N, -1);
    for (size_t i = 0; i < N; ++i) {
        // A usable surplus without the waste line sits on its fill node (below).
        if (onFill[i]) {
            fillNode[i] = net.AddNode(-fill[i] + (ownNode[i] ? 0 : use[i]));
        }
        if (onWaste[i]) {
            wasteNode[i] = net.AddNode(unuse[i]);
        }
        totalFill += fill[i];
    }
    const int bin = net.AddNode();
    const int take = net.AddNode();
    // A line joins consecutive nodes of its own; nodes with nothing to give or take there are
    // passed through at the sum of their hops, as the flow along them would pay.
    auto chain = [&](const std::vector<int>& node) {
        int last = -1;
        double d = 0.0;
        for (size_t i = 0; i < N; ++i) {
            if (i > 0 && hop[i - 1] < 0.0) {
                last = -1;
                d = 0.0;
            } else if (i > 0) {
                d += hop[i - 1];
            }
            if (node[i] < 0) {
                continue;
            }
            if (last >= 0) {
                net.AddArc(last, node[i], d);
                net.AddArc(node[i], last, d);
            }
            last = node[i];
            d = 0.0;
        }
    };
    chain(fillNode);
    chain(wasteNode);
    std::vector<Role> roles;
    auto addRole = [&](int arc, Role r) {
        roles.resize(size_t(arc) + 1, Role{Role::UseFill, -1, -1});
        roles[size_t(arc)] = r;
    };
    plan.dumpUse.assign(N, 0);
    plan.dumpUnuse.assign(N, 0);
    plan.take.assign(N, 0);
    double forced = 0.0; // the cost of dumps with no other way out
    std::vector<int> pitNode(direct ? in.waste.size() : 0, -1);
    for (size_t q = 0; q < pitNode.size(); ++q) {
        pitNode[q] = net.AddNode();
        net.AddArc(pitNode[q], bin, 0.0);
        net.sides.push_back({{}, in.waste[q]});
    }
    // A source's own arcs to the pits it reaches, its bulk counted against their capacity;
    // split in two pieces, the soil piece a hair dearer so rock reaches a pit first.
    auto piece = [&](int from, size_t i, bool unusable, qint32 classes) {
        const double bulk = (unusable ? in.unuseBulk : in.useBulk)[i].Of(classes);
        for (const auto& [q, c] : reach[i]) {
            const int a = net.AddArc(from, pitNode[size_t(q)], c);
            addRole(a, {Role::Direct, int(i), q, unusable, classes});
            net.sides[size_t(q)].terms.push_back({a, bulk});
        }
    };
    auto toPits = [&](int s, size_t i, bool unusable) {
        const Bulk& w = (unusable ? in.unuseBulk : in.useBulk)[i];
        if (!w.split) {
            piece(s, i, unusable, 0);
            return;
        }
        const int rock = net.AddNode();
        const int soil = net.AddNode();
        net.AddArc(s, rock, 0.0, FloorUnits(w.rock));
        net.AddArc(s, soil, 1e-6, FloorUnits(w.soil));
        piece(rock, i, unusable, YClass::RockMask);
        piece(soil, i, unusable, YClass::SoilMask);
    };
    for (size_t i = 0; i < N; ++i) {
        const int seg = int(i);
        const Units u = use[i];
        if (u > 0 && direct && ownNode[i]) {
            const int s = net.AddNode(u);
            addRole(net.AddArc(s, fillNode[i], 0.0), {Role::UseFill, seg});
            addRole(net.AddArc(s, bin, opt.dLocalDump), {Role::UseDump, seg});
            toPits(s, i, false);
        } else if (u > 0 && onWaste[i]) {
            // Three ways out: a node of its own keeps what enters the two lines and the dump
            // together within the surplus.
            const int s = net.AddNode(u);
            addRole(net.AddArc(s, fillNode[i], 0.0), {Role::UseFill, seg});
            addRole(net.AddArc(s, wasteNode[i], 0.0), {Role::UseWaste, seg});
            addRole(net.AddArc(s, bin, opt.dLocalDump), {Role::UseDump, seg});
        } else if (u > 0) {
            // Two ways out: the dump, capped at the surplus, so the fill line's material never
            // leaves by it; the rest stays on the fill line.
            addRole(net.AddArc(fillNode[i], bin, opt.dLocalDump, u), {Role::UseDump, seg});
        }
        totalSupply += u;
        const Units x = unuse[i];
        if (x > 0 && direct && ownNode[i]) {
            const int s = net.AddNode(x);
            addRole(net.AddArc(s, bin, opt.dLocalDump), {Role::UnuseDump, seg});
            toPits(s, i, true);
            totalSupply += x;
        } else if (x > 0 && onWaste[i]) {
            // Capped likewise: the rest of the unusable surplus goes on along the waste line.
            addRole(net.AddArc(wasteNode[i], bin, opt.dLocalDump, x), {Role::UnuseDump, seg});
            totalSupply += x;
        } else if (x > 0) {
            // No pit pays more than the dump: nothing to choose.
            plan.dumpUnuse[i] = x;
            forced += double(x) * kUnit * opt.dLocalDump;
        }
        if (fill[i] > 0) {
            addRole(net.AddArc(take, fillNode[i], opt.dLocalTake), {Role::Take, seg});
        }
    }
    net.supply[size_t(take)] = totalFill;
    net.AddArc(take, bin, 0.0);
    totalSupply += totalFill;
    for (size_t p = 0; p < in.borrow.size(); ++p) {
        const Units u = FloorUnits(in.borrow[p]);
        if (u <= 0 || n == 0) {
            continue;
        }
        const int s = net.AddNode(u);
        totalSupply += u;
        net.AddArc(s, bin, 0.0); // what stays in the pit
        for (int k = 0; k < 2; ++k) {
            const int i = borrowMeet[p].seg[k];
            if (i >= 0) {
                addRole(net.AddArc(s, fillNode[size_t(i)], borrowMeet[p].d[k]),
                        {Role::Borrow, int(p), i});
            }
        }
    }
    std::vector<int> pitLimits; // the arcs that hold the pits to their capacity
    for (size_t q = 0; q < in.waste.size(); ++q) {
        const Units cap = FloorUnits(in.WasteCompacted(q));
        const Meet& m = wasteMeet[q];
        int pit = -1;
        for (int k = 0; k < 2; ++k) {
            const int i = m.seg[k];
            if (cap <= 0 || i < 0 || wasteNode[size_t(i)] < 0 || !(m.d[k] < opt.dLocalDump)) {
                continue;
            }
            if (pit < 0) {
                pit = net.AddNode();
                pitLimits.push_back(net.AddArc(pit, bin, 0.0, cap));
            }
            addRole(net.AddArc(wasteNode[size_t(i)], pit, m.d[k]), {Role::Waste, int(q), i});
        }
    }
    net.supply[size_t(bin)] = -(totalSupply - totalFill);
    roles.resize(net.from.size(), Role{Role::UseFill, -1, -1});

    if (direct) {
        return SolveDirect(net, roles, plan);
    }
    std::vector<Units> flow;
    if (!net.Solve(flow)) {
        return false;
    }
    for (const int a : pitLimits) {
        plan.bPitFull = plan.bPitFull || flow[size_t(a)] >= net.cap[size_t(a)];
    }
    plan.dCost = forced;
    for (size_t a = 0; a < flow.size(); ++a) {
        plan.dCost += double(flow[a]) * kUnit * net.cost[a];
    }
    std::vector<std::vector<Lot>> fillIn(N), wasteIn(N);
    std::vector<std::vector<Need>> fillOut(N), wasteOut(N);
    // What of each surplus is left on the lines once the dumps and the other line took theirs.
    std::vector<Units> onFillLine(N), onWasteLine(N);
    for (size_t i = 0; i < N; ++i) {
        onFillLine[i] = onWaste[i] ? 0 : use[i];
        onWasteLine[i] = onWaste[i] ? unuse[i] : 0;
    }
    std::vector<Units> need = fill;
    for (size_t a = 0; a < flow.size(); ++a) {
        const Units u = flow[a];
        const Role& r = roles[a];
        if (u <= 0 || r.a < 0) {
            continue;
        }
        const size_t i = size_t(r.a);
        switch (r.kind) {
        case Role::UseFill:
            onFillLine[i] += u;
            break;
        case Role::UseWaste:
            wasteIn[i].push_back({From::Segment, r.a, u});
            break;
        case Role::UseDump:
            plan.dumpUse[i] += u;
            if (!onWaste[i]) {
                onFillLine[i] -= u;
            }
            break;
        case Role::UnuseDump:
            plan.dumpUnuse[i] += u;
            onWasteLine[i] -= u;
            break;
        case Role::Take:
            plan.take[i] += u;
            need[i] -= u; // taken beside the fill, never hauled on
            break;
        case Role::Borrow:
            fillIn[size_t(r.b)].push_back({From::BorrowPit, r.a, u});
            break;
        case Role::Waste:
            wasteOut[size_t(r.b)].push_back({r.a, u});
            break;
        case Role::Direct:
            break; // direct mode only
        }
    }
    for (size_t i = 0; i < N; ++i) {
        if (onWasteLine[i] > 0) {
            wasteIn[i].push_back({From::Unusable, int(i), onWasteLine[i]});
        }
        if (need[i] > 0) {
            fillOut[i].push_back({int(i), need[i]});
        }
        // The segment's own surplus first, so a segment that fills itself is a reuse.
        if (onFillLine[i] > 0) {
            fillIn[i].insert(fillIn[i].begin(), {From::Segment, int(i), onFillLine[i]});
        }
    }
    plan.fillLine = Sweep(fillIn, fillOut, plan.nFillStretches);
    plan.wasteLine = Sweep(wasteIn, wasteOut, plan.nWasteStretches);
    return true;
}

// A full waste pit may have cost something: the plan counts a pit's natural capacity at the
// project's bulkiest class, so a source of lighter material fills it less than it could. Then
// the pits' shares are settled by a linear programme over every source's own bulk, the rest is
// planned again around them, and the cheaper of the two plans stands.
void SettlePits(const Inputs& in, const LineRules& rules, const YDPCostModel::Options& opt,
                Plan& plan) {
    Plan direct;
    if (!MakePlan(in, rules, opt, direct, true)) {
        return;
    }
    Inputs rest = in;
    double settled = 0.0;
    for (const auto& [t, c] : direct.direct) {
        const size_t i = size_t(t.lot.src);
        const bool unusable = t.lot.type == From::Unusable;
        double& left = (unusable ? rest.unuse : rest.use)[i];
        left = double(std::max<Units>(ToUnits(left) - t.lot.u, 0)) * kUnit;
        const double bulk = (unusable ? in.unuseBulk : in.useBulk)[i].Of(t.classes);
        rest.waste[size_t(t.dst)] -= double(t.lot.u) * kUnit * bulk;
        settled += double(t.lot.u) * kUnit * c;
    }
    for (double& left : rest.waste) {
        left = std::max(left, 0.0);
    }
    Plan second;
    if (!MakePlan(rest, rules, opt, second) || !(second.dCost + settled < plan.dCost)) {
        return;
    }
    // The pits' shares first, one step per pit, then the waste stretches of the rest.
    std::stable_sort(direct.direct.begin(), direct.direct.end(),
                     [](const auto& a, const auto& b) { return a.first.dst < b.first.dst; });
    std::vector<Planned> waste;
    int stretch = -1;
    for (const auto& [t, c] : direct.direct) {
        stretch += waste.empty() || waste.back().dst != t.dst ? 1 : 0;
        waste.push_back(t);
        waste.back().stretch = stretch;
    }
    for (Planned t : second.wasteLine) {
        t.stretch += stretch + 1;
        waste.push_back(t);
    }
    second.wasteLine = std::move(waste);
    second.nWasteStretches += stretch + 1;
    second.dCost += settled;
    plan = std::move(second);
}

// Takes x compacted m³ out of a prepared record's source, soil before rock under 优先使用土方,
// all classes in proportion under 土方石齐用. Lowers fillAfter by what it takes.
double TakeAmount(DpProcess& p, double x, bool soilFirst) {
    if (!soilFirst) {
        return YDPCalTool::Transfer(p, YClass::AllMask, x);
    }
    const double soil = YDPCalTool::Transfer(p, YClass::SoilMask, x);
    return soil + YDPCalTool::Transfer(p, YClass::RockMask, x - soil);
}

double NaturalMoved(const DpProcess& p) {
    double s = 0.0;
    for (int k = 1; k <= 6; ++k) {
        s += p.before[size_t(DpAmt::Cls(k))] - p.after[size_t(DpAmt::Cls(k))];
    }
    return s;
}

bool ContentsValid(const std::array<double, 6>& c) {
    double sum = 0.0;
    for (const double v : c) {
        if (!(v >= 0.0)) {
            return false;
        }
        sum += v;
    }
    return std::fabs(sum - 100.0) <= 1e-6;
}

// Records the plan: one step per stretch of each line, then the dumps, then the takes.
class Recorder {
  public:
    Recorder(CDalvexDoc& doc, const std::vector<int>& idx, YProgressScope& progress)
        : m_doc(doc), m_idx(idx), m_progress(progress),
          m_soilFirst((g_nDPRule & DPR_SOIL_FIRST) != 0) {}

    bool Line(const std::vector<Planned>& plan, int stretches, bool bWaste) {
        size_t k = 0;
        for (int s = 0; s < stretches; ++s) {
            YDPStepRun run(m_doc);
            if (!run.Begin()) {
                return false;
            }
            for (; k < plan.size() && plan[k].stretch == s; ++k) {
                if (!Transfer(run, plan[k], bWaste)) {
                    return false;
                }
            }
            if (!Close(run)) {
                return false;
            }
        }
        return true;
    }

    bool Dumps(const std::vector<Units>& use, const std::vector<Units>& unuse) {
        YDPStepRun run(m_doc);
        if (!run.Begin()) {
            return false;
        }
        for (size_t i = 0; i < use.size(); ++i) {
            YTFItem& seg = Seg(int(i));
            for (const bool unusable : {false, true}) {
                if ((unusable ? unuse : use)[i] <= 0) {
                    continue;
                }
                // The last of the segment's material: all of what is left goes.
                DpProcess p = run.Prepare(
                    unusable ? DpKind::LocalWasteUnusable : DpKind::LocalWaste, &seg, &seg, -1);
                YDPCalTool::ScaleClasses(p, YClass::AllMask, 0.0);
                YDPCalTool::RecomputeSums(p, YClass::AllMask);
                if (!Store(run, p)) {
                    return false;
                }
            }
        }
        return Close(run);
    }

    bool Takes(const std::vector<Units>& take) {
        YDPStepRun run(m_doc);
        if (!run.Begin()) {
            return false;
        }
        const bool own = (g_nDPRule & DPR_FILL_CONTENTS) != 0;
        std::array<double, 6> contents{};
        std::copy(std::begin(g_dContent), std::end(g_dContent), contents.begin());
        for (size_t i = 0; i < take.size(); ++i) {
            if (take[i] <= 0) {
                continue;
            }
            YTFItem& seg = Seg(int(i));
            // The last of the fill's need: the take closes it.
            DpProcess p = run.Prepare(DpKind::LocalBorrow, &seg, &seg, -1);
            if (own) {
                std::copy(p.after.begin(), p.after.begin() + 6, contents.begin());
            }
            if (!YDPCalJDJF::ApplyLocalTake(p, contents)) {
                m_doc.UserIO().Warning(YDPCalJDJF::NoContentsText(seg, m_doc.Numbering()));
                continue;
            }
            if (!Store(run, p)) {
                return false;
            }
        }
        return Close(run);
    }

    int m_nSteps = 0;
    int m_nProcesses = 0;
    bool m_bCancelled = false;

  private:
    bool Transfer(YDPStepRun& run, const Planned& t, bool bWaste) {
        const double x = double(t.lot.u) * kUnit;
        if (bWaste) {
            auto& pits = m_doc.Model().m_arrQituk;
            const DpKind kind =
                t.lot.type == From::Unusable ? DpKind::WasteUnusable : DpKind::Waste;
            DpProcess p = run.Prepare(kind, &Seg(t.lot.src), &pits[size_t(t.dst)], t.dst);
            const double capacity = p.fillBefore;
            if (t.classes != 0) {
                YDPCalTool::Transfer(p, t.classes, x); // a share the plan gave one group
            } else {
                TakeAmount(p, x, m_soilFirst);
            }
            // A pit's capacity is natural m³.
            p.fillAfter = std::max(capacity - NaturalMoved(p), 0.0);
            return Store(run, p);
        }
        YTFItem& dst = Seg(t.dst);
        if (t.lot.type == From::BorrowPit) {
            auto& pits = m_doc.Model().m_arrQutuk;
            DpProcess p = run.Prepare(DpKind::Borrow, &pits[size_t(t.lot.src)], &dst, t.lot.src);
            TakeAmount(p, x, m_soilFirst);
            return Store(run, p);
        }
        const DpKind kind = t.lot.src == t.dst ? DpKind::Reuse : DpKind::Haul;
        DpProcess p = run.Prepare(kind, &Seg(t.lot.src), &dst, -1);
        TakeAmount(p, x, m_soilFirst);
        return Store(run, p);
    }

    bool Store(YDPStepRun& run, DpProcess& p) {
        if (!m_progress.Advance(m_nProcesses)) {
            m_bCancelled = true;
            return false;
        }
        if (!YDPStepRun::MovesAnything(p)) {
            return true;
        }
        if (!run.RecordAlways(p)) {
            return false;
        }
        ++m_nProcesses;
        return true;
    }

    bool Close(YDPStepRun& run) {
        const bool recorded = run.Recorded() > 0;
        if (!run.Finish() && recorded) {
            return false;
        }
        m_nSteps += recorded ? 1 : 0;
        return true;
    }

    YTFItem& Seg(int node) { return m_doc.Segments()[size_t(m_idx[size_t(node)])]; }

    CDalvexDoc& m_doc;
    const std::vector<int>& m_idx;
    YProgressScope& m_progress;
    bool m_soilFirst;
};

} // namespace

YDPOptimizer::Summary YDPOptimizer::Run(CDalvexDoc& doc, const Options& opt) {
    Summary sum;
    const int rule = g_nDPRule & DPR_ACCEPT_MASK;
    if (rule != DPR_SOIL_FIRST && rule != DPR_TOGETHER) {
        doc.UserIO().Error(kRuleRefused);
        return sum;
    }
    if (doc.GetSegmentCount() == 0) {
        return sum;
    }
    const YWaitScope wait(doc.UserIO());
    const Inputs in = ReadInputs(doc);
    const LineRules rules(doc);
    Plan plan;
    if (!MakePlan(in, rules, opt.cost, plan)) {
        doc.UserIO().Error(QStringLiteral("最优调配没有找到可行的调配方案。"));
        return sum;
    }
    if (plan.bPitFull) {
        SettlePits(in, rules, opt.cost, plan);
    }
    std::array<double, 6> contents{};
    std::copy(std::begin(g_dContent), std::end(g_dContent), contents.begin());
    const bool anyTake =
        std::any_of(plan.take.begin(), plan.take.end(), [](Units u) { return u > 0; });
    if (anyTake && (g_nDPRule & DPR_FILL_CONTENTS) == 0 && !ContentsValid(contents)) {
        doc.UserIO().Error(QStringLiteral("请先输入正确的土石含量!"));
        return sum;
    }
    sum.dPlanCost = plan.dCost;

    YTransaction tr(doc.GetDatabase());
    const qint64 total =
        qint64(plan.fillLine.size() + plan.wasteLine.size()) +
        std::count_if(plan.dumpUse.begin(), plan.dumpUse.end(), [](Units u) { return u > 0; }) +
        std::count_if(plan.dumpUnuse.begin(), plan.dumpUnuse.end(), [](Units u) { return u > 0; }) +
        std::count_if(plan.take.begin(), plan.take.end(), [](Units u) { return u > 0; });
    bool ok = false;
    bool cancelled = false;
    // A segment's row changes with every transfer in or out of it; the file gets it once.
    YZjTsjsSet& mid = doc.GetZjTsjsSet();
    mid.DeferUpdates();
    {
        YProgressScope progress(doc.UserIO(), QStringLiteral("最优调配"), total);
        Recorder rec(doc, in.idx, progress);
        ok = rec.Line(plan.fillLine, plan.nFillStretches, false) &&
             rec.Line(plan.wasteLine, plan.nWasteStretches, true) &&
             rec.Dumps(plan.dumpUse, plan.dumpUnuse) && rec.Takes(plan.take);
        cancelled = rec.m_bCancelled;
        sum.nSteps = rec.m_nSteps;
        sum.nProcesses = rec.m_nProcesses;
    }
    ok = ok && mid.FlushUpdates();
    if (ok && opt.bFinish) {
        sum.bFinished = YFinish::Finish(doc);
    }
    if (!ok) {
        tr.Rollback();       // a cancel or a failed write keeps nothing of the plan
        (void)mid.Requery(); // nor do the cached rows
    }
    sum.bWritten = ok && tr.Commit();
    if (!sum.bWritten) {
        if (!cancelled) {
            doc.UserIO().Error(YDPStepRun::kNotWritten.arg(doc.GetDatabase().LastError()));
        }
        (void)doc.ReloadModel(); // the file kept nothing: neither does the model
        sum.bFinished = false;
        sum.nSteps = 0;
        sum.nProcesses = 0;
    }
    return sum;
}

bool YDPOptimizer::PriceAuto(CDalvexDoc& doc, const YDPCostModel::Options& cost,
                             YDPCostModel::Figures& out) {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        return false;
    }
    const QString path = QDir(dir.path()).filePath(QStringLiteral("auto.dvx"));
    // A consistent copy of the file as it stands, whatever journal the connection keeps.
    if (!doc.GetDatabase().Exec(QStringLiteral("VACUUM INTO ?"), {path})) {
        return false;
    }
    YSilentUserIO io; // the scratch copy is priced, not shown
    CDalvexDoc scratch(io);
    if (!scratch.OnOpenDocument(path)) {
        return false;
    }
    if (scratch.GetCurrentSegment() != doc.GetCurrentSegment() &&
        !scratch.SwitchSegment(doc.GetCurrentSegment())) {
        return false;
    }
    (void)scratch.ReloadModel();
    YDPAutoAllocator::Options autoOpt;
    autoOpt.dReach = cost.dHaulLimit;
    autoOpt.bFinish = false;
    if (!YDPAutoAllocator::Run(scratch, autoOpt).bWritten) {
        return false;
    }
    out = YDPCostModel::Price(scratch, cost);
    return true;
}

YDPOptimizer::Comparison YDPOptimizer::RunAndCompare(CDalvexDoc& doc, const Options& opt) {
    Comparison c;
    c.before = YDPCostModel::Price(doc, opt.cost);
    c.bAutoPriced = PriceAuto(doc, opt.cost, c.autoPlan);
    c.run = Run(doc, opt);
    c.after = YDPCostModel::Price(doc, opt.cost);
    return c;
}
