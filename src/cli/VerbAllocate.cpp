#include "cli/YCliAllocSession.h"
#include "cli/YCliVerb.h"
#include "core/allocation/YDPCalTool.h"
#include "core/allocation/YDPCommand.h"
#include "core/allocation/YDPRule.h"
#include "core/db/DpKind.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "core/platform/YUserIO.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>
#include <optional>

// dalvex-cli allocate: one allocation command as the interactive tool performs it. The source
// and destination are picked the way the diagram's rectangle selection picks them (whole
// segments in a station range, masks by UpdateSel with the class filter), then the strategy
// registry chooses the strategy for the rule settings and the selection and runs it.
namespace {

const QString kNothingMoved =
    QStringLiteral("没有调配任何土石方：所选的取方与用方之间已没有可以移动的数量。");

// Passes everything on and notes whether a warning or an error was shown: a strategy that moved
// nothing and said nothing is then explained, not left as a bare exit status.
class NoticingIO : public YUserIO {
  public:
    explicit NoticingIO(YUserIO& io) : m_io(io) {}
    void Message(YMsgKind kind, const QString& text) override {
        m_bSpoke = m_bSpoke || kind != YMsgKind::Info;
        m_io.Message(kind, text);
    }
    bool Ask(const QString& question) override { return m_io.Ask(question); }
    void BeginWait() override { m_io.BeginWait(); }
    void EndWait() override { m_io.EndWait(); }
    void BeginProgress(const QString& title, qint64 total) override {
        m_io.BeginProgress(title, total);
    }
    bool Advance(qint64 done) override { return m_io.Advance(done); }
    void EndProgress() override { m_io.EndProgress(); }
    bool Spoke() const { return m_bSpoke; }

  private:
    YUserIO& m_io;
    bool m_bSpoke = false;
};

const QString kUsage = QStringLiteral(
    "allocate <p.dvx> --rule soil-first|together|cut-ratio|fill-ratio|local [--thickness T] "
    "[--unusable] [--fill-contents] [--soil-ratio P --rock-ratio P] [--contents c1,...,c6] "
    "[--classes MASK] (--cut FROM~TO | --borrow-pit N) (--fill FROM~TO | --waste-pit N) "
    "[--to-project other.dvx (--exit-port N --entry-port N | --new-port EXIT_STA,DIST,ENTRY_STA)]");

struct Request {
    QString path;
    int rule = 0;
    std::optional<double> thickness, soilRatio, rockRatio;
    std::optional<std::array<double, 6>> contents;
    std::optional<int> classes;
    QString cut, fill, toProject, newPort;
    int borrowPit = 0, wastePit = 0, exitPort = 0, entryPort = 0; // numbers from 1; 0 none
};

std::optional<double> Number(const QString& text) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

// Reads the verb's arguments; empty with the reason in error when they do not make a request.
std::optional<Request> Parse(const QStringList& args, QString& error) {
    Request r;
    const QStringList rules = {QStringLiteral("soil-first"), QStringLiteral("together"),
                               QStringLiteral("cut-ratio"), QStringLiteral("fill-ratio"),
                               QStringLiteral("local")};
    const int principle[] = {DPR_SOIL_FIRST, DPR_TOGETHER, DPR_CUT_RATIO, DPR_FILL_RATIO,
                             DPR_LOCAL};
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const QString value = hasValue ? args[i + 1] : QString();
        auto takeNumber = [&](std::optional<double>& out) {
            out = hasValue ? Number(value) : std::nullopt;
            ++i;
            return out.has_value();
        };
        auto takeInt = [&](int& out) {
            bool ok = false;
            out = hasValue ? value.toInt(&ok) : 0;
            ++i;
            return ok && out > 0;
        };
        auto takeText = [&](QString& out) {
            out = value;
            ++i;
            return hasValue;
        };
        bool ok = true;
        if (a == QLatin1String("--rule")) {
            const int idx = int(rules.indexOf(value));
            ok = idx >= 0;
            r.rule |= ok ? principle[idx] : 0;
            ++i;
        } else if (a == QLatin1String("--thickness")) {
            ok = takeNumber(r.thickness);
            r.rule |= DPR_THICKNESS;
        } else if (a == QLatin1String("--unusable")) {
            r.rule |= DPR_UNUSABLE;
        } else if (a == QLatin1String("--fill-contents")) {
            r.rule |= DPR_FILL_CONTENTS;
        } else if (a == QLatin1String("--soil-ratio")) {
            ok = takeNumber(r.soilRatio);
        } else if (a == QLatin1String("--rock-ratio")) {
            ok = takeNumber(r.rockRatio);
        } else if (a == QLatin1String("--contents")) {
            const QStringList parts = value.split(QLatin1Char(','));
            ok = parts.size() == 6;
            std::array<double, 6> c{};
            for (int k = 0; ok && k < 6; ++k) {
                const std::optional<double> v = Number(parts[k]);
                ok = v.has_value();
                c[size_t(k)] = v.value_or(0.0);
            }
            r.contents = c;
            ++i;
        } else if (a == QLatin1String("--classes")) {
            int mask = 0;
            ok = takeInt(mask) && mask <= YClass::AllMask;
            r.classes = mask;
        } else if (a == QLatin1String("--cut")) {
            ok = takeText(r.cut);
        } else if (a == QLatin1String("--fill")) {
            ok = takeText(r.fill);
        } else if (a == QLatin1String("--borrow-pit")) {
            ok = takeInt(r.borrowPit);
        } else if (a == QLatin1String("--waste-pit")) {
            ok = takeInt(r.wastePit);
        } else if (a == QLatin1String("--to-project")) {
            ok = takeText(r.toProject);
        } else if (a == QLatin1String("--exit-port")) {
            ok = takeInt(r.exitPort);
        } else if (a == QLatin1String("--entry-port")) {
            ok = takeInt(r.entryPort);
        } else if (a == QLatin1String("--new-port")) {
            ok = takeText(r.newPort);
        } else if (!a.startsWith(QLatin1String("--")) && r.path.isEmpty()) {
            r.path = a;
        } else {
            error = QStringLiteral("未知的参数 %1").arg(a);
            return std::nullopt;
        }
        if (!ok) {
            error = QStringLiteral("参数 %1 的值不正确").arg(a);
            return std::nullopt;
        }
    }
    if (r.path.isEmpty() || (r.rule & DPR_PRINCIPLE_MASK) == 0) {
        error = QStringLiteral("缺少项目文件或 --rule");
        return std::nullopt;
    }
    if ((!r.cut.isEmpty() && r.borrowPit > 0) || (!r.fill.isEmpty() && r.wastePit > 0) ||
        (r.borrowPit > 0 && r.wastePit > 0)) {
        error = QStringLiteral("来源和去向各只能选一个");
        return std::nullopt;
    }
    const bool ports = r.exitPort > 0 || r.entryPort > 0;
    if (!r.toProject.isEmpty() && ports == !r.newPort.isEmpty()) {
        error = QStringLiteral("跨项目调配需要 --exit-port 和 --entry-port,或 --new-port");
        return std::nullopt;
    }
    return r;
}

