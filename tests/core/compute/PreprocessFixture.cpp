#include "PreprocessFixture.h"
#include "support/TestSupport.h"

#include "core/station/YStation.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

void PreprocessFixture::Section(double s, double cut, double fill, double h) {
    Exec("INSERT INTO [逐桩断面] ([桩号],[挖方面积],[填方面积],[中桩填挖],[sta]) "
         "VALUES (?,?,?,?,?)",
         {dalvex::test::StaText(s), cut, fill, h, s});
}

void PreprocessFixture::Contents(double s, const std::vector<double>& pct, double usable) {
    QString cols = "[桩号],[sta]";
    QString marks = "?,?";
    QVariantList values{dalvex::test::StaText(s), s};
    const char* names[] = {"松土", "普通土", "硬土", "软石", "次坚石", "坚石"};
    for (int k = 0; k < 6; ++k) {
        cols += QStringLiteral(",[%1]").arg(names[k]);
        marks += ",?";
        values << pct.at(size_t(k));
        if (version >= 3) {
            cols += QStringLiteral(",[%1利用率]").arg(names[k]);
            marks += ",?";
            values << usable;
        }
    }
    Exec(QStringLiteral("INSERT INTO [土石含量] (%1) VALUES (%2)").arg(cols, marks), values);
}

void PreprocessFixture::Trough(double s, double depth, double width) {
    Exec("INSERT INTO [路槽] ([桩号],[高度],[宽度],[sta]) VALUES (?,?,?,?)",
         {dalvex::test::StaText(s), depth, width, s});
}

void PreprocessFixture::Structure(double start, double end, bool crossable) {
    Exec("INSERT INTO [构造物] ([起始桩号],[终止桩号],[名称],[跨径],[能否跨越],[ssta]) "
         "VALUES (?,?,?,?,?,?)",
         {dalvex::test::StaText(start), dalvex::test::StaText(end), QStringLiteral("桥"),
          end - start, crossable ? 1 : 0, start});
}

void PreprocessFixture::Segment(int number, double end) {
    Exec("INSERT INTO [项目分段] ([分段编号],[结束桩号]) VALUES (?,?)",
         {number, dalvex::test::StaText(end)});
}

YPreprocessor::Result PreprocessFixture::Run(quint32 word, double soilLoss, double rockLoss) {
    YPreprocessor pre(db, io);
    return pre.Run(YPreprocessOptions::Make(word, soilLoss, rockLoss));
}

std::vector<PreprocessFixture::Row> PreprocessFixture::Rows(const QString& table) {
    std::vector<Row> rows;
    QSqlQuery q(db.Connection());
    const QString order = table == QStringLiteral("逐桩断面") ? "[sta]" : "[起始桩号]";
    EXPECT_TRUE(q.exec(QStringLiteral("SELECT * FROM [%1] ORDER BY %2").arg(table, order)))
        << q.lastError().text().toStdString();
    while (q.next()) {
        Row row;
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i) {
            row.emplace(rec.fieldName(i), q.value(i).toDouble());
        }
        rows.push_back(row);
    }
    return rows;
}
