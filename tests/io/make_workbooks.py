#!/usr/bin/python3
"""Writes the workbooks the io tests read, with writers independent of the program."""
import datetime
import os
import sys
import zipfile

import openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904

out = sys.argv[1]
os.makedirs(out, exist_ok=True)
if os.path.exists(os.path.join(out, "complete")):
    os.remove(os.path.join(out, "complete"))


def path(name):
    return os.path.join(out, name)


# Two sheets: quotes with dates, numbers, text, an empty cell; an active cell on C5.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Quotes"
ws.append(["Name", "Coupon", "Maturity", "Quote", "Yield"])
rows = [
    ("2Y Note", 0.625, datetime.datetime(2012, 12, 31), 100.0625, 0.61),
    ("5Y Note", 2.125, datetime.datetime(2015, 12, 31), 100.5, 2.01),
    ("10Y Note", 2.625, datetime.datetime(2020, 11, 15), 94.75, 3.3),
    ("30Y Bond", 4.25, datetime.datetime(2040, 11, 15), 98.1875, None),
]
for r in rows:
    ws.append(list(r))
for row in range(2, 6):
    ws.cell(row=row, column=3).number_format = "mm-dd-yy"
ws["F2"] = datetime.time(13, 30, 15)
ws["F3"] = datetime.datetime(2010, 6, 30, 12, 0, 0)
ws["F3"].number_format = "yyyy-mm-dd hh:mm:ss"
ws["G2"] = 1234567.5
ws["G2"].number_format = "#,##0.00"
ws["G3"] = 0.0125
ws["G3"].number_format = "0.00%"
ws["G4"] = True
ws["G5"] = 1e-5
ws.sheet_view.selection[0].activeCell = "C5"
ws.sheet_view.selection[0].sqref = "C5"
notes = wb.create_sheet("Notes")
notes["A1"] = "Prices are clean"
wb.save(path("bonds.xlsx"))

# The same dates in the 1904 system.
wb = openpyxl.Workbook()
wb.epoch = CALENDAR_MAC_1904
ws = wb.active
ws.title = "Mac"
ws["A1"] = datetime.datetime(2018, 7, 24)
ws["A1"].number_format = "d-mmm-yy"
wb.save(path("mac1904.xlsx"))

# An OpenDocument spreadsheet written by hand: repeated cells and rows, a date, a float, text,
# and a sheet whose writer chose another prefix for the table namespace.
content = """<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0" office:version="1.2">
<office:body><office:spreadsheet>
<table:table table:name="Bonds">
 <table:table-row>
  <table:table-cell office:value-type="string"><text:p>3Y  Note</text:p></table:table-cell>
  <table:table-cell office:value-type="float" calcext:value-type="float" office:value="1.0"><text:p>1.00</text:p></table:table-cell>
  <table:table-cell office:value-type="date" office:date-value="2013-12-31"><text:p>12/31/13</text:p></table:table-cell>
  <table:table-cell office:value-type="float" office:value="99.96875"/>
 </table:table-row>
 <table:table-row table:number-rows-repeated="2">
  <table:table-cell table:number-columns-repeated="2"/>
  <table:table-cell office:value-type="float" office:value="7" table:number-columns-repeated="2"/>
 </table:table-row>
 <table:table-row table:number-rows-repeated="1048570"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>
</table:table>
<tb:table xmlns:tb="urn:oasis:names:tc:opendocument:xmlns:table:1.0" tb:name="Second"><tb:table-row><tb:table-cell office:value-type="time" office:time-value="PT10H30M00S"/></tb:table-row></tb:table>
</office:spreadsheet></office:body></office:document-content>
"""
with zipfile.ZipFile(path("bonds.ods"), "w") as z:
    z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
    z.writestr("content.xml", content, zipfile.ZIP_DEFLATED)

with open(path("quotes.csv"), "w", newline="") as f:
    f.write('Name,Coupon,Maturity,Quote\r\n"Bond, 2040",4.250,11/15/2040,98.1875\r\n"say ""hi""",,x,007\r\n')

# Inline strings and formulas with cached values, as other writers store them.
inline_sheet = (
    '<?xml version="1.0" encoding="UTF-8"?>'
    '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>'
    '<row r="1"><c r="A1" t="inlineStr"><is><r><t>In</t></r><r><t xml:space="preserve">line </t></r></is></c>'
    '<c r="B1" t="str"><f>"a"&amp;"b"</f><v>ab</v></c><c r="C1"><f>1+1</f><v>2</v></c>'
    '<c r="D1" t="e"><f>1/0</f><v>#DIV/0!</v></c></row></sheetData></worksheet>'
)
with zipfile.ZipFile(path("bonds.xlsx")) as src, zipfile.ZipFile(path("inline.xlsx"), "w") as dst:
    for info in src.infolist():
        data = src.read(info.filename)
        if info.filename == "xl/worksheets/sheet2.xml":
            data = inline_sheet.encode()
        dst.writestr(info, data)

# Hostile files.
with open(path("bonds.xlsx"), "rb") as f:
    good = f.read()
