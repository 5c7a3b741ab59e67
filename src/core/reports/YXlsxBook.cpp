#include "core/reports/YXlsxBook.h"

#include "core/reports/YXlsxParts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cstdio>
#include <zip.h>

using namespace xlsx;

YXlsxBook::YXlsxBook() = default;
YXlsxBook::~YXlsxBook() = default;

bool YXlsxBook::Fail(const QString& text) {
    m_strError = text;
    return false;
}

// ---- Package ----

namespace {
// The largest part read: a sheet of a report over a long road is a few tens of megabytes.
constexpr zip_uint64_t kMaxPartBytes = 512ull << 20;
} // namespace

bool YXlsxBook::Open(const QString& path) {
    m_partOrder.clear();
    m_parts.clear();
    m_sheets.clear();
    m_sharedStrings.reset();
    int err = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (za == nullptr) {
        return Fail(QStringLiteral("无法打开表格模板%1").arg(path));
    }
    const zip_int64_t n = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        if (zip_stat_index(za, zip_uint64_t(i), 0, &st) != 0) {
            continue;
        }
        const QString name = Str(st.name);
        if (name.endsWith(u'/')) {
            continue;
        }
        // A size no workbook part has is a damaged file (or a zip bomb): refused before the
        // memory for it is asked for.
        if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPartBytes) {
            zip_discard(za);
            return Fail(QStringLiteral("表格模板%1已损坏").arg(path));
        }
        auto part = std::make_unique<Part>();
        part->bytes.resize(qsizetype(st.size));
        zip_file_t* zf = zip_fopen_index(za, zip_uint64_t(i), 0);
        if (zf == nullptr || zip_fread(zf, part->bytes.data(), st.size) != zip_int64_t(st.size)) {
            if (zf != nullptr) {
                zip_fclose(zf);
            }
            zip_discard(za);
            return Fail(QStringLiteral("表格模板%1已损坏").arg(path));
        }
        zip_fclose(zf);
        m_partOrder.push_back(name);
        m_parts[name] = std::move(part);
    }
    zip_discard(za);
    if (!HasPart(QStringLiteral("[Content_Types].xml")) || !LoadWorkbook()) {
        m_sheets.clear();
        return Fail(QStringLiteral("%1不是Excel工作簿(.xlsx)").arg(path));
    }
    return true;
}

bool YXlsxBook::HasPart(const QString& name) const {
    return m_parts.count(name) != 0;
}

QByteArray& YXlsxBook::Bytes(const QString& name) {
    auto& slot = m_parts[name];
    if (!slot) {
        slot = std::make_unique<Part>();
        m_partOrder.push_back(name);
    }
    if (slot->doc) {
        slot->bytes = Serialize(*slot->doc);
        slot->doc.reset();
    }
    return slot->bytes;
}

pugi::xml_document& YXlsxBook::Xml(const QString& name) {
    auto& slot = m_parts[name];
    if (!slot) {
        slot = std::make_unique<Part>();
        m_partOrder.push_back(name);
    }
    if (!slot->doc) {
        slot->doc = std::make_unique<pugi::xml_document>();
        if (!slot->bytes.isEmpty()) {
            slot->doc->load_buffer(slot->bytes.constData(), size_t(slot->bytes.size()),
                                   pugi::parse_default | pugi::parse_ws_pcdata_single);
        }
        slot->bytes.clear();
    }
    return *slot->doc;
}

QByteArray YXlsxBook::Serialize(const pugi::xml_document& doc) const {
    struct Writer : pugi::xml_writer {
        QByteArray out;
        void write(const void* data, size_t size) override {
            out.append(static_cast<const char*>(data), qsizetype(size));
        }
    } writer;
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
           writer.out;
}

QString YXlsxBook::RelsName(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
           QStringLiteral(".rels");
}

QString YXlsxBook::ResolveTarget(const QString& owner, const QString& target) {
    if (target.startsWith(u'/')) {
        return target.mid(1);
    }
    const QString dir = owner.left(owner.lastIndexOf(u'/') + 1);
    return QDir::cleanPath(dir + target);
}

