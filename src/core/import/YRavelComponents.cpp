#include "core/import/YRavelComponents.h"

#include "core/import/YInputLimits.h"
#include "core/import/YRavelText.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kVersion = 1;

const std::array<QString, 6> kClassColumns = {QStringLiteral("松土"),   QStringLiteral("普通土"),
                                              QStringLiteral("硬土"),   QStringLiteral("软石"),
                                              QStringLiteral("次坚石"), QStringLiteral("坚石")};

// Fails the line unless it has at least `min` and at most `max` fields.
bool FieldCount(YRavelText& text, const YRavelText::Line& line, const QStringList& fields, int min,
                int max, const QString& layout) {
    if (fields.size() < min || fields.size() > max) {
        text.Fail(line.nLine, QStringLiteral("须写成“%1”").arg(layout));
        return false;
    }
    return true;
}

// Lists keyed by station must run forward: a repeated station would make two rows of one key.
bool Advances(YRavelText& text, const YRavelText::Line& line, double x, const double* previous) {
    const QString reason = previous ? YInputLimits::CheckAfter(x, *previous) : QString();
    if (!reason.isEmpty()) {
        text.Fail(line.nLine, reason);
    }
    return reason.isEmpty();
}

template <class T> const double* LastStation(const std::vector<T>& v) {
    return v.empty() ? nullptr : &v.back().dStation;
}

} // namespace

bool YRavelComponent::Load(const QString& path, const YStationNumbering& numbering) {
    m_strPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    Clear();
    const std::optional<QByteArray> bytes = YRavelText::ReadFile(path, m_strError);
    return bytes && Parse(*bytes, numbering);
}

bool YRavelComponent::Parse(const QByteArray& bytes, const YStationNumbering& numbering) {
    Clear();
    m_strError.clear();
    YRavelText text;
    if (text.Parse(bytes, Format(), kVersion)) {
        Read(text, numbering);
    }
    if (text.Failed()) {
        Clear();
        m_strError = text.ErrorMessage(m_strPath);
        return false;
    }
    return true;
}

void YRavelEarthworkFile::Read(YRavelText& text, const YStationNumbering& numbering) {
    for (const YRavelText::Line& line : text.Lines()) {
        const QStringList f = YRavelText::Fields(line.strText);
        if (!FieldCount(text, line, f, 3, 4, QStringLiteral("桩号 挖方面积 填方面积 [中桩填挖]"))) {
            return;
        }
        YRavelSection s;
        const auto x = text.Station(line, f[0], numbering);
        const auto cut = x ? text.Value(line, f[1], QStringLiteral("挖方面积")) : std::nullopt;
        const auto fill = cut ? text.Value(line, f[2], QStringLiteral("填方面积")) : std::nullopt;
        const auto h = f.size() < 4 ? std::optional<double>(0.0)
                                    : text.Value(line, f.value(3), QStringLiteral("中桩填挖"));
        if (!x || !cut || !fill || !h || !Advances(text, line, *x, LastStation(m_sections))) {
            return;
        }
        m_sections.push_back({*x, *cut, *fill, *h});
    }
}

void YRavelControlFile::Clear() {
    m_troughs.clear();
    m_structures[0].clear();
    m_structures[1].clear();
    m_contents.clear();
}

void YRavelControlFile::Read(YRavelText& text, const YStationNumbering& numbering) {
    for (const YRavelText::Line& line : text.Lines()) {
        const QStringList f = YRavelText::Fields(line.strText);
        const QString& section = line.strSection;
        if (section == QStringLiteral("路槽")) {
            if (!FieldCount(text, line, f, 1, 1, QStringLiteral("桩号"))) {
                return;
            }
            const auto x = text.Station(line, f[0], numbering);
            const double* previous = m_troughs.empty() ? nullptr : &m_troughs.back();
            if (!x || !Advances(text, line, *x, previous)) {
                return;
            }
            m_troughs.push_back(*x);
        } else if (section == QStringLiteral("桥隧") || section == QStringLiteral("涵洞通道")) {
            if (!FieldCount(text, line, f, 2, int(f.size()) + 2,
                            QStringLiteral("起始桩号 终止桩号 名称"))) {
                return;
            }
            const auto start = text.Station(line, f[0], numbering);
            const auto end = start ? text.Station(line, f[1], numbering) : std::nullopt;
            if (!end) {
                return;
            }
            if (*end <= *start) {
                text.Fail(line.nLine, QStringLiteral("终止桩号须大于起始桩号"));
                return;
            }
            const int list = section == QStringLiteral("桥隧") ? 0 : 1;
            m_structures[list].push_back({*start, *end, f.mid(2).join(u' ')});
        } else if (section == QStringLiteral("土石含量")) {
            if (!FieldCount(text, line, f, 7, 7, QStringLiteral("桩号 Ⅰ Ⅱ Ⅲ Ⅳ Ⅴ Ⅵ"))) {
                return;
            }
            YRavelContents c;
            const auto x = text.Station(line, f[0], numbering);
            if (!x || !Advances(text, line, *x, LastStation(m_contents))) {
                return;
            }
            c.dStation = *x;
            for (int k = 0; k < 6; ++k) {
                const auto p = text.Value(line, f[k + 1], kClassColumns[size_t(k)]);
                if (!p) {
                    return;
                }
                c.percent[size_t(k)] = *p;
            }
            m_contents.push_back(c);
        }
    }
}

void YRavelProfileFile::Read(YRavelText& text, const YStationNumbering& numbering) {
    for (const YRavelText::Line& line : text.Lines()) {
        const QStringList f = YRavelText::Fields(line.strText);
        if (!FieldCount(text, line, f, 3, 3, QStringLiteral("桩号 高程 半径"))) {
            return;
        }
        const auto x = text.Station(line, f[0], numbering);
        const auto z = x ? text.Value(line, f[1], QStringLiteral("高程")) : std::nullopt;
        const auto r = z ? text.Value(line, f[2], QStringLiteral("半径")) : std::nullopt;
        if (!r || !Advances(text, line, *x, LastStation(m_points))) {
            return;
        }
        if (*r < 0) {
            text.Fail(line.nLine, QStringLiteral("半径不能为负"));
            return;
        }
        m_points.push_back({*x, *z, *r});
    }
}
