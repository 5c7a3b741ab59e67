#include "core/reports/YXlsxBook.h"

#include "core/reports/YXlsxParts.h"

using namespace xlsx;

// ---- Cells ----

pugi::xml_node YXlsxBook::RowNode(int sheet, int row, bool create) const {
    Sheet& s = SheetAt(sheet);
    pugi::xml_node ws = SheetDoc(sheet).document_element();
    pugi::xml_node data = ws.child("sheetData");
    if (!data) {
        if (!create) {
            return {};
        }
        data = ws.append_child("sheetData");
    }
    if (!s.rowsIndexed) {
        s.rows.clear();
        for (pugi::xml_node r : data.children("row")) {
            s.rows[r.attribute("r").as_int()] = r;
        }
        s.rowsIndexed = true;
    }
    auto it = s.rows.lower_bound(row);
    if (it != s.rows.end() && it->first == row) {
        return it->second;
    }
    if (!create) {
        return {};
    }
    pugi::xml_node node =
        it == s.rows.end() ? data.append_child("row") : data.insert_child_before("row", it->second);
    node.append_attribute("r") = row;
    s.rows[row] = node;
    return node;
}

pugi::xml_node YXlsxBook::CellNode(int sheet, int row, int col, bool create) const {
    pugi::xml_node r = RowNode(sheet, row, create);
    if (!r) {
        return {};
    }
    for (pugi::xml_node c : r.children("c")) {
        const int cc = ColumnOf(c);
        if (cc == col) {
            return c;
        }
        if (cc > col) {
            if (!create) {
                return {};
            }
            pugi::xml_node n = r.insert_child_before("c", c);
            n.append_attribute("r") = Utf8(YCellRef::Name(row, col)).constData();
            return n;
        }
    }
    if (!create) {
        return {};
    }
    pugi::xml_node n = r.append_child("c");
    n.append_attribute("r") = Utf8(YCellRef::Name(row, col)).constData();
    return n;
}

namespace {
void EmptyCell(pugi::xml_node c) {
    while (c.first_child()) {
        c.remove_child(c.first_child());
    }
    c.remove_attribute("t");
}
} // namespace

void YXlsxBook::SetNumber(int sheet, int row, int col, double value) {
    pugi::xml_node c = CellNode(sheet, row, col, true);
    EmptyCell(c);
    c.append_child("v").text() = Utf8(NumberText(value)).constData();
}

void YXlsxBook::SetText(int sheet, int row, int col, const QString& text) {
    pugi::xml_node c = CellNode(sheet, row, col, true);
    EmptyCell(c);
    c.append_attribute("t") = "inlineStr";
    pugi::xml_node t = c.append_child("is").append_child("t");
    const QString safe = XmlSafe(text);
    if (!safe.isEmpty() && (safe.front().isSpace() || safe.back().isSpace())) {
        t.append_attribute("xml:space") = "preserve";
    }
    t.text() = Utf8(safe).constData();
}

void YXlsxBook::ClearCell(int sheet, int row, int col) {
    pugi::xml_node c = CellNode(sheet, row, col, false);
    if (c) {
        EmptyCell(c);
    }
}

void YXlsxBook::InsertRows(int sheet, int row, int count) {
    if (count <= 0) {
        return;
    }
    Sheet& s = SheetAt(sheet);
    pugi::xml_node ws = SheetDoc(sheet).document_element();
    pugi::xml_node data = ws.child("sheetData");
    pugi::xml_node above;
    for (pugi::xml_node r : data.children("row")) {
        const int n = r.attribute("r").as_int();
        if (n == row - 1) {
            above = r;
        }
        if (n >= row) {
            r.attribute("r") = n + count;
        }
        for (pugi::xml_node c : r.children("c")) {
            if (n >= row) {
                const QString ref = Str(c.attribute("r").value());
                c.attribute("r") = Utf8(YCellRef::ShiftFormula(ref, row, count)).constData();
            }
            pugi::xml_node f = c.child("f");
            if (f) {
                f.text() =
                    Utf8(YCellRef::ShiftFormula(Str(f.text().get()), row, count)).constData();
                if (f.attribute("ref")) {
                    f.attribute("ref") =
                        Utf8(YCellRef::ShiftRange(Str(f.attribute("ref").value()), row, count))
                            .constData();
                }
            }
        }
    }
    s.rowsIndexed = false;
    // New rows look like the row above, as the spreadsheet makes them.
    for (int k = 0; k < count; ++k) {
        pugi::xml_node nr = RowNode(sheet, row + k, true);
        if (!above) {
            continue;
        }
        for (const char* a : {"ht", "customHeight", "s", "customFormat"}) {
            if (above.attribute(a)) {
                nr.append_attribute(a) = above.attribute(a).value();
            }
        }
        for (pugi::xml_node c : above.children("c")) {
            if (c.attribute("s")) {
                CellNode(sheet, row + k, ColumnOf(c), true).append_attribute("s") =
                    c.attribute("s").value();
            }
        }
    }
    auto shiftAttr = [&](pugi::xml_node n, const char* attr) {
        if (n.attribute(attr)) {
            QStringList parts = Str(n.attribute(attr).value()).split(u' ', Qt::SkipEmptyParts);
            for (QString& p : parts) {
                p = YCellRef::ShiftRange(p, row, count);
            }
            n.attribute(attr) = Utf8(parts.join(u' ')).constData();
        }
    };
    shiftAttr(ws.child("dimension"), "ref");
    for (pugi::xml_node m : ws.child("mergeCells").children("mergeCell")) {
        shiftAttr(m, "ref");
    }
    for (pugi::xml_node cf : ws.children("conditionalFormatting")) {
        shiftAttr(cf, "sqref");
    }
    for (pugi::xml_node dv : ws.child("dataValidations").children("dataValidation")) {
        shiftAttr(dv, "sqref");
    }
    for (pugi::xml_node h : ws.child("hyperlinks").children("hyperlink")) {
        shiftAttr(h, "ref");
    }
    for (pugi::xml_node b : ws.child("rowBreaks").children("brk")) {
        if (b.attribute("id").as_int() >= row) {
            b.attribute("id") = b.attribute("id").as_int() + count;
        }
    }
    // The sheet's print area and print titles: "'name'!$A$1:$AA$73".
    pugi::xml_node names = Xml(m_strWorkbookPart).document_element().child("definedNames");
    for (pugi::xml_node d : names.children("definedName")) {
        if (!d.attribute("localSheetId") || d.attribute("localSheetId").as_int() != sheet) {
            continue;
        }
        QStringList items = Str(d.text().get()).split(u',');
        for (QString& item : items) {
            const qsizetype bang = item.lastIndexOf(u'!');
            item = item.left(bang + 1) + YCellRef::ShiftRange(item.mid(bang + 1), row, count);
        }
        d.text() = Utf8(items.join(u',')).constData();
    }
}

