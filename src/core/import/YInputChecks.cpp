#include "core/import/YInputChecks.h"

#include "core/compute/YPreprocessor.h"
#include "core/db/YDatabase.h"
#include "core/db/YTransaction.h"
#include "core/platform/YUserIO.h"
#include "core/station/YStation.h"

#include <QSqlQuery>
#include <cmath>

namespace {

const QString kClassColumns = QStringLiteral("[松土],[普通土],[硬土],[软石],[次坚石],[坚石]");

} // namespace

bool YInputChecks::IsEditable(YDatabase& db) {
    return !YPreprocessor::HasResults(db);
}

bool YInputChecks::CheckSums(YDatabase& db, YUserIO& io, const QString& table,
                             const QString& columns) {
    QSqlQuery q(db.Connection());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM [%2]").arg(columns, table))) {
        return true; // no such table: nothing to check
    }
    while (q.next()) {
        double sum = 0.0;
        for (int i = 0; i < 6; ++i) {
            sum += q.value(i).toDouble(); // NULL and non-numbers count 0
        }
        if (!(std::fabs(sum - 100.0) <= ContentTolerance)) {
            io.Warning(QStringLiteral("土石成分数据输入错误！"));
            return false;
        }
    }
    return true;
}

bool YInputChecks::CheckContents(YDatabase& db, YUserIO& io) {
    return CheckSums(db, io, QStringLiteral("土石含量"), kClassColumns);
}

bool YInputChecks::CheckPitContents(YDatabase& db, YUserIO& io) {
    return CheckSums(db, io, QStringLiteral("取土坑"), kClassColumns);
}

YInputChecks::WalkEnd YInputChecks::SyncStations(YDatabase& db, YUserIO& io, const QString& table) {
    const bool checkDuplicates = table != QStringLiteral("路槽");
    YWaitScope wait(io);
    QSqlQuery q(db.Connection());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT rowid,[桩号] FROM [%1] ORDER BY [sta]").arg(table))) {
        return WalkEnd::Unreadable;
    }
    std::vector<std::pair<qint64, QString>> rows;
    while (q.next()) {
        rows.emplace_back(q.value(0).toLongLong(), q.value(1).toString());
    }
    YTransaction tr(db);
    QSqlQuery update(db.Connection());
    update.prepare(QStringLiteral("UPDATE [%1] SET [sta] = ? WHERE rowid = ?").arg(table));
    WalkEnd end = WalkEnd::Done;
    for (size_t i = 0; i < rows.size() && end == WalkEnd::Done; ++i) {
        const QString& text = rows[i].second;
        const std::optional<YStation> sta = db.Numbering().ParseStation(text);
        if (!sta) {
            end = WalkEnd::Unreadable;
        } else if (checkDuplicates && i > 0 && text == rows[i - 1].second) {
            io.Warning(QStringLiteral("“%1”桩号的数据可能重复出现!").arg(text));
            end = WalkEnd::Duplicate;
        } else {
            update.bindValue(0, sta->Value());
            update.bindValue(1, rows[i].first);
            (void)update.exec();
        }
    }
    (void)tr.Commit(); // the rows walked so far keep their new stations
    return end;
}

QString YInputChecks::RangeMessage() {
    return QStringLiteral("请输入介于 %1 和 %2 之间的数字。")
        .arg(MinCoefficient)
        .arg(MaxCoefficient);
}

bool YInputChecks::SetCoefficients(YDatabase& db, YUserIO& io, const std::array<double, 6>& coef) {
    for (double c : coef) {
        if (!(c >= MinCoefficient && c <= MaxCoefficient)) {
            io.Warning(RangeMessage());
            return false;
        }
    }
    YTransaction tr(db);
    const auto rowid = db.QueryValue(QStringLiteral("SELECT MIN(rowid) FROM [土石系数]"));
    QVariantList values(coef.begin(), coef.end());
    bool ok = false;
    if (rowid && !rowid->isNull()) {
        values.append(*rowid);
        ok = db.Exec(QStringLiteral("UPDATE [土石系数] SET [土方1]=?,[土方2]=?,[土方3]=?,"
                                    "[石方1]=?,[石方2]=?,[石方3]=? WHERE rowid=?"),
                     values);
    } else {
        ok = db.Exec(QStringLiteral("INSERT INTO [土石系数] ([土方1],[土方2],[土方3],[石方1],"
                                    "[石方2],[石方3]) VALUES (?,?,?,?,?,?)"),
                     values);
    }
    if (!ok || !tr.Commit()) {
        io.Error(db.LastError());
        return false;
    }
    return true;
}
