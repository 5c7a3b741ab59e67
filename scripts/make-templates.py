#!/usr/bin/python3
"""Builds the bundled workbook templates in templates/ from this one description, so a change
to a heading is a change to this file and the .xlsx files can be made again byte for byte.

Needs Debian's python3-openpyxl (run with /usr/bin/python3). Usage:
    scripts/make-templates.py [output-folder]     (default: templates/ of the repository)

The programs write into fixed cells of these sheets; the rows and columns below are the ones
src/core/reports relies on (see docs/reports.md). Sums are formulas, recalculated on opening.
"""
import datetime
import io
import os
import re
import sys
import zipfile

from openpyxl import Workbook
from openpyxl.styles import Alignment, Border, Font, Side
from openpyxl.utils import get_column_letter as L
from openpyxl.worksheet.properties import PageSetupProperties

FIXED_TIME = datetime.datetime(2026, 1, 1, 0, 0, 0)
THIN = Side(style="thin")
BOX = Border(left=THIN, right=THIN, top=THIN, bottom=THIN)
FONT = "宋体"
CENTER = Alignment(horizontal="center", vertical="center", wrap_text=True)
QTY = "#,##0.00;-#,##0.00;"  # zero shows empty
PCT = "0.0;-0.0;"
KM = "0.000;-0.000;"


def new_sheet(title):
    wb = Workbook()
    ws = wb.active
    ws.title = title
    wb.properties.creator = "Dalvex"
    wb.properties.created = FIXED_TIME
    wb.properties.modified = FIXED_TIME
    return wb, ws


def page_setup(ws, last_col, last_row, title_rows):
    ws.page_setup.orientation = "landscape"
    ws.page_setup.paperSize = ws.PAPERSIZE_A3
    ws.sheet_properties.pageSetUpPr = PageSetupProperties(fitToPage=True)
    ws.page_setup.fitToWidth = 1
    ws.page_setup.fitToHeight = 1
    ws.page_margins.left = ws.page_margins.right = 0.5
    ws.page_margins.top = ws.page_margins.bottom = 0.6
    ws.print_options.horizontalCentered = True
    ws.print_area = "A1:%s%d" % (L(last_col), last_row)
    ws.print_title_rows = title_rows


def head(ws, ref, text, size=10, bold=False):
    """A heading cell, merged over ref ("A4:A8" or "A4"), boxed and centred."""
    first = ref.split(":")[0]
    ws[first] = text
    if ":" in ref:
        ws.merge_cells(ref)
    for row in ws[ref] if ":" in ref else [[ws[ref]]]:
        for c in row:
            c.border = BOX
            c.alignment = CENTER
            c.font = Font(name=FONT, size=size, bold=bold)


def title(ws, last_col, text, row=1):
    ws.cell(row=row, column=1, value=text)
    ws.merge_cells(start_row=row, start_column=1, end_row=row, end_column=last_col)
    c = ws.cell(row=row, column=1)
    c.font = Font(name=FONT, size=18, bold=True)
    c.alignment = Alignment(horizontal="center", vertical="center")
    ws.row_dimensions[row].height = 30


def body(ws, rows, cols, fmt):
    """Empty boxed cells with their number format, so written values take the style."""
    for r in rows:
        for col in cols:
            c = ws.cell(row=r, column=col)
            c.border = BOX
            c.font = Font(name=FONT, size=9)
            c.alignment = Alignment(horizontal="center" if col == 1 else "right",
                                    vertical="center")
            c.number_format = fmt(col)


def sums(ws, row, cols, first, last):
    for col in cols:
        ws.cell(row=row, column=col, value="=SUM(%s%d:%s%d)" % (L(col), first, L(col), last))


# ---- 507 土方计算表 and 510 土石方分类计算详表 ----
# Stations on rows 9, 11, … 61 (27 per page, two rows each: the station and the stretch that
# ends there), page total on row 64, local borrow and waste below.
CLASSES = ["Ⅰ松土", "Ⅱ普通土", "Ⅲ硬土", "Ⅳ软石", "Ⅴ次坚石", "Ⅵ坚石"]
FIRST_ROW, LAST_ROW, TOTAL_ROW = 9, 62, 64


