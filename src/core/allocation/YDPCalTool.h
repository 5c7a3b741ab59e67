#pragma once

#include "core/allocation/YDPSelection.h"
#include "core/allocation/YDPSkipIndex.h"
#include "core/model/YTFItem.h"
#include "core/platform/YClassRegistry.h"
#include "core/process/DpProcess.h"

#include <QString>
#include <array>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

class CDalvexDoc;
class YDPStepRun;
class YQutukItem;
class YNearPrjItem;
class YUserIO;

// The classes one pass of a strategy works on: the soil-first rules run a soil pass, then a
// rock pass; the other rules one pass over both.
enum class YDPPass : int { Soil = 1, Rock = 2, Together = 3 };
inline bool PassHasSoil(YDPPass p) {
    return p != YDPPass::Rock;
}
inline bool PassHasRock(YDPPass p) {
    return p != YDPPass::Soil;
}

// 调配计算工具 (allocation strategy): base of the 29 allocation strategies. A strategy lives for
// one invocation: FindStrategy creates it, Accept copies the selection and says whether the
// strategy fits the rule word and the selection's shape, Compute records the transfers under one
// new step.
//
// Quantities: surplus in the segment model is natural (in place) m³; every amount compared with
// a fill need is compacted m³ (natural / class coefficient of [土石系数]).
class YDPCalTool : public YObject {
  public:
    using Segments = std::vector<YTFItem>;

    YDPCalTool() : YObject(0) {}
    ~YDPCalTool() override = default;
    YDPCalTool(const YDPCalTool&) = delete;
    YDPCalTool& operator=(const YDPCalTool&) = delete;

    // The record every strategy is registered below ("调配计算工具"; it cannot be created).
    static YClassRecord& BaseRecord();
    // The rule name the class is registered under; the base answers "调配计算工具".
    virtual QString RuleName() const;
    // This class's record in the registry (the base record for the base class).
    const YClassRecord* GetClassInfo() const;

    // Copies the selection into the fields; answers whether this strategy applies to the current
    // g_nDPRule and the selection. The base copies and answers true (it is never registered).
    virtual bool Accept(const YDPSelection& sel);
    // Performs the allocation; true when at least one process was recorded.
    virtual bool Compute();

    // Usability of a source or destination segment for the current pass.
    virtual bool IsCutUsable(const YTFItem& seg) const;
    virtual bool IsFillUsable(const YTFItem& seg) const;
    // How much compacted soil (rock) the fill segment may still receive.
    virtual double SoilNeed(const YTFItem& seg) const;
    virtual double RockNeed(const YTFItem& seg) const;

    // ---- Shared searches over a segment array (the strategy's cut and fill ranges) ----
    // The next cut/fill pair: a segment that can fill itself first; then, for interleaving
    // ranges, the first usable fill and its nearest cut (refined to a nearer fill); for disjoint
    // ranges the usable fill and cut closest to the gap. Ties keep the lower index.
    bool FindPair(const Segments& segs, int& cut, int& fill);
    // Usable cut (fill) segment whose midpoint is nearest to sta; −1 when none.
    int FindNearestCut(const Segments& segs, const YStation& sta);
    int FindNearestFill(const Segments& segs, const YStation& sta);
    // Compacted remaining usable surplus of the selected classes over the cut range; classes
    // 1-3 to soil, 4-6 to rock. coef: the six class coefficients (natural / compacted).
    void SumSelectedCut(const Segments& segs, const std::array<double, 6>& coef, double& soil,
                        double& rock) const;
    // 土方比例 / 石方比例 as fractions; false after "请先输入正确的填土和填石的比例!" when they are
    // negative or do not add up to 100.
    bool ReadFillRatio(double& soil, double& rock);
    // 土石含量 of the six classes (percent); false after "请先输入正确的土石含量!".
    bool ReadContents(std::array<double, 6>& contents);

    // Cut-ratio quotas: with both ratios above 0, the scarcer material of the selected cut
    // (compacted qs, qr) limits the other so that the quotas keep the ratio rs : rr.
    static void BalanceQuotas(double rs, double rr, double& qs, double& qr);

    // ---- Transfer arithmetic on a prepared record ----
    // Moves up to need (compacted) out of the classes of mask from the record's after block, in
    // proportion to what each class holds; recomputes the after sums of the groups touched and
    // lowers fillAfter. Returns the compacted amount moved. A non-positive need moves nothing.
    static double Transfer(DpProcess& p, qint32 classes, double need);
    // Takes up to t (compacted) out of the classes of mask in proportion to what each holds;
    // returns what was taken and sets shortfall to what was missing. The after sums are left
    // to the caller (RecomputeSums).
    static double TakeUpTo(DpProcess& p, qint32 classes, double t, double& shortfall);
    // Scales the after amounts of the classes of mask by f (0 empties them).
    static void ScaleClasses(DpProcess& p, qint32 classes, double f);
    // Compacted (natural) after amount over the classes of mask.
    static double AfterCompacted(const DpProcess& p, qint32 classes);
    static double AfterNatural(const DpProcess& p, qint32 classes);
    // after soil / soil compacted from classes 1-3 and after rock / rock compacted from 4-6,
    // for the groups the mask touches.
    static void RecomputeSums(DpProcess& p, qint32 classes);

