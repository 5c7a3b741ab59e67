#include "core/allocation/YDPSettingsModel.h"

#include "core/allocation/YDPRule.h"

#include <array>

namespace {
// The bit set by each 首要原则 entry, by entry index.
constexpr std::array<int, 5> kPrincipleBits = {DPR_SOIL_FIRST, DPR_TOGETHER, DPR_CUT_RATIO,
                                               DPR_FILL_RATIO, DPR_LOCAL};

int FlagBitOf(int id) {
    switch (id) {
    case YDPSettingsModel::ID_THICKNESS:
        return DPR_THICKNESS;
    case YDPSettingsModel::ID_UNUSABLE:
        return DPR_UNUSABLE;
    case YDPSettingsModel::ID_FILL_CONTENTS:
        return DPR_FILL_CONTENTS;
    default:
        return 0;
    }
}

// Address of the double behind a number item, nullptr for other ids.
double* NumberOf(int id) {
    if (id == YDPSettingsModel::ID_SOIL_RATIO) {
        return &g_dSoilRatio;
    }
    if (id == YDPSettingsModel::ID_ROCK_RATIO) {
        return &g_dRockRatio;
    }
    if (id == YDPSettingsModel::ID_FILL_PER_METRE) {
        return &g_dFillPerMetre;
    }
    if (id >= YDPSettingsModel::ID_CONTENT_FIRST && id <= YDPSettingsModel::ID_CONTENT_LAST) {
        return &g_dContent[id - YDPSettingsModel::ID_CONTENT_FIRST];
    }
    return nullptr;
}
} // namespace

YDPSettingsModel::YDPSettingsModel(QObject* parent) : QObject(parent) {}

const std::vector<YDPSettingsModel::Item>& YDPSettingsModel::Items() {
    static const std::vector<Item> items = [] {
        const QString options = QStringLiteral("选项");
        const QString params = QStringLiteral("参数");
        std::vector<Item> list = {
            {ID_PRINCIPLE, options, QStringLiteral("首要原则"), ItemType::List},
            {ID_THICKNESS, options, QStringLiteral("填到指定厚度"), ItemType::Bool},
            {ID_UNUSABLE, options, QStringLiteral("弃除不可利用方"), ItemType::Bool},
            {ID_FILL_CONTENTS, options, QStringLiteral("使用填方土石含量"), ItemType::Bool},
            {ID_SOIL_RATIO, params, QStringLiteral("土方比例"), ItemType::Double},
            {ID_ROCK_RATIO, params, QStringLiteral("石方比例"), ItemType::Double},
            {ID_FILL_PER_METRE, params, QStringLiteral("每米最大填方量"), ItemType::Double},
        };
        const QStringList contents = {QStringLiteral("Ⅰ类土含量"), QStringLiteral("Ⅱ类土含量"),
                                      QStringLiteral("Ⅲ类土含量"), QStringLiteral("Ⅳ类石含量"),
                                      QStringLiteral("Ⅴ类石含量"), QStringLiteral("Ⅵ类石含量")};
        for (int k = 0; k < 6; ++k) {
            list.push_back({ID_CONTENT_FIRST + k, params, contents[k], ItemType::Double});
        }
        return list;
    }();
    return items;
}

const YDPSettingsModel::Item* YDPSettingsModel::FindItem(int id) {
    for (const Item& item : Items()) {
        if (item.nId == id) {
            return &item;
        }
    }
    return nullptr;
}

const QStringList& YDPSettingsModel::PrincipleEntries() {
    static const QStringList entries = {
        QStringLiteral("优先使用土方"), QStringLiteral("土方石齐用"),
        QStringLiteral("单过程土石比例控制"), QStringLiteral("将填缺凑到土石比例"),
        QStringLiteral("就地取弃")};
    return entries;
}

int YDPSettingsModel::PrincipleIndexOf(int rule) {
    const int principle = rule & DPR_PRINCIPLE_MASK;
    for (size_t i = 0; i < kPrincipleBits.size(); ++i) {
        if (principle == kPrincipleBits[i]) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

int YDPSettingsModel::ApplyPrinciple(int rule, int index) {
    if (index < 0 || index >= static_cast<int>(kPrincipleBits.size())) {
        return rule;
    }
    return (rule & ~DPR_PRINCIPLE_MASK) | kPrincipleBits[static_cast<size_t>(index)];
}

QVariant YDPSettingsModel::Value(int id) const {
    if (id == ID_PRINCIPLE) {
        return PrincipleIndexOf(g_nDPRule);
    }
    if (const int bit = FlagBitOf(id); bit != 0) {
        return (g_nDPRule & bit) != 0;
    }
    if (const double* number = NumberOf(id)) {
        return *number;
    }
    return {};
}

bool YDPSettingsModel::SetValue(int id, const QVariant& value) {
    bool ok = false;
    if (id == ID_PRINCIPLE) {
        const int index = value.toInt(&ok);
        if (!ok || index < 0 || index >= static_cast<int>(kPrincipleBits.size())) {
            return false;
        }
        g_nDPRule = ApplyPrinciple(g_nDPRule, index);
    } else if (const int bit = FlagBitOf(id); bit != 0) {
        if (!value.canConvert<bool>()) {
            return false;
        }
        g_nDPRule = value.toBool() ? (g_nDPRule | bit) : (g_nDPRule & ~bit);
    } else if (double* number = NumberOf(id)) {
        const double d = value.toDouble(&ok);
        if (!ok) {
            return false;
        }
        *number = d;
    } else {
        return false;
    }
    emit ValueChanged(id);
    if (id < 100) {
        emit EnableChanged();
    }
    return true;
}

bool YDPSettingsModel::IsEnabled(int id) const {
    return IsEnabledFor(id, g_nDPRule);
}

bool YDPSettingsModel::IsEnabledFor(int id, int rule) {
    if (id == ID_FILL_CONTENTS) {
        return (rule & DPR_LOCAL) != 0;
    }
    if (id == ID_SOIL_RATIO || id == ID_ROCK_RATIO) {
        return (rule & (DPR_CUT_RATIO | DPR_FILL_RATIO)) != 0;
    }
    if (id == ID_FILL_PER_METRE) {
        return (rule & DPR_THICKNESS) != 0;
    }
    if (id >= ID_CONTENT_FIRST && id <= ID_CONTENT_LAST) {
        return (rule & DPR_LOCAL) != 0 && (rule & DPR_FILL_CONTENTS) == 0;
    }
    return FindItem(id) != nullptr;
}

void YDPSettingsModel::Refresh() {
    emit EnableChanged();
    for (const Item& item : Items()) {
        emit ValueChanged(item.nId);
    }
}
