#include "gui/dialogs/YGridModel.h"

#include "core/import/YInputLimits.h"

#include <QSet>
#include <QSqlDriver>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>

namespace {
const QString RowId = QStringLiteral("rowid");
} // namespace

YGridModel::YGridModel(QSqlDatabase db, const QString& table, const std::vector<Column>& columns,
                       const QString& sortColumn, QObject* parent)
    : QSqlTableModel(parent, db), m_strSort(sortColumn) {
    setTable(table);
    const QSqlRecord present = db.record(table);
    for (const Column& column : columns) {
        if (present.contains(column.name)) {
            m_columns.push_back(column);
        }
    }
    setEditStrategy(OnFieldChange);
    // Updates and deletions find their row by rowid alone.
    QSqlIndex key(table, QStringLiteral("rowid"));
    key.append(QSqlField(RowId, QMetaType(QMetaType::LongLong), table));
    setPrimaryKey(key);
    select();
    setHeaderData(0, Qt::Horizontal, RowId);
    for (size_t i = 0; i < m_columns.size(); ++i) {
        setHeaderData(ModelColumn(int(i)), Qt::Horizontal, m_columns[i].name);
    }
}

QString YGridModel::selectStatement() const {
    const QSqlDriver* driver = database().driver();
    const auto quote = [driver](const QString& name) {
        return driver->escapeIdentifier(name, QSqlDriver::FieldName);
    };
    QStringList fields{RowId};
    for (const Column& column : m_columns) {
        fields << quote(column.name);
    }
    QString sql = QStringLiteral("SELECT %1 FROM %2")
                      .arg(fields.join(QStringLiteral(", ")),
                           driver->escapeIdentifier(tableName(), QSqlDriver::TableName));
    if (!filter().isEmpty()) {
        sql += QStringLiteral(" WHERE ") + filter();
    }
    // Rows in the order of the table's record set, the file order breaking ties.
    sql += QStringLiteral(" ORDER BY ");
    if (!m_strSort.isEmpty()) {
        sql += quote(m_strSort) + QStringLiteral(", ");
    }
    return sql + RowId;
}

YGridModel::Format YGridModel::FormatOf(int modelColumn) const {
    const int shown = modelColumn - 1;
    if (shown < 0 || shown >= int(m_columns.size())) {
        return Format::Text;
    }
    return m_columns[size_t(shown)].format;
}

QString YGridModel::FormatNumber(double d) {
    QString text = QString::number(d, 'f', 3);
    while (text.endsWith(QLatin1Char('0')) && !text.endsWith(QStringLiteral(".0"))) {
        text.chop(1);
    }
    return text == QStringLiteral("-0.0") ? QStringLiteral("0.0") : text;
}

QString YGridModel::FlagText(bool b) {
    return b ? QStringLiteral("可跨越") : QStringLiteral("不可跨越");
}

QVariant YGridModel::data(const QModelIndex& index, int role) const {
    const QVariant value = QSqlTableModel::data(index, role);
    if (role != Qt::DisplayRole || value.isNull()) {
        if (role == Qt::TextAlignmentRole && FormatOf(index.column()) != Format::Text) {
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        return value;
    }
    switch (FormatOf(index.column())) {
    case Format::Number:
    case Format::WideNumber: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        return ok ? FormatNumber(d) : value;
    }
    case Format::Flag:
        return FlagText(value.toBool());
    case Format::Plain:
    case Format::Integer:
    case Format::Text:
        break;
    }
    return value;
}

bool YGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const Format format = FormatOf(index.column());
    const bool number = format != Format::Text && format != Format::Flag;
    if (role == Qt::EditRole && number && !value.isNull()) {
        bool ok = false;
        const double d = value.toDouble(&ok);
        const QString column = m_columns[size_t(index.column() - 1)].name;
        QString reason = ok ? YInputLimits::CheckColumn(column, d) : QStringLiteral("不是数字");
        if (reason.isEmpty() && format == Format::Integer) {
            (void)value.toInt(&ok);
            reason = ok ? QString() : QStringLiteral("不是整数");
        }
        if (!reason.isEmpty()) {
            if (m_refused) {
                m_refused(QStringLiteral("%1：%2").arg(column, reason));
            }
            return false;
        }
    }
    return QSqlTableModel::setData(index, value, role);
}

Qt::ItemFlags YGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QSqlTableModel::flags(index);
    if (m_access == Access::ReadOnly || index.column() == 0) {
        f &= ~Qt::ItemIsEditable;
    }
    return f;
}

int YGridModel::AppendRow() {
    if (m_access != Access::Editable) {
        return -1;
    }
    QSet<qint64> before;
    for (int r = 0; r < rowCount(); ++r) {
        before.insert(RowIdAt(r));
    }
    QSqlRecord row = record();
    row.setGenerated(RowId, false); // SQLite numbers the row
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const int c = ModelColumn(int(i));
        switch (m_columns[i].format) {
        case Format::Text:
            row.setValue(c, QString());
            break;
        case Format::Flag:
            row.setValue(c, true);
            break;
        default:
            row.setValue(c, 0.0);
            break;
        }
        row.setGenerated(c, true);
    }
    const bool ok = insertRecord(-1, row);
    select(); // the new row takes its rowid and its place in the order
    while (canFetchMore()) {
        fetchMore();
    }
    if (!ok) {
        return -1;
    }
    for (int r = 0; r < rowCount(); ++r) {
        if (!before.contains(RowIdAt(r))) {
            return r;
        }
    }
    return -1;
}

qint64 YGridModel::RowIdAt(int row) const {
    return index(row, 0).data(Qt::EditRole).toLongLong();
}

bool YGridModel::DeleteRow(int row) {
    if (m_access != Access::Editable || row < 0 || row >= rowCount()) {
        return false;
    }
    const bool ok = removeRow(row);
    select();
    return ok;
}