    // Forgets what the searches learnt about used-up segments; needed only when quantities were
    // raised since the last search (Accept starts every invocation afresh).
    void ResetSearch();

    // Where messages go; the fill or cut document's user IO unless set.
    void SetUserIO(YUserIO* io) { m_pIO = io; }

    // ---- Fields (the copied selection and the per-invocation state) ----
    CDalvexDoc* m_pCutDoc = nullptr;
    int m_nCutFirst = -1;
    int m_nCutLast = -1;
    CDalvexDoc* m_pFillDoc = nullptr;
    int m_nFillFirst = -1;
    int m_nFillLast = -1;
    int m_nInPort = -1;
    int m_nOutPort = -1;
    YDPPass m_nPhase = YDPPass::Together; // classes of the current pass
    double m_dSoilRatio = 0.5;            // fractions (percent / 100)
    double m_dRockRatio = 0.5;
    double m_dFillPerMetre = 0; // m³ per metre (thickness strategies)

  protected:
    // Selection shapes (all index tests against −1).
    bool IsHaulShape() const;
    bool IsCrossShape() const;
    bool IsBorrowShape() const;
    bool IsWasteShape() const;
    bool IsLocalCutShape() const;
    bool IsLocalFillShape() const;
    // g_nDPRule masked with 111.
    static int MaskedRule();

    // Selected classes of a segment restricted to the current pass.
    qint32 PhaseClasses(const YTFItem& seg) const;
    // Base usability of the selected classes of mask: some class with remaining usable surplus
    // of at least 1e-5 (natural).
    static bool HasSelectedUse(const YTFItem& seg, qint32 mask);

    YUserIO& IO() const;

    // ---- Need rules shared by several families ----
    // Thickness target of a fill segment: min(m_dFill, length × m_dFillPerMetre), and what is
    // already placed, m_dFill − m_dRemFill (compacted m³).
    double ThicknessTarget(const YTFItem& seg) const;
    static double Placed(const YTFItem& seg);
    // Thickness fill test: fill selected, m_dRemFill ≥ 1e-5 and placed + 1e-5 < target.
    bool ThicknessFillUsable(const YTFItem& seg) const;
    // Room left up to the thickness target, never above the remaining need.
    double ThicknessRoom(const YTFItem& seg) const;
    // Soil (bRock: rock) still missing for the fill to hold its share of F (m_dFill, or the
    // thickness target). A material whose share is exceeded raises the other's need; the need
    // is capped at cap (the remaining need, or the thickness room), so a fill never goes
    // negative.
    double ShareNeed(const YTFItem& seg, double F, double cap, bool bRock) const;
    // Fill-ratio fill test for the current pass: fill selected, m_dRemFill ≥ 1e-5, and in the
    // soil pass the soil need above 1e-5, in the rock pass the rock need.
    bool ShareFillUsable(const YTFItem& seg, double F, double cap) const;
    // The share rules against the first-computed fill, and against the thickness target.
    double FillShare(const YTFItem& seg, bool bRock) const;
    bool FillShareUsable(const YTFItem& seg) const;
    double ThicknessShare(const YTFItem& seg, bool bRock) const;
    bool ThicknessShareUsable(const YTFItem& seg) const;
    // Cut test by pass: selected soil (pass bit 1) or rock (bit 2) with at least 1e-5 left.
    bool IsCutUsableByPhase(const YTFItem& seg) const;

    // ---- Haul along the line (shared by the haul families) ----
    // Structure check over the haul interval: from the smaller of the first fill and first cut
    // start to the larger of the last cut and last fill end.
    bool CheckHaulInterval(CDalvexDoc& doc) const;
    // Kind of the next transfer between cut and fill: 9 within one segment, 0 between two;
    // Unknown ends the pass (a within-segment transfer was already made in this invocation).
    DpKind HaulKind(int cut, int fill) const;
    // One pass of FindPair transfers: the selected classes of passMask, the need from
    // SoilNeed (or RockNeed when bRock). Returns the number of processes recorded.
    int HaulPass(YDPStepRun& run, qint32 passMask, bool bRock);
    // Whether the selected ranges are valid indices of the documents' arrays.
    bool CutRangeValid() const;
    bool FillRangeValid() const;