QString YXlsxBook::RelativeTarget(const QString& owner, const QString& part) {
    const QString dir = owner.left(owner.lastIndexOf(u'/'));
    return QDir(QStringLiteral("/") + dir).relativeFilePath(QStringLiteral("/") + part);
}

QString YXlsxBook::UniquePartName(const QString& prefix, const QString& suffix) const {
    for (int n = 1;; ++n) {
        const QString name = prefix + QString::number(n) + suffix;
        if (!HasPart(name)) {
            return name;
        }
    }
}

QString YXlsxBook::NewRelId(const pugi::xml_node& rels) const {
    int max = 0;
    for (pugi::xml_node r : rels.children("Relationship")) {
        const QString id = Str(r.attribute("Id").value());
        if (id.startsWith(QStringLiteral("rId"))) {
            max = std::max(max, id.mid(3).toInt());
        }
    }
    return QStringLiteral("rId") + QString::number(max + 1);
}

void YXlsxBook::AddOverride(const QString& part, const QString& contentType) {
    pugi::xml_node types = Xml(QStringLiteral("[Content_Types].xml")).document_element();
    pugi::xml_node o = types.append_child("Override");
    o.append_attribute("PartName") = Utf8(u'/' + part).constData();
    o.append_attribute("ContentType") = Utf8(contentType).constData();
}

void YXlsxBook::AddDefault(const QString& ext, const QString& contentType) {
    pugi::xml_node types = Xml(QStringLiteral("[Content_Types].xml")).document_element();
    for (pugi::xml_node d : types.children("Default")) {
        if (QString::compare(Str(d.attribute("Extension").value()), ext, Qt::CaseInsensitive) ==
            0) {
            return;
        }
    }
    pugi::xml_node d = types.prepend_child("Default");
    d.append_attribute("Extension") = Utf8(ext).constData();
    d.append_attribute("ContentType") = Utf8(contentType).constData();
}

QString YXlsxBook::ContentTypeOf(const QString& part) const {
    auto& self = const_cast<YXlsxBook&>(*this);
    pugi::xml_node types = self.Xml(QStringLiteral("[Content_Types].xml")).document_element();
    const QByteArray key = Utf8(u'/' + part);
    for (pugi::xml_node o : types.children("Override")) {
        if (key == o.attribute("PartName").value()) {
            return Str(o.attribute("ContentType").value());
        }
    }
    return {};
}

std::unique_ptr<pugi::xml_document> YXlsxBook::ParseRels(const QString& owner) const {
    auto doc = std::make_unique<pugi::xml_document>();
    const QString name = RelsName(owner);
    if (HasPart(name)) {
        auto& self = const_cast<YXlsxBook&>(*this);
        doc->reset(self.Xml(name));
    }
    return doc;
}

// ---- Workbook ----

bool YXlsxBook::LoadWorkbook() {
    m_strWorkbookPart = QStringLiteral("xl/workbook.xml");
    if (HasPart(QStringLiteral("_rels/.rels"))) {
        pugi::xml_node rels = Xml(QStringLiteral("_rels/.rels")).document_element();
        for (pugi::xml_node r : rels.children("Relationship")) {
            if (EndsWith(r.attribute("Type").value(), "/officeDocument")) {
                m_strWorkbookPart = ResolveTarget(QString(), Str(r.attribute("Target").value()));
            }
        }
    }
    if (!HasPart(m_strWorkbookPart)) {
        return false;
    }
    pugi::xml_node wb = Xml(m_strWorkbookPart).document_element();
    const QString relsName = RelsName(m_strWorkbookPart);
    if (!HasPart(relsName)) {
        return false;
    }
    pugi::xml_node rels = Xml(relsName).document_element();
    for (pugi::xml_node s : wb.child("sheets").children("sheet")) {
        auto sheet = std::make_unique<Sheet>();
        sheet->name = Str(s.attribute("name").value());
        sheet->sheetId = Str(s.attribute("sheetId").value());
        for (pugi::xml_attribute a : s.attributes()) {
            if (EndsWith(a.name(), ":id")) {
                sheet->relId = Str(a.value());
            }
        }
        for (pugi::xml_node r : rels.children("Relationship")) {
            if (Utf8(sheet->relId) == r.attribute("Id").value()) {
                sheet->part = ResolveTarget(m_strWorkbookPart, Str(r.attribute("Target").value()));
            }
        }
        if (sheet->part.isEmpty() || !HasPart(sheet->part)) {
            return false;
        }
        m_sheets.push_back(std::move(sheet));
    }
    return !m_sheets.empty();
}

