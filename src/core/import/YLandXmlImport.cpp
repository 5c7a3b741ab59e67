#include "core/import/YLandXmlImport.h"

#include "core/compute/YPreprocessor.h"
#include "core/db/YDatabase.h"
#include "core/db/YTransaction.h"
#include "core/import/YCrossSectionArea.h"
#include "core/import/YInputLimits.h"
#include "core/import/YLandXmlReader.h"
#include "core/import/YTextFile.h"
#include "core/platform/YUserIO.h"
#include "core/station/YStationNumbering.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

namespace {

QString NativePath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString NameList(const QStringList& names) {
    QStringList quoted;
    for (const QString& n : names) {
        quoted.append(QStringLiteral("“%1”").arg(n));
    }
    return quoted.isEmpty() ? QStringLiteral("（无）") : quoted.join(QStringLiteral("、"));
}

enum class Role { None, Ground, Design };

// The role a line's name suggests. Words are matched anywhere in the name, abbreviations only
// as whole words ("EG" but not "LEGEND").
Role RoleByName(const QString& name) {
    static const QStringList designWords = {"design", "proposed", "finish", "设计"};
    static const QStringList groundWords = {"ground", "existing", "natural", "地面", "原地"};
    static const QStringList designAbbr = {"fg"};
    static const QStringList groundAbbr = {"eg", "og"};
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    const QString lower = name.toLower();
    const QStringList words = lower.split(separators, Qt::SkipEmptyParts);
    const auto has = [&](const QStringList& parts, const QStringList& abbr) {
        return std::any_of(parts.begin(), parts.end(),
                           [&](const QString& p) { return lower.contains(p); }) ||
               std::any_of(abbr.begin(), abbr.end(),
                           [&](const QString& a) { return words.contains(a); });
    };
    if (has(designWords, designAbbr)) {
        return Role::Design;
    }
    return has(groundWords, groundAbbr) ? Role::Ground : Role::None;
}

} // namespace

// Everything the import writes, made and checked before the transaction begins.
struct YLandXmlImport::Plan {
    struct Section {
        QString text;
        double station;
        double cut;
        double fill;
        double centre; // design minus ground at the centre line, m
    };
    struct Curve {
        QString text;
        double station;
        double elevation;
        double radius;
    };
    QString name;
    YStationNumbering numbering;
    std::vector<Section> sections;
    QStringList breaks; // [断链] texts
    bool hasProfile = false;
    std::vector<Curve> curves;
};

YLandXmlImport::YLandXmlImport(YDatabase& db, YUserIO& io) : m_db(db), m_io(io) {}

QString YLandXmlImport::LineMessage(const QString& path, int line, const QString& reason) {
    return QStringLiteral("LandXML文件%1第%2行：%3").arg(NativePath(path)).arg(line).arg(reason);
}

YLandXmlImport::Roles YLandXmlImport::GuessRoles(const YLxAlignment& alignment,
                                                 const YLandXmlOptions& options) {
    const QStringList names = alignment.SurfaceNames();
    QStringList ground;
    QStringList design;
    for (const QString& name : names) {
        if (name == options.ground || name == options.design) {
            continue; // chosen already: no candidate for the other role
        }
        const bool element = std::any_of(alignment.sections.begin(), alignment.sections.end(),
                                         [&](const YLxSection& s) {
                                             const YLxSurface* surface = s.Surface(name);
                                             return surface != nullptr && surface->design;
                                         });
        const Role role = element ? Role::Design : RoleByName(name);
        if (role == Role::Design) {
            design.append(name);
        } else if (role == Role::Ground) {
            ground.append(name);
        }
    }
    Roles roles;
    roles.ground = !options.ground.isEmpty() ? options.ground
                   : ground.size() == 1      ? ground.front()
                                             : QString();
    roles.design = !options.design.isEmpty() ? options.design
                   : design.size() == 1      ? design.front()
                                             : QString();
    if (names.size() == 2 && roles.ground.isEmpty() != roles.design.isEmpty()) {
        QString& open = roles.ground.isEmpty() ? roles.ground : roles.design;
        const QString& known = roles.ground.isEmpty() ? roles.design : roles.ground;
        open = names.front() == known ? names.back() : names.front();
    }
    return roles;
}

