#include "core/station/YStationSystem.h"

YStationNumbering& YStationSystem::Current() {
    static YStationNumbering numbering;
    return numbering;
}

void YStationSystem::Reset() {
    Current() = YStationNumbering();
}

bool YStationSystem::AddChainBreak(const QString& text) {
    const std::optional<YChainBreak> brk = YChainBreak::Parse(text);
    return brk && Current().AddChainBreak(*brk);
}

void YStationSystem::SetLabel(const QString& label) {
    // A refused label falls back to "K" inside the numbering; nothing else to do here.
    (void)Current().SetLabel(label);
}

QString YStationSystem::Label() {
    return Current().Label();
}

int YStationSystem::ChainBreakCount() {
    return Current().ChainBreakCount();
}

const YStationNumbering& YStationSystem::Numbering() {
    return Current();
}

void YStationSystem::SetNumbering(const YStationNumbering& numbering) {
    Current() = numbering;
}
