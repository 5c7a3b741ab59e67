#include "core/process/YProcessList.h"

#include "core/db/YTdpSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/neighbours/YPortLookup.h"
#include "core/process/YHaulExtrasLoader.h"
#include "core/process/YStepReader.h"

QString YProcessEntry::Label() const {
    return DpKinds::Label(nKind, nStep, strNeighbour);
}

QString YProcessEntry::Range(const YStationNumbering& numbering, const YStation& a,
                             const YStation& b) {
    return numbering.Text(a) + QLatin1Char('~') + numbering.Text(b);
}

namespace {

// The entries of the steps the reader gives; pits (when given) gets the pit number of each
// entry's first pair (for a cross-project step: its port's 编号 + 1).
std::vector<YProcessEntry> Entries(YStepReader& reader, const YHaulExtras* extras,
                                   std::vector<int>* pits) {
    YStepReader::Options opt;
    opt.bSkipUndone = false;
    std::vector<YProcessEntry> out;
    std::vector<YDpStep> merged; // one per entry, for the weighted distance
    for (auto s = reader.ReadStep(true, opt); s; s = reader.ReadStep(false, opt)) {
        if (out.empty() || out.back().nStep != s->m_nStep) {
            YProcessEntry e;
            e.nStep = s->m_nStep;
            e.nKind = s->m_nKind;
            e.bApplied = s->m_bApplied;
            out.push_back(e);
            merged.push_back(*s);
            if (pits != nullptr) {
                pits->push_back(s->m_nPit);
            }
            continue;
        }
        if (out.back().nKind == DpKind::Reuse) {
            out.back().nKind = s->m_nKind;
            merged.back().m_nKind = s->m_nKind;
            merged.back().m_nPit = s->m_nPit;
        }
        merged.back().Merge(*s);
    }
    for (size_t i = 0; i < out.size(); ++i) {
        const YDpStep& s = merged[i];
        YProcessEntry& e = out[i];
        e.staSrcStart = s.m_staSrcStart;
        e.staSrcEnd = s.m_staSrcEnd;
        e.staDstStart = s.m_staDstStart;
        e.staDstEnd = s.m_staDstEnd;
        e.dSoil = s.m_dAmt[StepAmt::Soil];
        e.dRock = s.m_dAmt[StepAmt::Rock];
        e.dDistance = s.TotalDistance(extras);
        e.nKind = s.m_nKind;
    }
    return out;
}

// The entries with the document's haul extras, and the port names of cross-project steps.
std::vector<YProcessEntry> NamedEntries(CDalvexDoc& doc, YStepReader& reader) {
    const YHaulExtras extras = YHaulExtrasLoader::Load(doc);
    std::vector<int> pits;
    std::vector<YProcessEntry> entries = Entries(reader, &extras, &pits);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (DpKinds::IsCrossProject(entries[i].nKind)) {
            if (auto port = YPortLookup::FindPort(doc, pits[i] - 1)) {
                entries[i].strNeighbour = port->strName;
            }
        }
    }
    return entries;
}

} // namespace

std::vector<YProcessEntry> YProcessList::Build(const std::vector<YDpLogPair>& pairs,
                                               const YHaulExtras* extras) {
    YStepReader reader(pairs);
    return Entries(reader, extras, nullptr);
}

std::vector<YProcessEntry> YProcessList::Build(CDalvexDoc& doc) {
    YStepReader reader(doc.GetTdpSet());
    return NamedEntries(doc, reader);
}

std::vector<YProcessEntry> YProcessList::Build(CDalvexDoc& doc,
                                               const std::vector<YDpLogPair>& pairs) {
    YStepReader reader(pairs);
    return NamedEntries(doc, reader);
}

int YProcessList::CurrentStep(const std::vector<YProcessEntry>& entries) {
    int current = 0;
    for (const YProcessEntry& e : entries) {
        if (e.bApplied) {
            current = e.nStep;
        }
    }
    return current;
}

int YProcessList::FirstUndoneStep(const std::vector<YProcessEntry>& entries) {
    for (const YProcessEntry& e : entries) {
        if (!e.bApplied) {
            return e.nStep;
        }
    }
    return 0;
}