std::vector<double> YLandXmlImport::Radii(const std::vector<YLxProfilePoint>& profile) {
    std::vector<double> radii(profile.size(), 0.0);
    for (size_t i = 1; i + 1 < profile.size(); ++i) {
        const YLxProfilePoint& p = profile[i];
        if (p.kind == YLxProfilePoint::Kind::Pvi) {
            continue;
        }
        const YLxProfilePoint& a = profile[i - 1];
        const YLxProfilePoint& b = profile[i + 1];
        const double change = std::fabs((b.elevation - p.elevation) / (b.station - p.station) -
                                        (p.elevation - a.elevation) / (p.station - a.station));
        if (change <= 0.0) {
            continue; // no bend, whatever radius the file states
        }
        const bool stated = p.kind == YLxProfilePoint::Kind::CircCurve && p.radius > 0.0;
        radii[i] = stated ? p.radius : p.length / change;
        if (!YInputLimits::CheckNumber(radii[i]).isEmpty()) {
            radii[i] = 0.0; // a grade change too small to be a curve
        }
    }
    return radii;
}

std::optional<double> YLandXmlImport::DesignElevation(const std::vector<YLxProfilePoint>& profile,
                                                      const std::vector<double>& radii,
                                                      double station) {
    if (profile.empty() || station < profile.front().station || station > profile.back().station) {
        return std::nullopt;
    }
    if (profile.size() == 1) {
        return profile.front().elevation;
    }
    // k: the tangent [k, k + 1] holding the station.
    const auto it =
        std::upper_bound(profile.begin(), profile.end(), station,
                         [](double x, const YLxProfilePoint& p) { return x < p.station; });
    const size_t k = std::min(size_t(it - profile.begin()), profile.size() - 1) - 1;
    const auto grade = [&](size_t i) {
        return (profile[i + 1].elevation - profile[i].elevation) /
               (profile[i + 1].station - profile[i].station);
    };
    // A curve at either end of the tangent may reach the station.
    for (const size_t i : {k, k + 1}) {
        if (i == 0 || i + 1 >= profile.size() || radii[i] <= 0.0) {
            continue;
        }
        const double g1 = grade(i - 1);
        const double g2 = grade(i);
        const double length = radii[i] * std::fabs(g2 - g1);
        const double d = station - profile[i].station;
        if (length > 0.0 && std::fabs(d) <= length / 2.0) {
            const double s = d + length / 2.0; // from the start of the curve
            return profile[i].elevation + g1 * d + (g2 - g1) / (2.0 * length) * s * s;
        }
    }
    return profile[k].elevation + grade(k) * (station - profile[k].station);
}

const YLxAlignment* YLandXmlImport::Choose(const QString& path, const YLandXmlReadResult& read,
                                           const QString& name) {
    const QStringList names = read.AlignmentNames();
    if (read.alignments.empty()) {
        m_io.Error(QStringLiteral("LandXML文件%1中没有路线（Alignment），未作任何改动")
                       .arg(NativePath(path)));
        return nullptr;
    }
    if (!name.isEmpty()) {
        if (const YLxAlignment* a = read.Find(name)) {
            return a;
        }
        m_io.Error(QStringLiteral("LandXML文件%1中没有名为“%2”的路线。文件中的路线：%3")
                       .arg(NativePath(path), name, NameList(names)));
        return nullptr;
    }
    if (read.alignments.size() > 1) {
        m_io.Error(QStringLiteral("LandXML文件%1中有%2条路线：%3。请选择要导入的路线。")
                       .arg(NativePath(path))
                       .arg(names.size())
                       .arg(NameList(names)));
        return nullptr;
    }
    return &read.alignments.front();
}

