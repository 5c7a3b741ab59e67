#include "core/import/YRavelImport.h"

#include "core/compute/YPreprocessor.h"
#include "core/db/YDatabase.h"
#include "core/platform/YGuid.h"
#include "core/platform/YUserIO.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

const std::array<QString, 6> kClassNames = {QStringLiteral("松土"),   QStringLiteral("普通土"),
                                            QStringLiteral("硬土"),   QStringLiteral("软石"),
                                            QStringLiteral("次坚石"), QStringLiteral("坚石")};

} // namespace

YRavelImport::YRavelImport(YDatabase& db, YUserIO& io) : m_db(db), m_io(io) {}

template <class Row, class Bind>
bool YRavelImport::InsertRows(const QString& sql, const std::vector<Row>& rows, Bind bind) {
    QSqlQuery q(m_db.Connection());
    if (!q.prepare(sql)) {
        m_db.SetLastError(q.lastError().text());
        return false;
    }
    for (const Row& row : rows) {
        bind(q, row);
        if (!q.exec()) {
            m_db.SetLastError(q.lastError().text());
            return false;
        }
    }
    return true;
}

std::optional<YRavelData> YRavelImport::Read(const QString& projectPath) {
    YRavelData data;
    if (!data.project.Load(projectPath)) {
        m_io.Error(QStringLiteral("不能打开项目文件！"));
        m_io.Error(data.project.ErrorMessage());
        return std::nullopt;
    }
    YWaitScope wait(m_io);
    ReadComponent(data.project, YRavelProjectFile::EarthworkFile,
                  QStringLiteral("不能打开土方文件！"), data.earthwork);
    ReadComponent(data.project, YRavelProjectFile::ControlFile,
                  QStringLiteral("不能打开控制参数文件！"), data.control);
    ReadComponent(data.project, YRavelProjectFile::ProfileFile,
                  QStringLiteral("不能打开纵断面设计数据文件！"), data.profile);
    return data;
}

// A project without a file of this kind skips it silently; one that names a file that cannot
// be read says so, with where and why, and the import goes on without it.
template <class File>
void YRavelImport::ReadComponent(const YRavelProjectFile& project, int code, const QString& message,
                                 std::optional<File>& into) {
    const QString path = project.ComponentPath(code);
    if (path.isEmpty()) {
        return;
    }
    File file;
    if (!file.Load(path, project.Numbering())) {
        m_io.Error(message);
        m_io.Error(file.ErrorMessage());
        return;
    }
    into = std::move(file);
}

YStationNumbering YRavelImport::NewNumbering(const YRavelData& data) const {
    YStationNumbering numbering = data.project.Numbering();
    (void)numbering.SetLabel(m_db.Version() >= 5 ? data.project.StationLabel()
                                                 : m_db.Numbering().Label());
    return numbering;
}

bool YRavelImport::Write(const YRavelData& data) {
    const YStationNumbering numbering = NewNumbering(data);
    if (!WriteChainBreaks(data) || !WriteProperties(data) || !ClearResults()) {
        return false;
    }
    if (data.earthwork && !WriteSections(*data.earthwork, numbering)) {
        return false;
    }
    if (data.control && !WriteControl(*data.control, numbering)) {
        return false;
    }
    return !data.profile || WriteProfile(*data.profile, numbering);
}

bool YRavelImport::WriteChainBreaks(const YRavelData& data) {
    if (!m_db.Exec(QStringLiteral("DELETE FROM [断链]"))) {
        return false;
    }
    std::vector<std::pair<int, QString>> rows;
    for (const QString& text : data.project.ChainBreaks()) {
        rows.emplace_back(int(rows.size()), text);
    }
    return InsertRows(QStringLiteral("INSERT INTO [断链] ([ID],[断链]) VALUES (?,?)"), rows,
                      [](QSqlQuery& q, const std::pair<int, QString>& r) {
                          q.bindValue(0, r.first);
                          q.bindValue(1, r.second);
                      });
}

// From version 5 the project takes the road project's name and label and a new identity:
// it is now another project to its neighbours.
bool YRavelImport::WriteProperties(const YRavelData& data) {
    if (m_db.Version() < 5) {
        return true;
    }
    const std::vector<std::pair<QString, QString>> rows = {
        {QStringLiteral("项目名称"), data.project.TextProperty(YRavelProjectFile::NameProperty)},
        {QStringLiteral("GUID"), YGuid::NewText()},
        {QStringLiteral("项目标识"), data.project.StationLabel()}};
    return m_db.Exec(QStringLiteral("DELETE FROM [项目]")) &&
           InsertRows(QStringLiteral("INSERT INTO [项目] ([属性名称],[属性值]) VALUES (?,?)"), rows,
                      [](QSqlQuery& q, const std::pair<QString, QString>& r) {
                          q.bindValue(0, r.first);
                          q.bindValue(1, r.second);
                      });
}