YXlsxBook::Sheet& YXlsxBook::SheetAt(int index) const {
    return *m_sheets.at(size_t(index));
}

pugi::xml_document& YXlsxBook::SheetDoc(int index) const {
    return const_cast<YXlsxBook&>(*this).Xml(SheetAt(index).part);
}

QStringList YXlsxBook::SheetNames() const {
    QStringList names;
    for (const auto& s : m_sheets) {
        names << s->name;
    }
    return names;
}

int YXlsxBook::SheetIndex(const QString& name) const {
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i]->name.compare(name, Qt::CaseInsensitive) == 0) {
            return int(i);
        }
    }
    return -1;
}

// Rewrites <sheets> from m_sheets, keeping each element's other attributes.
void YXlsxBook::SyncSheetElements() {
    pugi::xml_node wb = Xml(m_strWorkbookPart).document_element();
    pugi::xml_node sheets = wb.child("sheets");
    std::map<QString, pugi::xml_node> byRel;
    QString relAttr = QStringLiteral("r:id");
    for (pugi::xml_node s : sheets.children("sheet")) {
        for (pugi::xml_attribute a : s.attributes()) {
            if (EndsWith(a.name(), ":id")) {
                byRel[Str(a.value())] = s;
                relAttr = Str(a.name());
            }
        }
    }
    // A new <sheet> names its relationship with the same prefix; declare it on the root so the
    // element is valid wherever it came from.
    const QString prefix = relAttr.left(relAttr.indexOf(u':'));
    const QByteArray nsAttr = Utf8(QStringLiteral("xmlns:") + prefix);
    if (!wb.attribute(nsAttr.constData())) {
        wb.append_attribute(nsAttr.constData()) = kRelNs;
    }
    pugi::xml_document scratch;
    pugi::xml_node holder = scratch.append_child("sheets");
    for (const auto& sheet : m_sheets) {
        pugi::xml_node node;
        auto it = byRel.find(sheet->relId);
        if (it != byRel.end()) {
            node = holder.append_copy(it->second);
        } else {
            node = holder.append_child("sheet");
        }
        for (const char* attr : {"name", "sheetId"}) {
            if (!node.attribute(attr)) {
                node.append_attribute(attr);
            }
        }
        node.attribute("name") = Utf8(sheet->name).constData();
        node.attribute("sheetId") = Utf8(sheet->sheetId).constData();
        const QByteArray ra = Utf8(relAttr);
        if (!node.attribute(ra.constData())) {
            node.append_attribute(ra.constData());
        }
        node.attribute(ra.constData()) = Utf8(sheet->relId).constData();
    }
    while (sheets.first_child()) {
        sheets.remove_child(sheets.first_child());
    }
    for (pugi::xml_node n : holder.children()) {
        sheets.append_copy(n);
    }
}

void YXlsxBook::ShiftLocalSheetIds(int from, int by) {
    pugi::xml_node names = Xml(m_strWorkbookPart).document_element().child("definedNames");
    for (pugi::xml_node d : names.children("definedName")) {
        pugi::xml_attribute a = d.attribute("localSheetId");
        if (a && a.as_int() >= from) {
            a = a.as_int() + by;
        }
    }
}

void YXlsxBook::RenameInDefinedNames(const QString& oldName, const QString& newName) {
    pugi::xml_node names = Xml(m_strWorkbookPart).document_element().child("definedNames");
    const QString quotedOld =
        u'\'' + QString(oldName).replace(u'\'', QStringLiteral("''")) + QStringLiteral("'!");
    const QString quotedNew =
        u'\'' + QString(newName).replace(u'\'', QStringLiteral("''")) + QStringLiteral("'!");
    for (pugi::xml_node d : names.children("definedName")) {
        QString text = Str(d.text().get());
        text.replace(quotedOld, quotedNew);
        text.replace(oldName + u'!', quotedNew);
        d.text() = Utf8(text).constData();
    }
}