std::optional<YLandXmlChoices> YLandXmlImport::Inspect(const QString& path, YUserIO& io) {
    const std::optional<QByteArray> bytes = YTextFile::ReadBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    const YLandXmlReadResult read = YLandXmlReader::Read(*bytes);
    if (!read.Ok()) {
        io.Error(LineMessage(path, read.nFailLine, read.strReason));
        return std::nullopt;
    }
    YLandXmlChoices choices;
    for (const YLxAlignment& a : read.alignments) {
        const Roles roles = GuessRoles(a);
        choices.alignments.push_back({a.name, a.SurfaceNames(), roles.ground, roles.design});
    }
    return choices;
}

YLandXmlImport::Result YLandXmlImport::Import(const QString& path, const YLandXmlOptions& options) {
    YWaitScope wait(m_io);
    const std::optional<QByteArray> bytes = YTextFile::ReadBytes(path);
    if (!bytes) {
        return {Status::CannotOpen};
    }
    const YLandXmlReadResult read = YLandXmlReader::Read(*bytes);
    if (!read.Ok()) {
        m_io.Error(LineMessage(path, read.nFailLine, read.strReason));
        return {Status::BadFile};
    }
    const YLxAlignment* alignment = Choose(path, read, options.alignment);
    if (alignment == nullptr) {
        return {Status::NoChoice};
    }
    Plan plan;
    if (const Result prepared = Prepare(path, *alignment, options, plan); !prepared.Ok()) {
        return prepared;
    }
    YTransaction tr(m_db);
    if (!tr.IsActive() || !Write(plan) || !tr.Commit()) {
        m_io.Error(m_db.LastError());
        return {Status::Failed};
    }
    m_db.SetNumbering(plan.numbering);
    m_io.Info(DoneMessage());
    return {Status::Done, int(plan.sections.size()), int(plan.breaks.size()),
            int(plan.curves.size())};
}

YLandXmlImport::Result YLandXmlImport::Prepare(const QString& path, const YLxAlignment& alignment,
                                               const YLandXmlOptions& options, Plan& plan) {
    const QString where =
        QStringLiteral("LandXML文件%1的路线“%2”").arg(NativePath(path), alignment.name);
    if (alignment.sections.empty()) {
        m_io.Error(where + QStringLiteral("中没有横断面（CrossSect），未作任何改动"));
        return {Status::NoData};
    }
    const QStringList names = alignment.SurfaceNames();
    for (const QString& chosen : {options.ground, options.design}) {
        if (!chosen.isEmpty() && !names.contains(chosen)) {
            m_io.Error(where + QStringLiteral("中没有名为“%1”的断面线。断面中的线：%2")
                                   .arg(chosen, NameList(names)));
            return {Status::NoChoice};
        }
    }
    const Roles roles = GuessRoles(alignment, options);
    const bool needLines = std::any_of(alignment.sections.begin(), alignment.sections.end(),
                                       [](const YLxSection& s) { return !s.cut || !s.fill; });
    if (!roles.ground.isEmpty() && roles.ground == roles.design) {
        m_io.Error(QStringLiteral("地面线和设计线不能是同一条线“%1”").arg(roles.ground));
        return {Status::NoChoice};
    }
    if (needLines && !names.isEmpty() && (roles.ground.isEmpty() || roles.design.isEmpty())) {
        m_io.Error(where + QStringLiteral("中无法确定哪条是地面线、哪条是设计线。断面中的线：%1。"
                                          "请指定地面线和设计线。")
                               .arg(NameList(names)));
        return {Status::NoChoice};
    }
    plan.name = alignment.name;
    if (!PlanBreaks(path, alignment, plan) || !PlanRows(path, alignment, roles, plan)) {
        return {Status::BadFile};
    }
    return {Status::Done};
}

bool YLandXmlImport::Bad(const QString& path, int line, const QString& reason) {
    m_io.Error(LineMessage(path, line, reason));
    return false;
}

