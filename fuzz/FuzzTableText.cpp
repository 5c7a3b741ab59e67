// The text import of the input tables (the grids' 导入 and `import-table`) on any bytes.
#include "FuzzSupport.h"

#include "core/db/YDatabase.h"
#include "core/db/YSchema.h"
#include "core/import/YInputTableDef.h"
#include "core/import/YInputTableText.h"

#include <QSqlQuery>

using namespace dalvex::fuzz;

namespace {

// Created once and never destroyed: at exit Qt's SQL drivers are gone before a static would be.
YDatabase& Project() {
    static YDatabase* db = [] {
        auto* created = new YDatabase;
        if (!YSchema::CreateProject(*created, Scratch().filePath("p.dvx"), 6)) {
            std::fprintf(stderr, "cannot create the project: %s\n",
                         qPrintable(created->LastError()));
            std::abort();
        }
        return created;
    }();
    return *db;
}

int Rows(YDatabase& db, const QString& table) {
    return db.QueryValue(QStringLiteral("SELECT COUNT(*) FROM [%1]").arg(table))
        .value_or(QVariant(-1))
        .toInt();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartQt();
    (void)Project();
    return 0;
}

// The first byte chooses the table; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const auto& defs = YInputTableDef::All();
    const YInputTableDef& def = defs[data[0] % defs.size()];
    YDatabase& db = Project();
    YSilentUserIO io;
    YInputTableText text(db, io);
    // Every input starts from a numbering without chain breaks, so a finding reproduces alone.
    const QString none = WriteFile(QStringLiteral("none.txt"), QByteArray());
    Require(text.Import(*YInputTableDef::Find(QStringLiteral("断链")), none,
                        YInputTableText::Clear::Yes)
                .Ok(),
            "chain breaks clear");
    const QString in = WriteFile(QStringLiteral("in.txt"), Bytes(data + 1, size - 1));
    if (!text.Import(def, in, YInputTableText::Clear::Yes).Ok()) {
        return 0;
    }
    // What was imported exports to a file that imports again to the same rows.
    const int rows = Rows(db, def.table);
    const QString out = Scratch().filePath(QStringLiteral("out.txt"));
    Require(text.Export(def, out).Ok(), "imported rows export");
    Require(text.Import(def, out, YInputTableText::Clear::Yes).Ok(), "exported file imports");
    Require(Rows(db, def.table) == rows, "export and import keep the rows");
    return 0;
}