def calc_common(ws, last_col, page_col, heading):
    title(ws, last_col, heading)
    ws["A2"] = "单位：m²、m、m³"
    ws["A2"].font = Font(name=FONT, size=9)
    ws["A3"].font = Font(name=FONT, size=10)
    ws.merge_cells("A3:J3")
    ws.cell(row=3, column=page_col).font = Font(name=FONT, size=10)
    ws.cell(row=3, column=page_col).alignment = Alignment(horizontal="right")
    head(ws, "A4:A8", "桩  号")
    head(ws, "B4:C5", "横断面面积")
    head(ws, "B6:B8", "挖方")
    head(ws, "C6:C8", "填方")
    head(ws, "D4:D8", "距离")
    head(ws, "E4:Q4", "挖  方  分  类  及  数  量")
    head(ws, "E5:E8", "总数量")
    head(ws, "F5:K5", "土    方")
    head(ws, "L5:Q5", "石    方")
    for k, name in enumerate(CLASSES):
        col = 6 + 2 * k
        head(ws, "%s6:%s6" % (L(col), L(col + 1)), name)
        head(ws, "%s7:%s8" % (L(col), L(col)), "%")
        head(ws, "%s7:%s8" % (L(col + 1), L(col + 1)), "数量")
    head(ws, "R4:R8", "填方\n总数量")
    for r in range(4, 9):
        ws.row_dimensions[r].height = 18
    ws.column_dimensions["A"].width = 13
    for col in range(2, last_col + 1):
        ws.column_dimensions[L(col)].width = 8.5
    for col in range(6, 18, 2):
        ws.column_dimensions[L(col)].width = 5.5


def calc_footer(ws, last_col, sum_cols, local_rows):
    body(ws, range(FIRST_ROW, LAST_ROW + 1), range(1, last_col + 1),
         lambda col: PCT if 6 <= col <= 17 and col % 2 == 0 else QTY)
    # Station and stretch rows share their quantity cells: a station row holds the stretch
    # that ends at it, the row after it stays empty.
    for r in range(TOTAL_ROW - 1, TOTAL_ROW + 1):
        body(ws, [r], range(1, last_col + 1), lambda col: QTY)
    head(ws, "A%d" % TOTAL_ROW, "本页合计")
    sums(ws, TOTAL_ROW, sum_cols, FIRST_ROW, TOTAL_ROW - 1)
    for r, label, extra in local_rows:
        head(ws, "A%d:A%d" % (r, r + 1), label)
        head(ws, "B%d:B%d" % (r, r + 1), None)
        ws["B%d" % r].number_format = QTY
        if extra:
            head(ws, "C%d:C%d" % (r, r + 1), extra)
            head(ws, "D%d:D%d" % (r, r + 1), None)
            ws["D%d" % r].number_format = QTY


def make_calc(path):
    wb, ws = new_sheet("土方计算表")
    calc_common(ws, 27, 27, "路 基 土 石 方 数 量 计 算 表")
    head(ws, "S4:T5", "填方数量")
    head(ws, "S6:S8", "土方")
    head(ws, "T6:T8", "石方")
    head(ws, "U4:V5", "本桩利用")
    head(ws, "U6:U8", "土方")
    head(ws, "V6:V8", "石方")
    head(ws, "W4:X5", "填缺")
    head(ws, "W6:W8", "土方")
    head(ws, "X6:X8", "石方")
    head(ws, "Y4:Z5", "挖余")
    head(ws, "Y6:Y8", "土方")
    head(ws, "Z6:Z8", "石方")
    head(ws, "AA4:AA8", "备注")
    ws.column_dimensions["AA"].width = 12
    calc_footer(ws, 27, [4, 5, 7, 9, 11, 13, 15, 17] + list(range(18, 27)),
                [(67, "就地借土", None), (69, "就地借石", None), (71, "就地弃土", None),
                 (73, "就地弃石", None)])
    page_setup(ws, 27, 74, None)
    save(wb, path)


def make_class_detail(path):
    wb, ws = new_sheet("土石方分类计算详表")
    calc_common(ws, 43, 27, "路 基 土 石 方 分 类 计 算 详 表")
    ws.merge_cells("AA3:AQ3")
    groups = [("填方土方", 19, CLASSES[:3]), ("填方石方", 22, CLASSES[3:]),
              ("本桩利用土方", 25, CLASSES[:3]), ("本桩利用石方", 28, CLASSES[3:]),
              ("填缺土方", 31, CLASSES[:3]), ("填缺石方", 34, CLASSES[3:])]
    for name, col, classes in groups:
        head(ws, "%s4:%s5" % (L(col), L(col + 2)), name)
        for k, cls in enumerate(classes):
            head(ws, "%s6:%s8" % (L(col + k), L(col + k)), cls)
    head(ws, "AK4:AP5", "挖余")
    for k, cls in enumerate(CLASSES):
        head(ws, "%s6:%s8" % (L(37 + k), L(37 + k)), cls)
    head(ws, "AQ4:AQ8", "备注")
    ws.column_dimensions["AQ"].width = 12
    calc_footer(ws, 43, [4, 5, 7, 9, 11, 13, 15, 17] + list(range(18, 43)),
                [(67, "就地借方  土方", "石方"), (69, "就地弃方  土方", "石方")])
    page_setup(ws, 43, 74, None)
    save(wb, path)


