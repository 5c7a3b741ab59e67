#include "core/allocation/YDPStepRun.h"

#include "core/allocation/YDPCalTool.h"
#include "core/db/YDatabase.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsxsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"
#include "core/process/YAmountGrid.h"
#include "core/process/YProcessRecorder.h"

#include <cmath>

namespace {
// What is left of a value after a transfer that nearly empties it is noise of the arithmetic:
// below two steps of the recorder's amount grid it is taken as empty, so the recorded amount is
// the whole value and the remainder exactly 0 (never a slightly negative surplus or need).
constexpr double kResidue = 2.0 * YAmountGrid::Step; // m³
} // namespace

const QString YDPStepRun::kNotWritten = QStringLiteral("调配结果没有写入项目文件：%1");

YDPStepRun::YDPStepRun(CDalvexDoc& doc) : m_doc(doc) {}

YDPStepRun::~YDPStepRun() {
    if (!m_bFinished) {
        Finish();
    }
}

bool YDPStepRun::Begin() {
    // One transaction for the whole step: every process of it reaches the file together.
    // Inside a larger action (an automatic allocation) the step is part of that action's
    // transaction, which then reaches the file whole or not at all.
    m_pTransaction = std::make_unique<YTransaction>(m_doc.GetDatabase(), YTransaction::Join);
    m_nStep = YProcessRecorder::NextStep(m_doc);
    return m_nStep >= 0;
}

DpProcess YDPStepRun::Prepare(DpKind kind, DpEnd source, DpEnd destination, int pit) {
    DpProcess p(kind, m_nStep, m_nSeq, source, destination, pit);
    YProcessRecorder::TakeBefore(m_doc, p);
    return p;
}

bool YDPStepRun::MovesAnything(const DpProcess& p) {
    for (int i = 0; i < DpAmt::Count; ++i) {
        if (p.Moved(i) != 0.0) {
            return true;
        }
    }
    return p.FillMoved() != 0.0;
}

bool YDPStepRun::Record(DpProcess& p) {
    if (!MovesAnything(p)) {
        return false;
    }
    return RecordAlways(p);
}

void YDPStepRun::SnapResidues(DpProcess& p) {
    if (std::fabs(p.fillAfter) < kResidue) {
        p.fillAfter = 0.0;
    }
    if (p.kind == DpKind::LocalBorrow) {
        return; // a local take's after block holds contents and coefficients
    }
    // A class is empty when either of its two values is noise; natural and compacted go
    // together, and the sums follow their classes.
    qint32 snapped = 0;
    for (int k = 1; k <= 6; ++k) {
        double& natural = p.after[size_t(DpAmt::Cls(k))];
        double& compacted = p.after[size_t(DpAmt::ClsC(k))];
        if ((natural != 0.0 || compacted != 0.0) &&
            (std::fabs(natural) < kResidue || std::fabs(compacted) < kResidue)) {
            natural = 0.0;
            compacted = 0.0;
            snapped |= YClass::Bit(k);
        }
    }
    YDPCalTool::RecomputeSums(p, snapped);
}

bool YDPStepRun::RecordAlways(DpProcess& p) {
    SnapResidues(p);
    if (!YProcessRecorder::RecordProcess(m_doc, p)) {
        return false;
    }
    ++m_nSeq;
    return true;
}

bool YDPStepRun::Finish() {
    if (m_bFinished) {
        return Recorded() > 0;
    }
    m_bFinished = true;
    const bool recorded = Recorded() > 0;
    if (m_pTransaction && m_pTransaction->IsActive() && !m_pTransaction->Commit()) {
        // The file kept none of the step: the model must not keep it either.
        m_doc.UserIO().Error(kNotWritten.arg(m_doc.GetDatabase().LastError()));
        m_doc.ReloadModel();
        return false;
    }
    if (recorded) {
        YProcessRecorder::EndStep(m_doc, m_nStep);
    }
    return recorded;
}

std::array<double, 6> YDPStepRun::Coefficients(CDalvexDoc& doc) {
    std::array<double, 6> coef{1, 1, 1, 1, 1, 1};
    YTsxsSet& set = doc.GetTsxsSet();
    if (set.IsOpen()) {
        set.MoveFirst();
        if (!set.IsEOF()) {
            std::copy(std::begin(set.m_dCoef), std::end(set.m_dCoef), coef.begin());
        }
    }
    return coef;
}