bool YLandXmlImport::PlanBreaks(const QString& path, const YLxAlignment& alignment, Plan& plan) {
    // In the order of their internal stations when every one states it, else in file order.
    std::vector<YLxEquation> equations = alignment.equations;
    if (std::all_of(equations.begin(), equations.end(),
                    [](const YLxEquation& e) { return e.internal.has_value(); })) {
        std::stable_sort(
            equations.begin(), equations.end(),
            [](const YLxEquation& a, const YLxEquation& b) { return *a.internal < *b.internal; });
    }
    (void)plan.numbering.SetLabel(m_db.Numbering().Label());
    for (const YLxEquation& e : equations) {
        const YChainBreak brk(e.back, e.ahead);
        if (!plan.numbering.AddChainBreak(brk)) {
            return Bad(path, e.line,
                       QStringLiteral("StaEquation的staBack须大于上一个断链的staAhead"));
        }
        const double at = plan.numbering.BreakPosition(plan.numbering.ChainBreakCount() - 1);
        // A millimetre: the precision of the station texts.
        if (e.internal && std::fabs(*e.internal - at) > 1e-3) {
            return Bad(path, e.line,
                       QStringLiteral("StaEquation的staInternal（%1）与前面的断链不符，"
                                      "按staBack应为%2")
                           .arg(*e.internal, 0, 'f', 3)
                           .arg(at, 0, 'f', 3));
        }
        plan.breaks.append(brk.Text(plan.numbering.Label()));
    }
    return true;
}

bool YLandXmlImport::PlanRows(const QString& path, const YLxAlignment& alignment,
                              const Roles& roles, Plan& plan) {
    const std::vector<double> radii = Radii(alignment.profile);
    plan.hasProfile = !alignment.profile.empty();
    for (size_t i = 0; i < alignment.profile.size(); ++i) {
        const YLxProfilePoint& p = alignment.profile[i];
        const bool end = i == 0 || i + 1 == alignment.profile.size();
        if (end && p.kind != YLxProfilePoint::Kind::Pvi) {
            return Bad(path, p.line, QStringLiteral("纵断面的起点和终点不能有竖曲线"));
        }
        plan.curves.push_back({plan.numbering.Text(p.station), p.station, p.elevation, radii[i]});
    }

    plan.sections.reserve(alignment.sections.size());
    for (const YLxSection& s : alignment.sections) {
        const YLxSurface* ground = roles.ground.isEmpty() ? nullptr : s.Surface(roles.ground);
        const YLxSurface* design = roles.design.isEmpty() ? nullptr : s.Surface(roles.design);
        const QString text = plan.numbering.Text(s.station);
        YCutFill areas{s.cut.value_or(0.0), s.fill.value_or(0.0)};
        if (!(s.cut && s.fill)) {
            if (ground != nullptr && design != nullptr) {
                areas = YCrossSectionArea::Compute(ground->points, design->points);
            } else if (!s.cut && !s.fill) {
                return Bad(path, s.line,
                           QStringLiteral("%1的横断面既没有areaCut、areaFill属性，"
                                          "也没有地面线“%2”和设计线“%3”")
                               .arg(text, roles.ground, roles.design));
            }
        }
        const QString area = YInputLimits::CheckArea(std::max(areas.cut, areas.fill));
        if (!area.isEmpty()) {
            return Bad(path, s.line, QStringLiteral("%1的横断面：%2").arg(text, area));
        }
        double centre = 0.0;
        const std::optional<double> top = DesignElevation(alignment.profile, radii, s.station);
        const std::optional<double> bottom =
            ground != nullptr ? YCrossSectionArea::ElevationAt(ground->points, 0.0) : std::nullopt;
        if (top && bottom) {
            centre = *top - *bottom;
        }
        plan.sections.push_back({text, s.station, areas.cut, areas.fill, centre});
    }
    return true;
}