# ---- 508 / 509 土方运量统计表 ----
# Method names on row 5, entries on rows 8 … 39 (32 per page), page total on row 40.
def make_haul(path, volume):
    wb, ws = new_sheet("土方运量统计表")
    title(ws, 16, "路 基 土 石 方 运 量 统 计 表")
    ws.merge_cells("A3:H3")
    ws.merge_cells("N3:P3")
    ws["N3"].alignment = Alignment(horizontal="right")
    head(ws, "A4:A7", "起讫桩号")
    head(ws, "B4:I4", "土    方")
    head(ws, "J4:O4", "石    方")
    head(ws, "P4:P7", "备注")
    second = "运量\n(m³·km)" if volume else "平均运距\n(km)"
    for col in range(2, 16, 2):
        head(ws, "%s5:%s5" % (L(col), L(col + 1)), None)
        head(ws, "%s6:%s7" % (L(col), L(col)), "数量\n(m³)")
        head(ws, "%s6:%s7" % (L(col + 1), L(col + 1)), second)
    ws.row_dimensions[5].height = 30
    body(ws, range(8, 41), range(1, 17),
         lambda col: QTY if col % 2 == 0 or volume else KM)
    for r in range(8, 41):
        ws.cell(row=r, column=16).alignment = Alignment(horizontal="center")
    head(ws, "A40", "本页合计")
    for col in range(2, 16, 2):
        q = "%s8:%s39" % (L(col), L(col))
        d = "%s8:%s39" % (L(col + 1), L(col + 1))
        ws.cell(row=40, column=col, value="=SUM(%s)" % q)
        if volume:
            ws.cell(row=40, column=col + 1, value="=SUM(%s)" % d)
        else:  # the quantity-weighted mean distance
            ws.cell(row=40, column=col + 1,
                    value='=IF(SUM(%s)=0,"",SUMPRODUCT(%s,%s)/SUM(%s))' % (q, q, d, q))
    ws.column_dimensions["A"].width = 28
    for col in range(2, 16):
        ws.column_dimensions[L(col)].width = 10
    ws.column_dimensions["P"].width = 10
    page_setup(ws, 16, 40, None)
    save(wb, path)


# ---- 506 取土弃土场表 ----
# Entries on rows 5 … 32 (28 per page), page total on row 33.
def make_pits(path):
    wb, ws = new_sheet("取土弃土场表")
    title(ws, 12, "取 土 、 弃 土 场 表")
    ws["A2"] = "单位：m、m³"
    head(ws, "A3:A4", "编号")
    head(ws, "B3:B4", "上路桩号")
    head(ws, "C3:C4", "取(弃)土路段")
    head(ws, "D3:D4", "位置及\n土质说明")
    head(ws, "E3:E4", "支线长度\n(m)")
    head(ws, "F3:G3", "取土数量")
    head(ws, "F4", "土方")
    head(ws, "G4", "石方")
    head(ws, "H3:I3", "弃土数量")
    head(ws, "H4", "土方")
    head(ws, "I4", "石方")
    head(ws, "J3:J4", "占地\n(亩)")
    head(ws, "K3:K4", "运量\n(千m³·km)")
    head(ws, "L3:L4", "备注")
    body(ws, range(5, 34), range(1, 13), lambda col: "0.000;-0.000;" if col == 11 else QTY)
    head(ws, "A33", "本页合计")
    sums(ws, 33, [6, 7, 8, 9, 11], 5, 32)
    widths = [8, 13, 28, 14, 9, 11, 11, 11, 11, 8, 11, 10]
    for col, w in enumerate(widths, start=1):
        ws.column_dimensions[L(col)].width = w
    page_setup(ws, 12, 33, None)
    save(wb, path)


