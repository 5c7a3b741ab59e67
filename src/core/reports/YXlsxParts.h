#pragma once

// What the parts of YXlsxBook share: its private structures and small XML helpers.
// Internal to the workbook layer.

#include "core/reports/YCellRef.h"
#include "core/reports/YXlsxBook.h"

#include <QByteArray>
#include <QString>
#include <charconv>
#include <cstring>
#include <pugixml.hpp>

namespace xlsx {

inline const char* const kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline const char* const kRelTypeBase =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
inline const char* const kPkgRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";
inline const char* const kSheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline const char* const kDrawingType = "application/vnd.openxmlformats-officedocument.drawing+xml";
inline constexpr int kEmuPerPixel = 9525; // 914400 EMU per inch at 96 pixels per inch

inline QString Str(const char* utf8) {
    return QString::fromUtf8(utf8);
}
inline QByteArray Utf8(const QString& s) {
    return s.toUtf8();
}

inline bool EndsWith(const char* text, const char* tail) {
    return QByteArray(text).endsWith(tail);
}

// XML 1.0 forbids most control characters; a name pasted from elsewhere may carry one.
inline QString XmlSafe(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r') {
            out += c;
        }
    }
    return out;
}

inline QString NumberText(double value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

inline int ColumnOf(const pugi::xml_node& cell) {
    const auto ref = YCellRef::Parse(Str(cell.attribute("r").value()));
    return ref ? ref->col : 0;
}

// Elements of a worksheet that must come after <drawing>, in schema order.
inline const char* const kAfterDrawing[] = {"legacyDrawing",   "legacyDrawingHF", "drawingHF",
                                            "picture",         "oleObjects",      "controls",
                                            "webPublishItems", "tableParts",      "extLst"};

inline pugi::xml_node InsertInOrder(pugi::xml_node parent, const char* name,
                                    std::initializer_list<const char*> after) {
    for (pugi::xml_node child : parent.children()) {
        for (const char* a : after) {
            if (std::strcmp(child.name(), a) == 0) {
                return parent.insert_child_before(name, child);
            }
        }
    }
    return parent.append_child(name);
}

} // namespace xlsx

struct YXlsxBook::Part {
    QByteArray bytes;
    std::unique_ptr<pugi::xml_document> doc; // when set, it holds the part's content
    bool formulasPrepared = false;
};

struct YXlsxBook::Sheet {
    QString name;
    QString part; // e.g. "xl/worksheets/sheet1.xml"
    QString relId;
    QString sheetId;
    // Row number -> <row> element, built when first needed and dropped when rows move.
    std::map<int, pugi::xml_node> rows;
    bool rowsIndexed = false;
};
