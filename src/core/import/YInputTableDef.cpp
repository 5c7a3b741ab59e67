#include "core/import/YInputTableDef.h"

namespace {

using K = YInputField::Kind;

YInputField F(const char* column, K kind, const char* fallback = "") {
    return {QString::fromUtf8(column), kind, QString::fromUtf8(fallback)};
}

std::vector<YInputField> ClassFields(bool withRates) {
    std::vector<YInputField> fields;
    for (const char* name : {"松土", "普通土", "硬土", "软石", "次坚石", "坚石"}) {
        fields.push_back(F(name, K::Number));
        if (withRates) {
            fields.push_back({QString::fromUtf8(name) + QStringLiteral("利用率"), K::Number, {}});
        }
    }
    return fields;
}

std::vector<YInputField> PitStations() {
    return {F("上路桩号", K::Station), F("前经济分界点桩号", K::Station, "上路桩号"),
            F("后经济分界点桩号", K::Station, "上路桩号"), F("支线长度", K::Number)};
}

std::vector<YInputField> Concat(std::vector<YInputField> a, const std::vector<YInputField>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<YInputTableDef> Make() {
    std::vector<YInputTableDef> defs;
    defs.push_back({"路槽",
                    "trough",
                    "[sta]",
                    // the width comes before the height, the reverse of the grid's columns
                    {F("桩号", K::Station), F("宽度", K::Number), F("高度", K::Number)},
                    {},
                    "sta",
                    {}});
    defs.push_back({"构造物",
                    "structures",
                    "[ssta]",
                    {F("起始桩号", K::Station), F("终止桩号", K::Station), F("名称", K::Text),
                     F("跨径", K::Number), F("能否跨越", K::Flag), F("绕行距离", K::OptNumber)},
                    {" \t", " \t", " \t ", " \t", "\t "},
                    "ssta",
                    {}});
    std::vector<YInputField> totals = {F("土方总量", K::Number), F("石方总量", K::Number)};
    defs.push_back({"取土坑",
                    "borrow-pits",
                    "[上路桩号]",
                    Concat(Concat(PitStations(), ClassFields(false)), totals),
                    {},
                    {},
                    {}});
    defs.push_back({"弃土坑",
                    "waste-pits",
                    "[上路桩号]",
                    Concat(PitStations(), {F("总容量", K::Number)}),
                    {},
                    {},
                    {}});
    // The usable rates exist from layout version 3; older files exchange the contents only.
    defs.push_back({"土石含量",
                    "contents",
                    "[sta]",
                    Concat({F("桩号", K::Station)}, ClassFields(true)),
                    {},
                    "sta",
                    {}});
    defs.push_back({"项目分段",
                    "segments",
                    "[分段编号]",
                    {F("分段编号", K::Integer), F("结束桩号", K::Station)},
                    {},
                    {},
                    {}});
    defs.push_back({"竖曲线",
                    "vertical-curve",
                    "[sta]",
                    {F("桩号", K::Station), F("高程", K::Number), F("半径", K::Number)},
                    {},
                    "sta",
                    "编号"});
    defs.push_back({"断链", "chain-breaks", "[ID]", {F("断链", K::ChainBreak)}, {}, {}, "ID"});
    return defs;
}

} // namespace

const std::vector<YInputTableDef>& YInputTableDef::All() {
    static const std::vector<YInputTableDef> defs = Make();
    return defs;
}

const YInputTableDef* YInputTableDef::Find(const QString& name) {
    QString bare = name.trimmed();
    if (bare.startsWith(QLatin1Char('[')) && bare.endsWith(QLatin1Char(']'))) {
        bare = bare.mid(1, bare.size() - 2);
    }
    for (const YInputTableDef& def : All()) {
        if (def.table == bare || def.alias == bare) {
            return &def;
        }
    }
    return nullptr;
}

QStringList YInputTableDef::Names() {
    QStringList names;
    for (const YInputTableDef& def : All()) {
        names.append(QStringLiteral("%1 (%2)").arg(def.table, def.alias));
    }
    return names;
}