// ---- Reading ----

void YXlsxBook::LoadSharedStrings() const {
    if (m_sharedStrings) {
        return;
    }
    m_sharedStrings = QStringList();
    const QString name = QStringLiteral("xl/sharedStrings.xml");
    if (!HasPart(name)) {
        return;
    }
    pugi::xml_node sst = const_cast<YXlsxBook&>(*this).Xml(name).document_element();
    for (pugi::xml_node si : sst.children("si")) {
        QString text;
        for (pugi::xpath_node t : si.select_nodes(".//t")) {
            text += Str(t.node().text().get());
        }
        m_sharedStrings->append(text);
    }
}

QString YXlsxBook::SharedString(int index) const {
    LoadSharedStrings();
    return m_sharedStrings->value(index);
}

YXlsxBook::CellKind YXlsxBook::Kind(int sheet, int row, int col) const {
    pugi::xml_node c = CellNode(sheet, row, col, false);
    if (!c) {
        return CellKind::Empty;
    }
    if (c.child("f")) {
        return CellKind::Formula;
    }
    const QByteArray t = c.attribute("t").value();
    if (t == "inlineStr") {
        return CellKind::Text;
    }
    if (!c.child("v")) {
        return CellKind::Empty;
    }
    return (t == "s" || t == "str" || t == "e") ? CellKind::Text : CellKind::Number;
}

QString YXlsxBook::Text(int sheet, int row, int col) const {
    pugi::xml_node c = CellNode(sheet, row, col, false);
    if (!c) {
        return {};
    }
    const QByteArray t = c.attribute("t").value();
    if (t == "inlineStr") {
        QString text;
        for (pugi::xpath_node n : c.child("is").select_nodes(".//t")) {
            text += Str(n.node().text().get());
        }
        return text;
    }
    const QString v = Str(c.child("v").text().get());
    if (t == "s") {
        return SharedString(v.toInt());
    }
    return v;
}

std::optional<double> YXlsxBook::Number(int sheet, int row, int col) const {
    if (Kind(sheet, row, col) != CellKind::Number) {
        return std::nullopt;
    }
    bool ok = false;
    const double d = Text(sheet, row, col).toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

QString YXlsxBook::Formula(int sheet, int row, int col) const {
    pugi::xml_node c = CellNode(sheet, row, col, false);
    return c ? Str(c.child("f").text().get()) : QString();
}

bool YXlsxBook::HasCachedValue(int sheet, int row, int col) const {
    pugi::xml_node c = CellNode(sheet, row, col, false);
    return c && c.child("v");
}

QStringList YXlsxBook::MergedRanges(int sheet) const {
    QStringList out;
    for (pugi::xml_node m :
         SheetDoc(sheet).document_element().child("mergeCells").children("mergeCell")) {
        out << Str(m.attribute("ref").value());
    }
    return out;
}

QStringList YXlsxBook::PartNames() const {
    QStringList out;
    for (const QString& n : m_partOrder) {
        out << n;
    }
    return out;
}

QByteArray YXlsxBook::PartBytes(const QString& name) const {
    auto it = m_parts.find(name);
    if (it == m_parts.end()) {
        return {};
    }
    return it->second->doc ? Serialize(*it->second->doc) : it->second->bytes;
}
