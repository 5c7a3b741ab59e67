#include "core/import/YInputTableText.h"

#include "core/db/YDatabase.h"
#include "core/db/YTransaction.h"
#include "core/import/YInputLimits.h"
#include "core/import/YTextFile.h"
#include "core/platform/YUserIO.h"
#include "core/station/YChainBreak.h"
#include "core/station/YStation.h"

#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

namespace {

using K = YInputField::Kind;

QString Bracket(const QString& name) {
    return QLatin1Char('[') + name + QLatin1Char(']');
}

// Fields of a line: runs of spaces and tabs separate them.
QStringList SplitFields(const QString& line) {
    QStringList fields;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        const bool sep =
            i == line.size() || line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t');
        if (sep && start >= 0) {
            fields.append(line.mid(start, i - start));
            start = -1;
        } else if (!sep && start < 0) {
            start = i;
        }
    }
    return fields;
}

QString TrimSpacesAndTabs(const QString& line) {
    qsizetype a = 0;
    qsizetype b = line.size();
    const auto blank = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r');
    };
    while (a < b && blank(line[a])) {
        ++a;
    }
    while (b > a && blank(line[b - 1])) {
        --b;
    }
    return line.mid(a, b - a);
}

// The value a field of the file stores, or empty when the field cannot be read.
std::optional<QVariant> ReadField(const QString& text, K kind, const YStationNumbering& numbering) {
    bool ok = false;
    switch (kind) {
    case K::Station:
        return numbering.Parse(text) ? std::optional<QVariant>(text) : std::nullopt;
    case K::ChainBreak:
        return YChainBreak::Parse(text) ? std::optional<QVariant>(text) : std::nullopt;
    case K::Text:
        return QVariant(text);
    case K::Integer: {
        const int v = text.toInt(&ok);
        return ok ? std::optional<QVariant>(v) : std::nullopt;
    }
    case K::Flag: {
        const int v = text.toInt(&ok);
        return ok ? std::optional<QVariant>(v != 0 ? 1 : 0) : std::nullopt;
    }
    case K::Number:
    case K::OptNumber: {
        const double v = text.toDouble(&ok);
        return ok && std::isfinite(v) ? std::optional<QVariant>(v) : std::nullopt;
    }
    }
    return std::nullopt;
}

// Why a value read is outside what a road can have; empty when it is inside.
QString OutOfRange(const YInputField& field, const QVariant& v,
                   const YStationNumbering& numbering) {
    switch (field.kind) {
    case K::Station: {
        const std::optional<YStation> x = numbering.ParseStation(v.toString());
        return x ? YInputLimits::CheckStation(x->Value()) : QString();
    }
    case K::Number:
    case K::OptNumber:
        return YInputLimits::CheckColumn(field.column, v.toDouble());
    default:
        return {};
    }
}

QString FormatField(const QVariant& v, K kind) {
    switch (kind) {
    case K::Number:
        return QString::number(v.toDouble(), 'f', 3);
    case K::OptNumber:
        return v.isNull() ? QStringLiteral("0.0") : QString::number(v.toDouble(), 'f', 3);
    case K::Integer:
    case K::Flag:
        return QString::number(v.toInt());
    default:
        return v.toString();
    }
}

} // namespace

struct YInputTableText::Layout {
    struct Item {
        const YInputField* field;
        QString source; // column read on export (the field's, its fallback, or empty: NULL)
        bool stored;    // the column exists and import writes it
    };
    const YInputTableDef* def = nullptr;
    bool exists = false;
    std::vector<Item> items; // the fields of a line, in order
    QStringList separators;  // after each item but the last
};

YInputTableText::YInputTableText(YDatabase& db, YUserIO& io) : m_db(db), m_io(io) {}

YInputTableText::Layout YInputTableText::LayoutOf(const YInputTableDef& def) {
    Layout layout;
    layout.def = &def;
    const std::optional<QStringList> columns = m_db.ColumnNames(def.table);
    layout.exists = columns.has_value();
    if (!columns) {
        return layout;
    }
    for (size_t i = 0; i < def.fields.size(); ++i) {
        const YInputField& f = def.fields[i];
        const bool present = columns->contains(f.column);
        QString source;
        if (present) {
            source = f.column;
        } else if (!f.fallback.isEmpty() && columns->contains(f.fallback)) {
            source = f.fallback;
        } else if (f.kind != K::OptNumber) {
            continue; // not part of this layout's lines
        }
        if (!layout.items.empty()) {
            const qsizetype sep = qsizetype(i) - 1;
            layout.separators.append(sep < def.separators.size() ? def.separators[sep]
                                                                 : QStringLiteral(" \t"));
        }
        layout.items.push_back({&f, source, present});
    }
    return layout;
}

QString YInputTableText::ExportLine(const Layout& layout, const QSqlQuery& q) const {
    QString line;
    for (size_t i = 0; i < layout.items.size(); ++i) {
        if (i > 0) {
            line += layout.separators[qsizetype(i) - 1];
        }
        line += FormatField(q.value(int(i)), layout.items[i].field->kind);
    }
    return line + QStringLiteral("\r\n");
}

YInputTableText::Result YInputTableText::Export(const YInputTableDef& def, const QString& path) {
    const Layout layout = LayoutOf(def);
    if (!layout.exists) {
        return {Status::NoTable, 0};
    }
    QStringList select;
    for (const auto& item : layout.items) {
        select.append(item.source.isEmpty() ? QStringLiteral("NULL") : Bracket(item.source));
    }
    QSqlQuery q(m_db.Connection());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                    .arg(select.join(QLatin1Char(',')), Bracket(def.table), def.sort))) {
        m_io.Error(q.lastError().text());
        return {Status::Failed, 0};
    }
    QString text;
    int rows = 0;
    while (q.next()) {
        text += ExportLine(layout, q);
        ++rows;
    }
    if (!YTextFile::WriteUtf8(path, text)) {
        return {Status::CannotOpen, 0};
    }
    return {Status::Done, rows};
}