bool YLandXmlImport::Write(const Plan& plan) {
    const auto prepare = [this](QSqlQuery& q, const QString& sql) {
        if (!q.prepare(sql)) {
            m_db.SetLastError(q.lastError().text());
            return false;
        }
        return true;
    };
    const auto run = [this](QSqlQuery& q, const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) {
            q.bindValue(i, values[i]);
        }
        if (!q.exec()) {
            m_db.SetLastError(q.lastError().text());
            return false;
        }
        return true;
    };
    QSqlQuery q(m_db.Connection());
    if (!m_db.Exec(QStringLiteral("DELETE FROM [逐桩断面]")) ||
        !prepare(q, QStringLiteral("INSERT INTO [逐桩断面] ([桩号],[sta],[挖方面积],[填方面积],"
                                   "[中桩填挖]) VALUES (?,?,?,?,?)"))) {
        return false;
    }
    for (const Plan::Section& s : plan.sections) {
        if (!run(q, {s.text, s.station, s.cut, s.fill, s.centre})) {
            return false;
        }
    }
    if (!m_db.Exec(QStringLiteral("DELETE FROM [断链]")) ||
        !prepare(q, QStringLiteral("INSERT INTO [断链] ([ID],[断链]) VALUES (?,?)"))) {
        return false;
    }
    for (int i = 0; i < plan.breaks.size(); ++i) {
        if (!run(q, {i + 1, plan.breaks[i]})) {
            return false;
        }
    }
    if (plan.hasProfile && m_db.HasTable(QStringLiteral("竖曲线"))) {
        if (!m_db.Exec(QStringLiteral("DELETE FROM [竖曲线]")) ||
            !prepare(q, QStringLiteral("INSERT INTO [竖曲线] ([编号],[桩号],[sta],[高程],[半径]) "
                                       "VALUES (?,?,?,?,?)"))) {
            return false;
        }
        for (size_t i = 0; i < plan.curves.size(); ++i) {
            const Plan::Curve& c = plan.curves[i];
            if (!run(q, {qlonglong(i + 1), c.text, c.station, c.elevation, c.radius})) {
                return false;
            }
        }
    }
    return WriteProject(plan);
}

// From layout version 5: the sections become the single segment (the results of every old
// segment are then stale) and the alignment names a project without a name.
bool YLandXmlImport::WriteProject(const Plan& plan) {
    const bool segments = m_db.Version() >= 5 && m_db.HasTable(QStringLiteral("项目分段"));
    if (segments &&
        !(m_db.Exec(QStringLiteral("DELETE FROM [项目分段]")) &&
          m_db.Exec(QStringLiteral("INSERT INTO [项目分段] ([分段编号],[结束桩号]) VALUES (1, ?)"),
                    {plan.sections.back().text}))) {
        return false;
    }
    if (m_db.Version() >= 5 && !plan.name.isEmpty() && m_db.HasTable(QStringLiteral("项目"))) {
        const QString select =
            QStringLiteral("SELECT [属性值] FROM [项目] WHERE [属性名称] = '项目名称'");
        const std::optional<QVariant> current = m_db.QueryValue(select);
        bool ok = true;
        if (!current) {
            ok = m_db.Exec(QStringLiteral("INSERT INTO [项目] ([属性名称],[属性值]) "
                                          "VALUES ('项目名称', ?)"),
                           {plan.name});
        } else if (current->toString().trimmed().isEmpty()) {
            ok = m_db.Exec(QStringLiteral("UPDATE [项目] SET [属性值] = ? "
                                          "WHERE [属性名称] = '项目名称'"),
                           {plan.name});
        }
        if (!ok) {
            return false;
        }
    }
    return ClearResults(segments);
}

bool YLandXmlImport::ClearResults(bool allSegments) {
    const QString where = allSegments ? QString() : YPreprocessor::SegmentWhere(m_db);
    for (const QString& table : YPreprocessor::ResultTables()) {
        if (m_db.HasTable(table) &&
            !m_db.Exec(QStringLiteral("DELETE FROM [%1]%2").arg(table, where))) {
            return false;
        }
    }
    return true;
}