// A worksheet part made known to the workbook: its relationship and a new sheet id.
std::unique_ptr<YXlsxBook::Sheet> YXlsxBook::NewSheetEntry(const QString& name,
                                                           const QString& part) {
    pugi::xml_node wbRels = Xml(RelsName(m_strWorkbookPart)).document_element();
    const QString relId = NewRelId(wbRels);
    pugi::xml_node rel = wbRels.append_child("Relationship");
    rel.append_attribute("Id") = Utf8(relId).constData();
    rel.append_attribute("Type") = (QByteArray(kRelTypeBase) + "worksheet").constData();
    rel.append_attribute("Target") = Utf8(RelativeTarget(m_strWorkbookPart, part)).constData();
    int maxId = 0;
    for (const auto& s : m_sheets) {
        maxId = std::max(maxId, s->sheetId.toInt());
    }
    auto sheet = std::make_unique<Sheet>();
    sheet->name = name;
    sheet->part = part;
    sheet->relId = relId;
    sheet->sheetId = QString::number(maxId + 1);
    return sheet;
}

int YXlsxBook::CopySheet(int index, int position, const QString& newName) {
    if (index < 0 || index >= SheetCount() || SheetIndex(newName) >= 0) {
        Fail(QStringLiteral("无法复制工作表“%1”").arg(newName));
        return -1;
    }
    position = std::clamp(position, 0, SheetCount());
    const Sheet& src = SheetAt(index);
    const QString part = UniquePartName(QStringLiteral("xl/worksheets/sheet"), ".xml");
    {
        pugi::xml_document& from = SheetDoc(index);
        auto& slot = m_parts[part];
        slot = std::make_unique<Part>();
        slot->doc = std::make_unique<pugi::xml_document>();
        slot->doc->reset(from);
        m_partOrder.push_back(part);
        // Only one tab may be selected, or the spreadsheet groups them.
        for (pugi::xml_node v : slot->doc->document_element().child("sheetViews").children()) {
            v.remove_attribute("tabSelected");
        }
    }
    AddOverride(part, Str(kSheetType));
    CopyRelatedParts(src.part, part);

    auto sheet = NewSheetEntry(newName, part);
    const QString relId = sheet->relId;
    // A copy of the source's <sheet> element, at its tab position, keeps attributes such as
    // state. Placed directly: rewriting <sheets> for each of hundreds of pages would cost
    // quadratic time.
    {
        pugi::xml_node sheets = Xml(m_strWorkbookPart).document_element().child("sheets");
        pugi::xml_node from;
        pugi::xml_node before;
        int i = 0;
        for (pugi::xml_node s : sheets.children("sheet")) {
            if (Utf8(src.name) == s.attribute("name").value()) {
                from = s;
            }
            if (i++ == position) {
                before = s;
            }
        }
        pugi::xml_node c =
            before ? sheets.insert_copy_before(from, before) : sheets.append_copy(from);
        c.attribute("name") = Utf8(newName).constData();
        c.attribute("sheetId") = Utf8(sheet->sheetId).constData();
        for (pugi::xml_attribute a : c.attributes()) {
            if (EndsWith(a.name(), ":id")) {
                a = Utf8(relId).constData();
            }
        }
    }
    const QString srcName = src.name;
    m_sheets.insert(m_sheets.begin() + position, std::move(sheet));

    // The copy's own print area and print titles.
    const int srcIndex = index >= position ? index + 1 : index;
    ShiftLocalSheetIds(position, 1);
    pugi::xml_node names = Xml(m_strWorkbookPart).document_element().child("definedNames");
    std::vector<pugi::xml_node> local;
    for (pugi::xml_node d : names.children("definedName")) {
        if (d.attribute("localSheetId") && d.attribute("localSheetId").as_int() == srcIndex) {
            local.push_back(d);
        }
    }
    const QString quotedSrc = u'\'' + srcName + QStringLiteral("'!");
    const QString quotedNew = u'\'' + newName + QStringLiteral("'!");
    for (pugi::xml_node d : local) {
        pugi::xml_node c = names.append_copy(d);
        c.attribute("localSheetId") = position;
        QString text = Str(c.text().get());
        text.replace(quotedSrc, quotedNew).replace(srcName + u'!', quotedNew);
        c.text() = Utf8(text).constData();
    }
    return position;
}