// Collects what the strategy records, for the printout.
class ProcessCollector : public YReactor {
  public:
    struct Line {
        CDalvexDoc* doc;
        DpKind kind;
        int step, seq;
        QString from, to;
        double soil, rock, fill;
    };
    explicit ProcessCollector(std::vector<Line>& lines) : m_lines(lines) {}
    void OnProcessAdded(const DpProcess& p) override {
        const YStationNumbering& numbering = GetDocument()->Numbering();
        m_lines.push_back({GetDocument(), p.kind, p.step, p.seq,
                           Where(p.source, p, true, numbering),
                           Where(p.destination, p, false, numbering), p.Moved(DpAmt::SoilC),
                           p.Moved(DpAmt::RockC), p.FillMoved()});
    }

  private:
    static QString Where(const DpEnd& end, const DpProcess& p, bool source,
                         const YStationNumbering& numbering) {
        if (const auto* seg = std::get_if<YTFItem*>(&end)) {
            return numbering.Text((*seg)->m_staStart) + u'~' + numbering.Text((*seg)->m_staEnd);
        }
        if (std::holds_alternative<YQutukItem*>(end)) {
            return QStringLiteral("取土坑%1").arg(p.pit + 1);
        }
        if (std::holds_alternative<YQitukItem*>(end)) {
            return QStringLiteral("弃土坑%1").arg(p.pit + 1);
        }
        if (const auto* link = std::get_if<YNearPrjItem*>(&end)) {
            return QStringLiteral("%1%2")
                .arg(source ? QStringLiteral("调入口") : QStringLiteral("调出口"))
                .arg((*link)->m_nNo);
        }
        return QString();
    }
    std::vector<Line>& m_lines;
};

void ApplySettings(const Request& r) {
    g_nDPRule = r.rule;
    if (r.thickness) {
        g_dFillPerMetre = *r.thickness;
    }
    if (r.soilRatio) {
        g_dSoilRatio = *r.soilRatio;
    }
    if (r.rockRatio) {
        g_dRockRatio = *r.rockRatio;
    }
    if (r.contents) {
        std::copy(r.contents->begin(), r.contents->end(), g_dContent);
    }
    if (r.classes) {
        g_nClassFilter = (g_nClassFilter & ~quint32(YClass::AllMask)) | quint32(*r.classes);
    }
}

// The selection the tool would hand over; empty after a message when a pick is not possible.
std::optional<YDPSelection> BuildSelection(const Request& r, CDalvexDoc& cutDoc,
                                           CDalvexDoc& fillDoc, YUserIO& io) {
    YDPCommand::Picks picks;
    if (!r.cut.isEmpty() && !(picks.cutRun = YDPCommand::RangeRun(cutDoc, r.cut, io))) {
        return std::nullopt;
    }
    if (!r.fill.isEmpty() && !(picks.fillRun = YDPCommand::RangeRun(fillDoc, r.fill, io))) {
        return std::nullopt;
    }
    picks.nBorrowPit = r.borrowPit - 1;
    picks.nWastePit = r.wastePit - 1;
    return YDPCommand::Select(picks, cutDoc, fillDoc, io);
}

