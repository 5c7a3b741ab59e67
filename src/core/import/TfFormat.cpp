#include "core/import/TfFormat.h"

#include "core/platform/YProfile.h"
#include "core/platform/YUserIO.h"

#include <algorithm>

namespace {

const QString kNameEntry;
const QString kSuffix = QStringLiteral("后缀");
const QString kStartLine = QStringLiteral("开始行");
const QString kStationCol = QStringLiteral("桩号");
const QString kCutCol = QStringLiteral("挖方面积");
const QString kFillCol = QStringLiteral("填方面积");
const QString kReadHeight = QStringLiteral("包含填挖高");
const QString kHeightCol = QStringLiteral("填挖高");

bool Storable(const QString& name) {
    return !name.isEmpty() && name != TfFormat::Placeholder();
}

bool ColumnInRange(int col) {
    return col >= 1 && col <= TfFormat::MaxColumns;
}

} // namespace

QString TfFormat::Placeholder() {
    return QStringLiteral("自定义");
}

QString TfFormat::Section(int slot) {
    return QStringLiteral("土方格式/格式%1").arg(slot);
}

TfFormat TfFormat::Load(int slot) {
    const YProfile& p = YProfile::Instance();
    const QString s = Section(slot);
    TfFormat f;
    f.m_strName = p.GetString(s, kNameEntry, Placeholder());
    f.m_strSuffix = p.GetString(s, kSuffix);
    f.m_nStartLine = p.GetInt(s, kStartLine, 1);
    f.m_nStationCol = p.GetInt(s, kStationCol, 1);
    f.m_nCutCol = p.GetInt(s, kCutCol, 3);
    f.m_nFillCol = p.GetInt(s, kFillCol, 4);
    f.m_bReadHeight = p.GetInt(s, kReadHeight, 1);
    f.m_nHeightCol = p.GetInt(s, kHeightCol, 2);
    return f;
}

QString TfFormat::SlotName(int slot) {
    return YProfile::Instance().GetString(Section(slot), kNameEntry);
}

std::optional<int> TfFormat::SlotFor(const QString& name) {
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (SlotName(slot) == name) {
            return slot;
        }
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (SlotName(slot).isEmpty()) {
            return slot;
        }
    }
    return std::nullopt;
}

std::optional<int> TfFormat::Store() const {
    if (!Storable(m_strName)) {
        return std::nullopt;
    }
    const std::optional<int> slot = SlotFor(m_strName);
    if (!slot) {
        return std::nullopt;
    }
    YProfile& p = YProfile::Instance();
    const QString s = Section(*slot);
    p.WriteString(s, kNameEntry, m_strName);
    p.WriteString(s, kSuffix, m_strSuffix);
    p.WriteInt(s, kStartLine, m_nStartLine);
    p.WriteInt(s, kStationCol, m_nStationCol);
    p.WriteInt(s, kCutCol, m_nCutCol);
    p.WriteInt(s, kFillCol, m_nFillCol);
    p.WriteInt(s, kReadHeight, m_bReadHeight);
    p.WriteInt(s, kHeightCol, m_nHeightCol);
    p.Sync();
    return slot;
}

TfFormat::ColumnMap TfFormat::BuildColumnMap() const {
    ColumnMap map{};
    const auto assign = [&map](int col, Role role) {
        if (ColumnInRange(col)) {
            map[static_cast<size_t>(col - 1)] = role;
        }
    };
    assign(m_nStationCol, Station);
    assign(m_nFillCol, FillArea);
    assign(m_nCutCol, CutArea);
    if (ReadsHeight()) {
        assign(m_nHeightCol, Height);
    }
    return map;
}

bool TfFormat::CheckOnOk(YUserIO& io) const {
    if (!Storable(m_strName)) {
        io.Warning(QStringLiteral("请先输入文件类型!"));
        return false;
    }
    const bool columnsOk = ColumnInRange(m_nStationCol) && ColumnInRange(m_nCutCol) &&
                           ColumnInRange(m_nFillCol) &&
                           (!ReadsHeight() || ColumnInRange(m_nHeightCol));
    if (!columnsOk) {
        io.Warning(QStringLiteral("数据列应在第1列到第30列之间！"));
        return false;
    }
    if (m_nStartLine < 1) {
        io.Warning(QStringLiteral("数据开始行应不小于1！"));
        return false;
    }
    const ColumnMap map = BuildColumnMap();
    const auto used = std::count_if(map.begin(), map.end(), [](int r) { return r != Ignore; });
    if (used < NeededValues()) {
        io.Warning(QStringLiteral("输入数据列重复！"));
        return false;
    }
    return true;
}