// Duplicates the parts a sheet owns (drawings, printer settings, comments) for its copy;
// pictures and other shared targets keep being shared.
void YXlsxBook::CopyRelatedParts(const QString& fromPart, const QString& toPart) {
    if (!HasPart(RelsName(fromPart))) {
        return;
    }
    auto rels = ParseRels(fromPart);
    for (pugi::xml_node r : rels->document_element().children("Relationship")) {
        if (std::strcmp(r.attribute("TargetMode").value(), "External") == 0) {
            continue;
        }
        const char* type = r.attribute("Type").value();
        if (!EndsWith(type, "/drawing") && !EndsWith(type, "/printerSettings") &&
            !EndsWith(type, "/vmlDrawing") && !EndsWith(type, "/comments")) {
            continue;
        }
        const QString target = ResolveTarget(fromPart, Str(r.attribute("Target").value()));
        if (!HasPart(target)) {
            continue;
        }
        const QString base =
            QFileInfo(target).completeBaseName().remove(QRegularExpression("\\d+$"));
        const QString dir = target.left(target.lastIndexOf(u'/') + 1);
        const QString copy = UniquePartName(dir + base, u'.' + QFileInfo(target).suffix());
        Bytes(copy) = Bytes(target);
        const QString type2 = ContentTypeOf(target);
        if (!type2.isEmpty()) {
            AddOverride(copy, type2);
        }
        if (HasPart(RelsName(target))) {
            Bytes(RelsName(copy)) = Bytes(RelsName(target));
        }
        r.attribute("Target") = Utf8(RelativeTarget(toPart, copy)).constData();
    }
    auto& slot = m_parts[RelsName(toPart)];
    if (!slot) {
        m_partOrder.push_back(RelsName(toPart));
        slot = std::make_unique<Part>();
    }
    slot->doc = std::move(rels);
}

bool YXlsxBook::RenameSheet(int index, const QString& newName) {
    static const QRegularExpression bad(QStringLiteral("[\\[\\]:*?/\\\\]"));
    if (index < 0 || index >= SheetCount() || newName.isEmpty() || newName.size() > 31 ||
        newName.contains(bad)) {
        return Fail(QStringLiteral("工作表名“%1”不可用").arg(newName));
    }
    const int other = SheetIndex(newName);
    if (other >= 0 && other != index) {
        return Fail(QStringLiteral("工作表“%1”已经存在").arg(newName));
    }
    const QString old = SheetAt(index).name;
    SheetAt(index).name = newName;
    SyncSheetElements();
    RenameInDefinedNames(old, newName);
    return true;
}

bool YXlsxBook::RemoveSheet(int index) {
    if (index < 0 || index >= SheetCount() || SheetCount() == 1) {
        return Fail(QStringLiteral("无法删除工作表"));
    }
    const Sheet& s = SheetAt(index);
    pugi::xml_node wbRels = Xml(RelsName(m_strWorkbookPart)).document_element();
    for (pugi::xml_node r : wbRels.children("Relationship")) {
        if (Utf8(s.relId) == r.attribute("Id").value()) {
            wbRels.remove_child(r);
            break;
        }
    }
    pugi::xml_node types = Xml(QStringLiteral("[Content_Types].xml")).document_element();
    for (pugi::xml_node o : types.children("Override")) {
        if (Utf8(u'/' + s.part) == o.attribute("PartName").value()) {
            types.remove_child(o);
            break;
        }
    }
    // Parts only this sheet used (its drawing, printer settings) stay as unreferenced parts:
    // harmless, and the package stays valid.
    for (const QString& name : {s.part, RelsName(s.part)}) {
        m_parts.erase(name);
        std::erase(m_partOrder, name);
    }
    pugi::xml_node names = Xml(m_strWorkbookPart).document_element().child("definedNames");
    for (pugi::xml_node d = names.first_child(); d;) {
        pugi::xml_node next = d.next_sibling();
        if (d.attribute("localSheetId") && d.attribute("localSheetId").as_int() == index) {
            names.remove_child(d);
        }
        d = next;
    }
    ShiftLocalSheetIds(index + 1, -1);
    m_sheets.erase(m_sheets.begin() + index);
    SyncSheetElements();
    pugi::xml_node views = Xml(m_strWorkbookPart).document_element().child("bookViews");
    for (pugi::xml_node v : views.children("workbookView")) {
        for (const char* a : {"activeTab", "firstSheet"}) {
            if (v.attribute(a) && v.attribute(a).as_int() >= SheetCount()) {
                v.attribute(a) = 0;
            }
        }
    }
    return true;
}