    // The soil-first haul (soil pass, then rock pass) or, bTogether, the one pass over all
    // selected classes, on the haul selection.
    bool ComputeHaul(bool bTogether);
    // Cut-ratio quotas of the selected cut: reads the ratios, sums the selected compacted soil
    // and rock of the cut run, refuses a run without the soil or rock a ratio asks for
    // ("所选挖方段落没有土方!" / "所选挖方段落没有石方!") and balances the quotas.
    bool CutRatioQuotas(double& qs, double& qr);

    // ---- Borrow pits (shared by the borrow families) ----
    // Borrow pit m_nCutFirst of the fill project; null when there is none at that index.
    YQutukItem* BorrowPit() const;
    // Structure check between the pit's road station and the fill run.
    bool CheckBorrowInterval(const YQutukItem& pit) const;
    // One borrow pass, fills nearest to the pit first: the classes of passMask that the class
    // filter allows, the need from SoilNeed (RockNeed when bRock). The pass ends with emptyText
    // when the pit's material of the pass (natural, bRock: rock, else soil; both when passMask
    // holds both) is below 0.0001.
    void BorrowPass(YDPStepRun& run, YQutukItem& pit, qint32 passMask, bool bRock,
                    const QString& emptyText);
    // Soil first from the borrow pit (soil pass, then rock pass) or, bTogether, one pass over
    // all classes the filter allows.
    bool ComputeBorrow(bool bTogether);
    // "所选取土坑已经没有土方。" (soil pass), "…石方。" (rock pass), "…土石方。" (together).
    static QString NoBorrowText(YDPPass phase);

    // ---- Waste (shared by the waste and local-waste strategies) ----
    // Carries the selected surplus of the cut run to waste pit m_nFillFirst, nearest segment
    // first (kind 2 usable, kind 5 unusable).
    bool ComputeWaste(DpKind kind);
    // Wastes the selected surplus of every usable segment of the cut run where it lies (kind 4
    // usable, kind 6 unusable).
    bool ComputeLocalWaste(DpKind kind);

    // ---- Cross-project hauls (shared by the cross-project families) ----
    // Exit port m_nOutPort of the cut project, entry port m_nInPort of the fill project; null
    // when the index is not a link of that project.
    YNearPrjItem* OutPort() const;
    YNearPrjItem* InPort() const;
    // Whether cut run, fill run and both ports are valid; then the structure checks on both
    // sides (cut project: exit port to cut run; fill project: fill run to entry port).
    bool CheckCrossSelection() const;
    // One exit/entry record pair between cut segment cut of the cut project and fill segment
    // fill of the fill project. take lowers the exit record's after amounts and returns the
    // compacted amount moved; the entry record receives exactly what the exit record lost.
    // Both records are stored when anything moved; returns whether they were.
    bool CrossPair(YDPStepRun& out, YDPStepRun& in, int cut, int fill,
                   const std::function<double(DpProcess&)>& take);
    // One pass of cross-project transfers: cuts nearest to the exit port, fills nearest to the
    // entry port, the selected classes of passMask, need from SoilNeed (RockNeed when bRock).
    void CrossPass(YDPStepRun& out, YDPStepRun& in, qint32 passMask, bool bRock);
    // The cross-project soil-first algorithm: soil pass then rock pass (bTogether: one pass
    // over all selected classes).
    bool ComputeCross(bool bTogether);

    // ---- Thickness (填到指定厚度) ----
    // Copies g_dFillPerMetre; false after "请先输入正确的填方厚度!" when it is not above 0.
    bool ReadFillPerMetre();

    DpKind m_nLastKind = DpKind::Haul; // kind of the previous transfer of this invocation

  private:
    // Which usability test a search applies.
    enum class Role { Cut, Fill, Both };
    bool Passes(const YTFItem& seg, Role role) const;
    // The skip index of one test over one range of one array, for the current pass.
    YDPSkipIndex& Skips(const Segments& segs, Role role, int lo, int hi);
    // Whether the doubled midpoints of [lo, hi] strictly increase (segments of positive length),
    // which the fast nearest search relies on.
    bool MidpointsIncrease(const Segments& segs, int lo, int hi);
    // The usable segment of [lo, hi] nearest to a doubled midpoint, as the scan from lo upwards
    // that stops at the first usable candidate not strictly nearer finds it.
    int Nearest(const Segments& segs, Role role, int lo, int hi, double twiceTarget);

    // Nearest usable segment to a doubled midpoint (start + end) scanning [lo, hi] upwards,
    // stopping at the first usable candidate that is not strictly nearer (the definition; used
    // where midpoints do not strictly increase).
    template <class Usable>
    static int ScanNearest(const Segments& segs, int lo, int hi, double twiceMid, Usable usable);

    // Per invocation: remaining quantities only decrease, so what a test once rejected stays
    // rejected. Keyed by array, test, pass and range.
    std::map<std::tuple<const void*, int, int, int, int>, YDPSkipIndex> m_skips;
    std::map<std::tuple<const void*, int, int>, bool> m_increasing;

    YUserIO* m_pIO = nullptr;
};