YInputTableText::Result YInputTableText::Import(const YInputTableDef& def, const QString& path,
                                                Clear clear) {
    const Layout layout = LayoutOf(def);
    if (!layout.exists) {
        return {Status::NoTable, 0};
    }
    const std::optional<QByteArray> bytes = YTextFile::ReadBytes(path);
    if (!bytes) {
        return {Status::CannotOpen, 0};
    }
    const auto count = m_db.RowCount(def.table);
    bool wipe = false;
    if (count && *count > 0) {
        wipe = clear == Clear::Yes ||
               (clear == Clear::Ask && m_io.Ask(QStringLiteral("是否清除原有数据?")));
    }
    YTransaction tr(m_db);
    Result result{Status::Failed, 0};
    if (!tr.IsActive() ||
        (wipe && !m_db.Exec(QStringLiteral("DELETE FROM ") + Bracket(def.table)))) {
        m_io.Error(m_db.LastError());
        return result;
    }
    int counter = 1;
    if (!def.counter.isEmpty() && !wipe) {
        const auto max = m_db.QueryValue(
            QStringLiteral("SELECT MAX(%1) FROM %2").arg(Bracket(def.counter), Bracket(def.table)));
        counter = max ? max->toInt() + 1 : 1;
    }
    m_breaks.ClearChainBreaks();
    if (def.table == QStringLiteral("断链") && !wipe) {
        LoadBreaks(m_breaks);
    }
    if (!ImportLines(layout, path, YTextFile::Decode(*bytes), counter, result)) {
        tr.Rollback();
        return result;
    }
    if (!tr.Commit()) {
        m_io.Error(m_db.LastError());
        return {Status::Failed, 0};
    }
    if (def.table == QStringLiteral("断链")) {
        ReloadChainBreaks();
    }
    return result;
}

bool YInputTableText::ImportLines(const Layout& layout, const QString& path, const QString& text,
                                  int firstCounter, Result& result) {
    const YInputTableDef& def = *layout.def;
    QStringList columns;
    for (const auto& item : layout.items) {
        if (item.stored) {
            columns.append(Bracket(item.field->column));
        }
    }
    const bool mirror = !def.mirror.isEmpty();
    if (mirror) {
        columns.append(Bracket(def.mirror));
    }
    if (!def.counter.isEmpty()) {
        columns.append(Bracket(def.counter));
    }
    QSqlQuery insert(m_db.Connection());
    const QString marks = QStringLiteral(",?").repeated(columns.size()).mid(1);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(Bracket(def.table), columns.join(QLatin1Char(',')), marks))) {
        m_io.Error(insert.lastError().text());
        return false;
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    int counter = firstCounter;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = TrimSpacesAndTabs(lines[n]);
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
            continue;
        }
        const QStringList fields = SplitFields(line);
        if (fields.size() < qsizetype(layout.items.size())) {
            continue; // fields ran out before the last one
        }
        int pos = 0;
        std::optional<YStation> station;
        for (size_t i = 0; i < layout.items.size(); ++i) {
            const auto& item = layout.items[i];
            const std::optional<QVariant> v =
                ReadField(fields[qsizetype(i)], item.field->kind, m_db.Numbering());
            const QString reason = v ? OutOfRange(*item.field, *v, m_db.Numbering()) : QString();
            if (!v || !reason.isEmpty() || !FollowsEarlierBreaks(item.field->kind, *v)) {
                result = {Status::BadLine, 0};
                m_io.Error(YTextFile::BadLineMessage(path, int(n) + 1, reason));
                return false;
            }
            if (item.field->kind == K::Station && !station) {
                station = m_db.Numbering().ParseStation(v->toString());
            }
            if (item.stored) {
                insert.bindValue(pos++, *v);
            }
        }
        if (mirror) {
            insert.bindValue(pos++, station ? station->Value() : 0.0);
        }
        if (!def.counter.isEmpty()) {
            insert.bindValue(pos++, counter++);
        }
        if (!insert.exec()) {
            m_io.Error(insert.lastError().text());
            return false;
        }
        ++result.nRows;
    }
    result.status = Status::Done;
    return true;
}

// A chain break must lie beyond the ones before it (the table's, then the file's earlier
// lines), or the station system would refuse it when the project is opened.
bool YInputTableText::FollowsEarlierBreaks(YInputField::Kind kind, const QVariant& v) {
    if (kind != K::ChainBreak) {
        return true;
    }
    const std::optional<YChainBreak> brk = YChainBreak::Parse(v.toString());
    return brk && m_breaks.AddChainBreak(*brk);
}

void YInputTableText::LoadBreaks(YStationNumbering& numbering) {
    QSqlQuery q(m_db.Connection());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT [断链] FROM [断链] ORDER BY [ID]"))) {
        return;
    }
    while (q.next()) {
        if (const auto brk = YChainBreak::Parse(q.value(0).toString())) {
            (void)numbering.AddChainBreak(*brk);
        }
    }
}

// Station texts read after a chain-break import must see the new breaks, as they would after
// the project is opened again.
void YInputTableText::ReloadChainBreaks() {
    YStationNumbering numbering;
    LoadBreaks(numbering);
    (void)numbering.SetLabel(m_db.Numbering().Label());
    m_db.SetNumbering(numbering);
}