# ---- Per-kilometre tables ----
# One row per kilometre on rows 7 … 36 (30 per page), page total on row 37.
def make_km_quantities(path):
    wb, ws = new_sheet("每公里土石方数量表")
    title(ws, 18, "每 公 里 土 石 方 数 量 表")
    ws.merge_cells("A3:H3")
    ws.merge_cells("P3:R3")
    ws["P3"].alignment = Alignment(horizontal="right")
    head(ws, "A4:A6", "起讫桩号")
    head(ws, "B4:B6", "长度\n(m)")
    head(ws, "C4:I4", "挖方(天然方)")
    head(ws, "C5:C6", "总量")
    for k, cls in enumerate(CLASSES):
        head(ws, "%s5:%s6" % (L(4 + k), L(4 + k)), cls)
    head(ws, "J4:J6", "填方\n(压实方)")
    head(ws, "K4:L5", "本桩利用")
    head(ws, "K6", "土方")
    head(ws, "L6", "石方")
    head(ws, "M4:N5", "远运利用")
    head(ws, "M6", "调入")
    head(ws, "N6", "调出")
    head(ws, "O4:O6", "借方")
    head(ws, "P4:P6", "弃方")
    head(ws, "Q4:Q6", "相邻项目\n调入(+)\n调出(-)")
    head(ws, "R4:R6", "备注")
    body(ws, range(7, 38), range(1, 19), lambda col: "#,##0.00;-#,##0.00;" if col != 17 else "+#,##0.00;-#,##0.00;")
    head(ws, "A37", "本页合计")
    sums(ws, 37, range(2, 18), 7, 36)
    ws.column_dimensions["A"].width = 26
    for col in range(2, 19):
        ws.column_dimensions[L(col)].width = 10
    page_setup(ws, 18, 37, None)
    save(wb, path)


def make_km_haul(path):
    wb, ws = new_sheet("每公里运距表")
    title(ws, 11, "每 公 里 运 距 表")
    ws.merge_cells("A3:E3")
    ws.merge_cells("I3:K3")
    ws["I3"].alignment = Alignment(horizontal="right")
    head(ws, "A4:A6", "起讫桩号")
    for col, name in [(2, "远运利用"), (5, "借方"), (8, "弃方")]:
        head(ws, "%s4:%s4" % (L(col), L(col + 2)), name)
        head(ws, "%s5:%s6" % (L(col), L(col)), "数量\n(m³)")
        head(ws, "%s5:%s6" % (L(col + 1), L(col + 1)), "平均运距\n(m)")
        head(ws, "%s5:%s6" % (L(col + 2), L(col + 2)), "运量\n(m³·km)")
    head(ws, "K4:K6", "备注")
    body(ws, range(7, 38), range(1, 12), lambda col: QTY)
    head(ws, "A37", "本页合计")
    for col in (2, 5, 8):
        q, d, v = L(col), L(col + 1), L(col + 2)
        ws.cell(row=37, column=col, value="=SUM(%s7:%s36)" % (q, q))
        ws.cell(row=37, column=col + 2, value="=SUM(%s7:%s36)" % (v, v))
        ws.cell(row=37, column=col + 1,
                value='=IF(%s37=0,"",%s37*1000/%s37)' % (q, v, q))
    ws.column_dimensions["A"].width = 26
    for col in range(2, 12):
        ws.column_dimensions[L(col)].width = 11
    page_setup(ws, 11, 37, None)
    save(wb, path)


def save(wb, path):
    """Saves, then rewrites the package with fixed times so the bytes depend on nothing else."""
    buf = io.BytesIO()
    wb.save(buf)
    src = zipfile.ZipFile(io.BytesIO(buf.getvalue()))
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as out:
        for info in src.infolist():
            data = src.read(info.filename)
            if info.filename == "docProps/core.xml":
                data = re.sub(rb"<dcterms:(created|modified)([^>]*)>[^<]*<",
                              rb"<dcterms:\1\2>2026-01-01T00:00:00Z<", data)
            fixed = zipfile.ZipInfo(info.filename, date_time=(2026, 1, 1, 0, 0, 0))
            fixed.compress_type = zipfile.ZIP_DEFLATED
            out.writestr(fixed, data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "templates")
    os.makedirs(out, exist_ok=True)
    make_pits(os.path.join(out, "取土弃土场表.xlsx"))
    make_calc(os.path.join(out, "土方计算表.xlsx"))
    make_haul(os.path.join(out, "土方运量统计表.xlsx"), volume=False)
    make_haul(os.path.join(out, "土方运量统计表1.xlsx"), volume=True)
    make_class_detail(os.path.join(out, "土石方分类计算详表.xlsx"))
    make_km_quantities(os.path.join(out, "每公里土石方数量表.xlsx"))
    make_km_haul(os.path.join(out, "每公里运距表.xlsx"))


if __name__ == "__main__":
    main()