// Exit and entry ports for a cross-project pick (existing numbers, or a new pair).
bool ChoosePorts(const Request& r, YDPSelection& sel, YUserIO& io) {
    if (r.newPort.isEmpty()) {
        return YDPCommand::UsePorts(sel, r.exitPort, r.entryPort, io);
    }
    const QStringList parts = r.newPort.split(QLatin1Char(','));
    const bool three = parts.size() == 3;
    const auto exitSta = three ? sel.pCutDoc->Numbering().ParseStation(parts[0]) : std::nullopt;
    const auto entrySta = three ? sel.pFillDoc->Numbering().ParseStation(parts[2]) : std::nullopt;
    const std::optional<double> dist = three ? Number(parts[1]) : std::nullopt;
    if (!exitSta || !entrySta || !dist) {
        io.Error(QStringLiteral("--new-port 的值不正确: %1").arg(r.newPort));
        return false;
    }
    return YDPCommand::CreatePorts(sel, *exitSta, *dist, *entrySta);
}

void Print(YCliContext& c, const QString& strategy,
           const std::vector<ProcessCollector::Line>& lines) {
    auto num = [](double v) { return QString::number(v, 'f', 3); };
    if (c.bJson) {
        QJsonArray rows;
        for (const auto& l : lines) {
            rows.append(QJsonObject{{QStringLiteral("project"), l.doc->GetProjectName()},
                                    {QStringLiteral("step"), l.step},
                                    {QStringLiteral("seq"), l.seq},
                                    {QStringLiteral("kind"), static_cast<int>(l.kind)},
                                    {QStringLiteral("from"), l.from},
                                    {QStringLiteral("to"), l.to},
                                    {QStringLiteral("soil"), l.soil},
                                    {QStringLiteral("rock"), l.rock},
                                    {QStringLiteral("fill"), l.fill}});
        }
        c.out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("strategy"), strategy},
                                                          {QStringLiteral("processes"), rows}})
                                    .toJson(QJsonDocument::Indented)));
        return;
    }
    QString text =
        QStringLiteral("调配原则: %1\n项目\t步骤\t序号\t操作\t从\t到\t土(压实)\t石(压实)\t填方\n")
            .arg(strategy);
    for (const auto& l : lines) {
        text += QStringList{l.doc->GetProjectName(),
                            QString::number(l.step),
                            QString::number(l.seq),
                            DpKinds::Label(l.kind, l.step),
                            l.from,
                            l.to,
                            num(l.soil),
                            num(l.rock),
                            num(l.fill)}
                    .join(QLatin1Char('\t')) +
                u'\n';
    }
    c.out(text);
}

int RunAllocate(YCliContext& c) {
    QString error;
    const std::optional<Request> r = Parse(c.args, error);
    if (!r) {
        c.io->Error(error + QStringLiteral("\n用法：dalvex-cli ") + kUsage);
        return 2;
    }
    NoticingIO io(*c.io);
    YCliAllocSession project(io);
    CDalvexDoc* cutDoc = project.Open(r->path);
    if (!cutDoc) {
        return 1;
    }
    CDalvexDoc* fillDoc = r->toProject.isEmpty() ? cutDoc : project.Open(r->toProject);
    if (!fillDoc) {
        return 1;
    }
    if (!r->toProject.isEmpty() && fillDoc == cutDoc) {
        // Its port options would be ignored without a word.
        c.io->Error(QStringLiteral("--to-project 指向的就是本项目：%1").arg(r->toProject));
        return 2;
    }
    for (CDalvexDoc* doc : {cutDoc, fillDoc}) {
        if (!YCliAllocSession::RequireSegments(*doc, *c.io)) {
            return 1;
        }
    }
    ApplySettings(*r);
    std::optional<YDPSelection> sel = BuildSelection(*r, *cutDoc, *fillDoc, *c.io);
    if (!sel || (cutDoc != fillDoc && !ChoosePorts(*r, *sel, *c.io))) {
        return 1;
    }
    std::unique_ptr<YDPCalTool> strategy = YDPCommand::Strategy(*sel, *c.io);
    if (!strategy) {
        return 1;
    }
    std::vector<ProcessCollector::Line> lines;
    std::vector<YReactor*> reactors;
    for (CDalvexDoc* doc : {cutDoc, fillDoc}) {
        if (reactors.empty() || doc != cutDoc) {
            reactors.push_back(doc->AddReactor(std::make_unique<ProcessCollector>(lines)));
        }
    }
    const bool recorded = strategy->Compute();
    for (size_t i = 0; i < reactors.size(); ++i) {
        (i == 0 ? cutDoc : fillDoc)->RemoveReactor(reactors[i]);
    }
    Print(c, strategy->RuleName(), lines);
    if (!recorded && !io.Spoke()) {
        c.io->Error(kNothingMoved);
    }
    return recorded ? 0 : 1;
}

YCliVerbRegistration reg(
    {QStringLiteral("allocate"), kUsage,
     QStringLiteral("调配: run the strategy the rules and the selection call for"), RunAllocate});

} // namespace
