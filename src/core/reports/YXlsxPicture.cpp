#include "core/reports/YXlsxBook.h"

#include "core/reports/YXlsxParts.h"

using namespace xlsx;

// ---- Pictures ----

bool YXlsxBook::AddPicture(int sheet, int row, int col, const QByteArray& png, int widthPx,
                           int heightPx) {
    if (!png.startsWith("\x89PNG")) {
        return Fail(QStringLiteral("图片不是PNG格式"));
    }
    const QString sheetPart = SheetAt(sheet).part;
    const QString media = UniquePartName(QStringLiteral("xl/media/image"), ".png");
    Bytes(media) = png;
    AddDefault(QStringLiteral("png"), QStringLiteral("image/png"));

    // The sheet's drawing, made when it has none.
    const QString sheetRelsName = RelsName(sheetPart);
    pugi::xml_document& sheetRels = Xml(sheetRelsName);
    if (!sheetRels.document_element()) {
        sheetRels.append_child("Relationships").append_attribute("xmlns") = kPkgRelNs;
    }
    QString drawing;
    for (pugi::xml_node r : sheetRels.document_element().children("Relationship")) {
        if (EndsWith(r.attribute("Type").value(), "/drawing")) {
            drawing = ResolveTarget(sheetPart, Str(r.attribute("Target").value()));
        }
    }
    if (drawing.isEmpty()) {
        drawing = UniquePartName(QStringLiteral("xl/drawings/drawing"), ".xml");
        pugi::xml_node root = Xml(drawing).append_child("xdr:wsDr");
        root.append_attribute("xmlns:xdr") =
            "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
        root.append_attribute("xmlns:a") = "http://schemas.openxmlformats.org/drawingml/2006/main";
        root.append_attribute("xmlns:r") = kRelNs;
        AddOverride(drawing, Str(kDrawingType));
        const QString relId = NewRelId(sheetRels.document_element());
        pugi::xml_node rel = sheetRels.document_element().append_child("Relationship");
        rel.append_attribute("Id") = Utf8(relId).constData();
        rel.append_attribute("Type") = (QByteArray(kRelTypeBase) + "drawing").constData();
        rel.append_attribute("Target") = Utf8(RelativeTarget(sheetPart, drawing)).constData();
        pugi::xml_node ws = SheetDoc(sheet).document_element();
        if (!ws.attribute("xmlns:r")) {
            ws.append_attribute("xmlns:r") = kRelNs;
        }
        pugi::xml_node d = InsertInOrder(ws, "drawing",
                                         {kAfterDrawing[0], kAfterDrawing[1], kAfterDrawing[2],
                                          kAfterDrawing[3], kAfterDrawing[4], kAfterDrawing[5],
                                          kAfterDrawing[6], kAfterDrawing[7], kAfterDrawing[8]});
        d.append_attribute("r:id") = Utf8(relId).constData();
    }
    pugi::xml_document& drawRels = Xml(RelsName(drawing));
    if (!drawRels.document_element()) {
        drawRels.append_child("Relationships").append_attribute("xmlns") = kPkgRelNs;
    }
    const QString imgRel = NewRelId(drawRels.document_element());
    pugi::xml_node rel = drawRels.document_element().append_child("Relationship");
    rel.append_attribute("Id") = Utf8(imgRel).constData();
    rel.append_attribute("Type") = (QByteArray(kRelTypeBase) + "image").constData();
    rel.append_attribute("Target") = Utf8(RelativeTarget(drawing, media)).constData();

    pugi::xml_node root = Xml(drawing).document_element();
    const int id = int(std::distance(root.children().begin(), root.children().end())) + 2;
    const QByteArray cx = QByteArray::number(qint64(widthPx) * kEmuPerPixel);
    const QByteArray cy = QByteArray::number(qint64(heightPx) * kEmuPerPixel);
    pugi::xml_node anchor = root.append_child("xdr:oneCellAnchor");
    pugi::xml_node from = anchor.append_child("xdr:from");
    from.append_child("xdr:col").text() = col - 1;
    from.append_child("xdr:colOff").text() = 0;
    from.append_child("xdr:row").text() = row - 1;
    from.append_child("xdr:rowOff").text() = 0;
    pugi::xml_node ext = anchor.append_child("xdr:ext");
    ext.append_attribute("cx") = cx.constData();
    ext.append_attribute("cy") = cy.constData();
    pugi::xml_node pic = anchor.append_child("xdr:pic");
    pugi::xml_node nv = pic.append_child("xdr:nvPicPr");
    pugi::xml_node cnv = nv.append_child("xdr:cNvPr");
    cnv.append_attribute("id") = id;
    cnv.append_attribute("name") = ("Picture " + QByteArray::number(id - 1)).constData();
    nv.append_child("xdr:cNvPicPr").append_child("a:picLocks").append_attribute("noChangeAspect") =
        1;
    pugi::xml_node fill = pic.append_child("xdr:blipFill");
    fill.append_child("a:blip").append_attribute("r:embed") = Utf8(imgRel).constData();
    fill.append_child("a:stretch").append_child("a:fillRect");
    pugi::xml_node sp = pic.append_child("xdr:spPr");
    pugi::xml_node xfrm = sp.append_child("a:xfrm");
    pugi::xml_node off = xfrm.append_child("a:off");
    off.append_attribute("x") = 0;
    off.append_attribute("y") = 0;
    pugi::xml_node ext2 = xfrm.append_child("a:ext");
    ext2.append_attribute("cx") = cx.constData();
    ext2.append_attribute("cy") = cy.constData();
    sp.append_child("a:prstGeom").append_attribute("prst") = "rect";
    sp.child("a:prstGeom").append_child("a:avLst");
    anchor.append_child("xdr:clientData");
    return true;
}

int YXlsxBook::PictureCount(int sheet) const {
    const QString sheetPart = SheetAt(sheet).part;
    if (!HasPart(RelsName(sheetPart))) {
        return 0;
    }
    auto rels = ParseRels(sheetPart);
    int n = 0;
    for (pugi::xml_node r : rels->document_element().children("Relationship")) {
        if (!EndsWith(r.attribute("Type").value(), "/drawing")) {
            continue;
        }
        const QString drawing = ResolveTarget(sheetPart, Str(r.attribute("Target").value()));
        if (!HasPart(drawing)) {
            continue;
        }
        for (pugi::xml_node a : const_cast<YXlsxBook&>(*this).Xml(drawing).document_element()) {
            if (a.select_node(".//*[local-name()='blip']")) {
                ++n;
            }
        }
    }
    return n;
}