int YXlsxBook::AddSheet(const QString& name) {
    const QString part = UniquePartName(QStringLiteral("xl/worksheets/sheet"), ".xml");
    pugi::xml_document& doc = Xml(part);
    pugi::xml_node ws = doc.append_child("worksheet");
    ws.append_attribute("xmlns") = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    ws.append_attribute("xmlns:r") = kRelNs;
    // Printed like the tables: A3 landscape, the whole sheet on one page.
    ws.append_child("sheetPr").append_child("pageSetUpPr").append_attribute("fitToPage") = 1;
    ws.append_child("sheetData");
    pugi::xml_node margins = ws.append_child("pageMargins");
    for (const auto& [name, inches] :
         {std::pair{"left", "0.5"}, std::pair{"right", "0.5"}, std::pair{"top", "0.6"},
          std::pair{"bottom", "0.6"}, std::pair{"header", "0.3"}, std::pair{"footer", "0.3"}}) {
        margins.append_attribute(name) = inches;
    }
    pugi::xml_node setup = ws.append_child("pageSetup");
    setup.append_attribute("paperSize") = 8; // A3
    setup.append_attribute("orientation") = "landscape";
    setup.append_attribute("fitToWidth") = 1;
    setup.append_attribute("fitToHeight") = 1;
    AddOverride(part, Str(kSheetType));
    auto sheet = NewSheetEntry(name, part);
    m_sheets.push_back(std::move(sheet));
    SyncSheetElements();
    return SheetCount() - 1;
}

void YXlsxBook::SetActiveSheet(int index) {
    for (int i = 0; i < SheetCount(); ++i) {
        // A sheet held as bytes without the flag need not be parsed for it.
        const auto& slot = m_parts.at(SheetAt(i).part);
        if (i != index && !slot->doc && !slot->bytes.contains("tabSelected")) {
            continue;
        }
        for (pugi::xml_node v :
             SheetDoc(i).document_element().child("sheetViews").children("sheetView")) {
            v.remove_attribute("tabSelected");
            if (i == index) {
                v.append_attribute("tabSelected") = 1;
            }
        }
    }
    pugi::xml_node wb = Xml(m_strWorkbookPart).document_element();
    pugi::xml_node views = wb.child("bookViews");
    if (!views) {
        views = wb.insert_child_before("bookViews", wb.child("sheets"));
    }
    pugi::xml_node v = views.child("workbookView");
    if (!v) {
        v = views.append_child("workbookView");
    }
    for (const char* a : {"activeTab", "firstSheet"}) {
        if (!v.attribute(a)) {
            v.append_attribute(a);
        }
    }
    v.attribute("activeTab") = index;
    v.attribute("firstSheet") = 0;
}

// ---- Saving ----

void YXlsxBook::PrepareFormulas(pugi::xml_document& doc) const {
    for (pugi::xml_node r : doc.document_element().child("sheetData").children("row")) {
        for (pugi::xml_node c : r.children("c")) {
            if (c.child("f")) {
                c.remove_child("v");
                c.remove_attribute("t");
            }
        }
    }
}

void YXlsxBook::Release(int sheet) {
    const QString part = SheetAt(sheet).part;
    auto& slot = m_parts[part];
    if (slot->doc) {
        PrepareFormulas(*slot->doc);
        slot->formulasPrepared = true;
        slot->bytes = Serialize(*slot->doc);
        slot->doc.reset();
    }
    SheetAt(sheet).rows.clear();
    SheetAt(sheet).rowsIndexed = false;
}

