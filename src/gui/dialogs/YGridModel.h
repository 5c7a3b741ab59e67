#pragma once

#include <QSqlTableModel>
#include <QStringList>
#include <functional>
#include <vector>

// The rows of one input table bound to a grid: the columns of the table's record source, every
// cell edit written to the project file at once, rows addressed by SQLite's rowid (the tables
// have no declared key, so two rows with equal values stay two rows for every edit). Numbers
// are shown in the grid's formats; a flag column shows "可跨越" / "不可跨越".
class YGridModel : public QSqlTableModel {
    Q_OBJECT
  public:
    enum class Format {
        Text,
        Number,     // "0.0##": at least one and at most three decimals
        WideNumber, // "#0.0##": the same digits (percentages of the pits)
        Plain,      // a number as stored
        Integer,
        Flag // true "可跨越", false "不可跨越"
    };
    struct Column {
        QString name;
        Format format = Format::Text;
    };
    enum class Access {
        Editable,  // edits, new rows and deletions
        CellsOnly, // existing cells may be edited; no new rows, no deletions
        ReadOnly   // nothing changes
    };

    // Columns that the table does not have (older layouts) are left out.
    YGridModel(QSqlDatabase db, const QString& table, const std::vector<Column>& columns,
               const QString& sortColumn = QString(), QObject* parent = nullptr);

    const std::vector<Column>& Columns() const { return m_columns; }
    // Model column of the i-th shown column (column 0 is the hidden rowid).
    static int ModelColumn(int shown) { return shown + 1; }
    Format FormatOf(int modelColumn) const;

    // Receives why a number typed into a cell was refused (outside what a road can have).
    void SetRefusalHandler(std::function<void(const QString&)> handler) {
        m_refused = std::move(handler);
    }

    Access GetAccess() const { return m_access; }
    void SetAccess(Access access) { m_access = access; }

    // Adds a row with zero numbers and empty texts (written at once). Returns the row where it
    // stands in the grid's order, or −1 when not allowed or the insert failed.
    int AppendRow();
    qint64 RowIdAt(int row) const;
    // Deletes one row (written at once); false when not allowed or failed.
    bool DeleteRow(int row);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // A number outside its column's range is refused (the cell keeps its value) and the reason
    // given to the refusal handler: "<column>：<reason>".
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QString selectStatement() const override;

    // "0.0##" of a number.
    static QString FormatNumber(double d);
    static QString FlagText(bool b);

  private:
    QString m_strSort;
    std::vector<Column> m_columns;
    Access m_access = Access::Editable;
    std::function<void(const QString&)> m_refused;
};
