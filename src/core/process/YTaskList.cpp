#include "core/process/YTaskList.h"

#include "core/model/YTFItem.h"

#include <optional>

QString YTask::Label(int row) const {
    return nType == 0 ? QStringLiteral("%1.挖余").arg(row) : QStringLiteral("%1.填缺").arg(row);
}

namespace {

double Sum(const YTFItem::ClassValues& v, int k0) {
    return v[size_t(k0)] + v[size_t(k0 + 1)] + v[size_t(k0 + 2)];
}

// Extends the open run when the segment continues it; otherwise closes it and opens a new one.
void Feed(std::optional<YTask>& run, std::vector<YTask>& out, const YTFItem& s, const YTask& part) {
    if (run && run->staTo == s.m_staStart) {
        run->staTo = s.m_staEnd;
        run->dUseSoil += part.dUseSoil;
        run->dUseRock += part.dUseRock;
        run->dUnuseSoil += part.dUnuseSoil;
        run->dUnuseRock += part.dUnuseRock;
        run->dFill += part.dFill;
        return;
    }
    if (run) {
        out.push_back(*run);
    }
    run = part;
}

void Close(std::optional<YTask>& run, std::vector<YTask>& out) {
    if (run) {
        out.push_back(*run);
        run.reset();
    }
}

} // namespace

std::vector<YTask> YTaskList::Build(const std::vector<YTFItem>& segments) {
    std::vector<YTask> out;
    std::optional<YTask> surplus;
    std::optional<YTask> fill;
    for (const YTFItem& s : segments) {
        YTask part;
        part.staFrom = s.m_staStart;
        part.staTo = s.m_staEnd;
        part.dUseSoil = Sum(s.m_dRemUse, 0);
        part.dUseRock = Sum(s.m_dRemUse, 3);
        part.dUnuseSoil = Sum(s.m_dRemUnuse, 0);
        part.dUnuseRock = Sum(s.m_dRemUnuse, 3);
        if (part.dUseSoil + part.dUseRock > 1e-5 || part.dUnuseSoil + part.dUnuseRock > 1e-5) {
            Feed(surplus, out, s, part);
        } else {
            Close(surplus, out);
        }
        YTask need;
        need.nType = 1;
        need.staFrom = s.m_staStart;
        need.staTo = s.m_staEnd;
        need.dFill = s.m_dRemFill;
        if (s.m_dRemFill > 1e-5) {
            Feed(fill, out, s, need);
        } else {
            Close(fill, out);
        }
    }
    Close(surplus, out);
    Close(fill, out);
    return out;
}
