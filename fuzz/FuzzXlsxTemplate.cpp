// The workbook layer of the reports on damaged templates: a template part replaced by any
// bytes (or any bytes as the whole file), then opened, read, changed and saved as a report is.
#include "FuzzSupport.h"

#include "core/reports/YXlsxBook.h"

#include <utility>
#include <vector>
#include <zip.h>

using namespace dalvex::fuzz;

namespace {

using Parts = std::vector<std::pair<QByteArray, QByteArray>>; // name, bytes

Parts ReadTemplate() {
    const QByteArray path = QByteArray(DALVEX_SOURCE_TEMPLATES) + "/每公里运距表.xlsx";
    int error = 0;
    zip_t* zip = zip_open(path.constData(), ZIP_RDONLY, &error);
    Require(zip != nullptr, "the template opens");
    Parts parts;
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(zip, zip_uint64_t(i), 0, &st);
        QByteArray bytes(qsizetype(st.size), '\0');
        zip_file_t* file = zip_fopen_index(zip, zip_uint64_t(i), 0);
        Require(file != nullptr && zip_fread(file, bytes.data(), st.size) == zip_int64_t(st.size),
                "the template reads");
        zip_fclose(file);
        parts.emplace_back(QByteArray(st.name), bytes);
    }
    zip_discard(zip);
    return parts;
}

void WriteZip(const QString& path, const Parts& parts) {
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    Require(zip != nullptr, "the scratch workbook opens");
    for (const auto& [name, bytes] : parts) {
        zip_source_t* source =
            zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        Require(source != nullptr &&
                    zip_file_add(zip, name.constData(), source, ZIP_FL_OVERWRITE) >= 0,
                "a part is added");
    }
    Require(zip_close(zip) == 0, "the scratch workbook is written");
}

// What a report does with a template, on whatever opened.
void UseLikeAReport(YXlsxBook& book) {
    for (int sheet = 0; sheet < book.SheetCount(); ++sheet) {
        for (int row = 1; row <= 12; ++row) {
            for (int col = 1; col <= 12; ++col) {
                (void)book.Kind(sheet, row, col);
                (void)book.Text(sheet, row, col);
                (void)book.Formula(sheet, row, col);
            }
        }
        (void)book.MergedRanges(sheet);
    }
    if (book.SheetCount() == 0) {
        return;
    }
    const int copy = book.CopySheet(0, book.SheetCount(), QStringLiteral("第2页"));
    const int page = copy >= 0 ? copy : 0;
    book.InsertRows(page, 5, 3);
    book.SetNumber(page, 6, 2, 1234.5);
    book.SetText(page, 7, 3, QStringLiteral("=K1+000"));
    book.ClearCell(page, 8, 4);
    book.Release(page);
    (void)book.Text(page, 6, 2);
    (void)book.Save(Scratch().filePath(QStringLiteral("out.xlsx")));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartQt();
    return 0;
}

// "PK" first: the bytes are the whole file. Otherwise the first byte chooses the part of the
// template the rest replaces.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Parts original = ReadTemplate();
    const QString path = Scratch().filePath(QStringLiteral("in.xlsx"));
    const QByteArray input = Bytes(data, size);
    if (input.startsWith("PK")) {
        (void)WriteFile(QStringLiteral("in.xlsx"), input);
    } else if (!input.isEmpty()) {
        Parts parts = original;
        parts[size_t(uint8_t(input[0])) % parts.size()].second = input.mid(1);
        WriteZip(path, parts);
    } else {
        return 0;
    }
    YXlsxBook book;
    if (book.Open(path)) {
        UseLikeAReport(book);
    }
    return 0;
}