bool YXlsxBook::Save(const QString& path) {
    if (m_sheets.empty()) {
        return Fail(QStringLiteral("工作簿没有打开"));
    }
    // Formulas recalculate when the workbook opens; calcChain would name moved cells.
    for (int i = 0; i < SheetCount(); ++i) {
        const auto& slot = m_parts[SheetAt(i).part];
        if (!slot->formulasPrepared || slot->doc) {
            PrepareFormulas(SheetDoc(i));
        }
    }
    pugi::xml_node wb = Xml(m_strWorkbookPart).document_element();
    pugi::xml_node calc = wb.child("calcPr");
    if (!calc) {
        pugi::xml_node after = wb.child("definedNames");
        if (!after) {
            after = wb.child("externalReferences");
        }
        if (!after) {
            after = wb.child("sheets");
        }
        calc = wb.insert_child_after("calcPr", after);
    }
    if (!calc.attribute("fullCalcOnLoad")) {
        calc.append_attribute("fullCalcOnLoad");
    }
    calc.attribute("fullCalcOnLoad") = "1";
    const QString chain = QStringLiteral("xl/calcChain.xml");
    if (HasPart(chain)) {
        m_parts.erase(chain);
        std::erase(m_partOrder, chain);
        pugi::xml_node wbRels = Xml(RelsName(m_strWorkbookPart)).document_element();
        for (pugi::xml_node r : wbRels.children("Relationship")) {
            if (EndsWith(r.attribute("Type").value(), "/calcChain")) {
                wbRels.remove_child(r);
                break;
            }
        }
        pugi::xml_node types = Xml(QStringLiteral("[Content_Types].xml")).document_element();
        for (pugi::xml_node o : types.children("Override")) {
            if (Utf8(u'/' + chain) == o.attribute("PartName").value()) {
                types.remove_child(o);
                break;
            }
        }
    }

    const QFileInfo target(path);
    QString tmpName;
    {
        QTemporaryFile tmp(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".XXXXXX"));
        tmp.setAutoRemove(false);
        if (!tmp.open() || !tmp.setPermissions(QFile::ReadOwner | QFile::WriteOwner |
                                               QFile::ReadGroup | QFile::ReadOther)) {
            return Fail(QStringLiteral("无法写入文件%1").arg(path));
        }
        tmpName = tmp.fileName();
    }
    int err = 0;
    zip_t* za = zip_open(QFile::encodeName(tmpName).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (za == nullptr) {
        QFile::remove(tmpName);
        return Fail(QStringLiteral("无法写入文件%1").arg(path));
    }
    // The buffers must live until zip_close, which does the writing.
    std::vector<QByteArray> buffers;
    buffers.reserve(m_partOrder.size());
    bool ok = true;
    for (const QString& name : m_partOrder) {
        const Part& part = *m_parts.at(name);
        buffers.push_back(part.doc ? Serialize(*part.doc) : part.bytes);
        const QByteArray& b = buffers.back();
        zip_source_t* src = zip_source_buffer(za, b.constData(), zip_uint64_t(b.size()), 0);
        if (src == nullptr) {
            ok = false;
            break;
        }
        const zip_int64_t index =
            zip_file_add(za, Utf8(name).constData(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(src);
            ok = false;
            break;
        }
        // The fastest deflate level: sheet XML packs well at any level, and a workbook of
        // hundreds of pages should not wait for the compressor.
        if (zip_set_file_compression(za, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) != 0) {
            ok = false;
            break;
        }
    }
    if (!ok || zip_close(za) != 0) {
        zip_discard(za); // after a failed close the archive is still ours to free
        QFile::remove(tmpName);
        return Fail(QStringLiteral("无法写入文件%1").arg(path));
    }
    if (std::rename(QFile::encodeName(tmpName).constData(), QFile::encodeName(path).constData()) !=
        0) {
        QFile::remove(tmpName);
        return Fail(QStringLiteral("无法写入文件%1").arg(path));
    }
    return true;
}