bool YRavelImport::ClearResults() {
    // Replacing the segment table makes every segment's results stale, not only the current's.
    const bool allSegments = m_db.HasTable(QStringLiteral("项目分段"));
    const QString where = allSegments ? QString() : YPreprocessor::SegmentWhere(m_db);
    for (const QString& table : YPreprocessor::ResultTables()) {
        if (m_db.HasTable(table) &&
            !m_db.Exec(QStringLiteral("DELETE FROM [%1]%2").arg(table, where))) {
            return false;
        }
    }
    for (const QString& table : {QStringLiteral("竖曲线"), QStringLiteral("项目分段")}) {
        if (m_db.HasTable(table) && !m_db.Exec(QStringLiteral("DELETE FROM [%1]").arg(table))) {
            return false;
        }
    }
    return true;
}

bool YRavelImport::WriteSections(const YRavelEarthworkFile& file, const YStationNumbering& n) {
    if (!m_db.Exec(QStringLiteral("DELETE FROM [逐桩断面]")) ||
        !InsertRows(QStringLiteral("INSERT INTO [逐桩断面] ([桩号],[挖方面积],[填方面积],"
                                   "[中桩填挖],[sta]) VALUES (?,?,?,?,?)"),
                    file.Sections(), [&n](QSqlQuery& q, const YRavelSection& s) {
                        // A negative area is an export artefact: no earth, not its magnitude.
                        q.bindValue(0, n.Text(s.dStation));
                        q.bindValue(1, std::max(s.dCut, 0.0));
                        q.bindValue(2, std::max(s.dFill, 0.0));
                        q.bindValue(3, s.dHeight);
                        q.bindValue(4, s.dStation);
                    })) {
        return false;
    }
    if (file.Sections().empty() || !m_db.HasTable(QStringLiteral("项目分段"))) {
        return true;
    }
    return m_db.Exec(QStringLiteral("INSERT INTO [项目分段] ([分段编号],[结束桩号]) VALUES (1, ?)"),
                     {n.Text(file.Sections().back().dStation)});
}

bool YRavelImport::WriteControl(const YRavelControlFile& file, const YStationNumbering& n) {
    if (!file.TroughStations().empty() &&
        !(m_db.Exec(QStringLiteral("DELETE FROM [路槽]")) &&
          InsertRows(QStringLiteral("INSERT INTO [路槽] ([桩号],[高度],[宽度],[sta]) "
                                    "VALUES (?,0,0,?)"),
                     file.TroughStations(), [&n](QSqlQuery& q, double x) {
                         q.bindValue(0, n.Text(x));
                         q.bindValue(1, x);
                     }))) {
        return false;
    }
    std::vector<YRavelStructure> structures = file.Structures(0);
    structures.insert(structures.end(), file.Structures(1).begin(), file.Structures(1).end());
    if (!structures.empty() &&
        !(m_db.Exec(QStringLiteral("DELETE FROM [构造物]")) &&
          InsertRows(QStringLiteral("INSERT INTO [构造物] ([起始桩号],[终止桩号],[名称],[跨径],"
                                    "[ssta]) VALUES (?,?,?,?,?)"),
                     structures, [&n](QSqlQuery& q, const YRavelStructure& s) {
                         q.bindValue(0, n.Text(s.dStart));
                         q.bindValue(1, n.Text(s.dEnd));
                         q.bindValue(2, s.strName);
                         q.bindValue(3, s.dEnd - s.dStart);
                         q.bindValue(4, s.dStart);
                     }))) {
        return false;
    }
    return file.Contents().empty() || WriteContents(file.Contents(), n);
}

// Every class is taken as usable: the road project knows the shares, the designer decides
// what may be reused.
bool YRavelImport::WriteContents(const std::vector<YRavelContents>& rows,
                                 const YStationNumbering& n) {
    const QStringList existing =
        m_db.ColumnNames(QStringLiteral("土石含量")).value_or(QStringList());
    QStringList columns = {QStringLiteral("[桩号]"), QStringLiteral("[sta]")};
    QStringList values = {QStringLiteral("?"), QStringLiteral("?")};
    for (const QString& name : kClassNames) {
        columns << QStringLiteral("[%1]").arg(name);
        values << QStringLiteral("?");
        if (existing.contains(name + QStringLiteral("利用率"))) {
            columns << QStringLiteral("[%1利用率]").arg(name);
            values << QStringLiteral("100");
        }
    }
    return m_db.Exec(QStringLiteral("DELETE FROM [土石含量]")) &&
           InsertRows(QStringLiteral("INSERT INTO [土石含量] (%1) VALUES (%2)")
                          .arg(columns.join(u','), values.join(u',')),
                      rows, [&n](QSqlQuery& q, const YRavelContents& c) {
                          q.bindValue(0, n.Text(c.dStation));
                          q.bindValue(1, c.dStation);
                          for (int k = 0; k < 6; ++k) {
                              q.bindValue(2 + k, c.percent[size_t(k)]);
                          }
                      });
}

bool YRavelImport::WriteProfile(const YRavelProfileFile& file, const YStationNumbering& n) {
    return !m_db.HasTable(QStringLiteral("竖曲线")) ||
           InsertRows(QStringLiteral("INSERT INTO [竖曲线] ([桩号],[高程],[半径],[sta]) "
                                     "VALUES (?,?,?,?)"),
                      file.Points(), [&n](QSqlQuery& q, const YRavelPvi& p) {
                          q.bindValue(0, n.Text(p.dStation));
                          q.bindValue(1, p.dElevation);
                          q.bindValue(2, p.dRadius);
                          q.bindValue(3, p.dStation);
                      });
}