with open(path("truncated.xlsx"), "wb") as f:
    f.write(good[: len(good) // 2])
with open(path("garbage.xlsx"), "wb") as f:
    f.write(os.urandom(1 << 20))
with zipfile.ZipFile(path("bonds.xlsx")) as src, zipfile.ZipFile(path("nosheet.xlsx"), "w") as dst:
    for info in src.infolist():
        if info.filename != "xl/worksheets/sheet2.xml":
            dst.writestr(info, src.read(info.filename))
# A sheet part that unpacks far beyond its size in the archive.
with zipfile.ZipFile(path("bomb.xlsx"), "w", zipfile.ZIP_DEFLATED) as dst:
    with zipfile.ZipFile(path("bonds.xlsx")) as src:
        for info in src.infolist():
            if info.filename == "xl/worksheets/sheet1.xml":
                dst.writestr(info.filename, b"<worksheet>" + b" " * (80 << 20) + b"</worksheet>")
            else:
                dst.writestr(info.filename, src.read(info.filename))
with open(path("million.csv"), "w") as f:
    f.write("1\n" * 1_000_000)


def replace_parts(source, target, parts):
    """A copy of the workbook source with some parts replaced (or added)."""
    with zipfile.ZipFile(path(source)) as src, zipfile.ZipFile(path(target), "w", zipfile.ZIP_DEFLATED) as dst:
        for info in src.infolist():
            if info.filename not in parts:
                dst.writestr(info.filename, src.read(info.filename))
        for name, data in parts.items():
            dst.writestr(name, data)


SHEET_HEAD = '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>'
SST_HEAD = '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
# Text nested 60,000 elements deep, as a shared and as an inline string.
deep = "<t>" + "<x>" * 60000 + "deep" + "</x>" * 60000 + "</t>"
replace_parts("bonds.xlsx", "deepshared.xlsx", {"xl/sharedStrings.xml": SST_HEAD + "<si>" + deep + "</si></sst>"})
replace_parts("bonds.xlsx", "deepinline.xlsx", {
    "xl/worksheets/sheet2.xml": SHEET_HEAD + '<row r="1"><c r="A1" t="inlineStr"><is>' + deep + "</is></c></row></sheetData></worksheet>"})
# Ten thousand cells naming one 20 KB shared string.
cells = "".join('<row r="%d"><c r="A%d" t="s"><v>0</v></c></row>' % (r, r) for r in range(1, 10001))
replace_parts("bonds.xlsx", "sharedtext.xlsx", {
    "xl/sharedStrings.xml": SST_HEAD + "<si><t>" + "y" * 20000 + "</t></si></sst>",
    "xl/worksheets/sheet1.xml": SHEET_HEAD + cells + "</sheetData></worksheet>"})
# A cell with a TAB and a line break; a formula stored without its value (B2).
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Quotes"
ws.append(["2Y\tNote", 0.625])
ws.append(["5Y\nNote", "=1+1"])
ws.append(["30Y Bond", 4.25])
wb.save(path("cells.xlsx"))
with open(path("cells.csv"), "w", newline="", encoding="utf-8") as f:
    f.write('"2Y\r\nNote",0.625\r\n"5Y\tNote",2.125\r\n30Y Bond,4.25\r\nSt\xe9phane,1\r\n')
with open(path("latin1.csv"), "wb") as f:
    f.write(b"Caf\xe9,1\r\n")
# Names a spreadsheet program accepts: '!', ']' and "xla" in the file name, '!' in a sheet name,
# a sheet called "System Data".
wb = openpyxl.Workbook()
wb.active.title = "Sh!eet"
wb.active["A1"] = "first"
wb.create_sheet("System Data")["A1"] = "second"
wb.save(path("Q3!rates]xla.xlsx"))


def ods(rows):
    """An .ods whose one sheet holds the given table-row elements."""
    content = ('<?xml version="1.0" encoding="UTF-8"?><office:document-content '
               'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
               'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
               'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>'
               '<table:table table:name="S">' + rows + "</table:table></office:spreadsheet></office:body>"
               "</office:document-content>")
    return content


def write_ods(name, rows):
    with zipfile.ZipFile(path(name), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet")
        z.writestr("content.xml", ods(rows))


# Sixty text cells that each repeat 400,000 columns: the sheet ends at column 16,384.
write_ods("wide.ods", "<table:table-row>" + '<table:table-cell table:number-columns-repeated="400000" '
          'office:value-type="string"><text:p>x</text:p></table:table-cell>' * 60 + "</table:table-row>")
# One 1 KB text repeated over ten full rows: 160 MB of text from a tiny file.
write_ods("widetext.ods", '<table:table-row table:number-rows-repeated="10"><table:table-cell '
          'table:number-columns-repeated="16384" office:value-type="string"><text:p>' + "z" * 1000 +
          "</text:p></table:table-cell></table:table-row>")
# A run of blanks a billion long.
write_ods("blanks.ods", '<table:table-row><table:table-cell office:value-type="string"><text:p>'
          '<text:s text:c="1000000000"/></text:p></table:table-cell></table:table-row>')
write_ods("deep.ods", '<table:table-row><table:table-cell office:value-type="string"><text:p>' +
          "<text:span>" * 60000 + "</text:span>" * 60000 + "</text:p></table:table-cell></table:table-row>")
# Three parts of 900 KB each, for a test that allows 1 MB a part and 2 MB in all.
replace_parts("bonds.xlsx", "parts.xlsx", {
    "xl/worksheets/sheet1.xml": SHEET_HEAD + " " * 900000 + "</sheetData></worksheet>",
    "xl/worksheets/sheet2.xml": SHEET_HEAD + " " * 900000 + "</sheetData></worksheet>",
    "xl/sharedStrings.xml": SST_HEAD + " " * 900000 + "</sst>"})

# Last: the test run knows all files are written.
with open(path("complete"), "w") as f:
    f.write("ok\n")
