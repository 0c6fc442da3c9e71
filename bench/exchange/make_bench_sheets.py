#!/usr/bin/python3
# Writes the link benchmark's worksheets into FOLDER: the same ROWS rows of 12 columns (codes,
# accented names, prices, counts, dates) as sheet.xls (xlwt, so run with the system Python that
# has python3-xlwt), sheet.xlsx (shared strings and a date style, as Excel writes it), sheet.ods
# and sheet.csv (UTF-8, ";" and decimal commas, as a Hungarian spreadsheet saves it).
#   /usr/bin/python3 make_bench_sheets.py FOLDER ROWS
import datetime
import os
import sys
import zipfile
from xml.sax.saxutils import escape

import xlwt

folder, rows = sys.argv[1], int(sys.argv[2])
header = ["Cikkszam", "Vonalkod", "Megnevezes", "Ar", "Darab", "Datum", "Szin", "Meret", "Suly",
          "Gyarto", "Megjegyzes", "Tetel"]
colours = ["piros", "kék", "zöld", "sárga", "fehér", "fekete"]
sizes = ["XS", "S", "M", "L", "XL"]
day0 = datetime.date(2024, 1, 1)


def row(r):
    return ["C%07d" % r, "599%010d" % r, "Árvíztűrő tükörfúrógép %d" % r, r * 1.25, r % 100,
            day0 + datetime.timedelta(days=r % 365), colours[r % 6], sizes[r % 5], (r % 997) / 8,
            "Gyártó Kft. %d" % (r % 50), "Szállítás előtt ellenőrizni, tétel %d" % r, r]


def serial(day):
    return (day - datetime.date(1899, 12, 30)).days


def excel_column(c):
    return chr(ord("A") + c)


data = [row(r) for r in range(1, rows + 1)]

# .xls
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("Adatok")
date_style = xlwt.easyxf(num_format_str="YYYY-MM-DD")
for c, name in enumerate(header):
    sheet.write(0, c, name)
for r, values in enumerate(data, start=1):
    for c, value in enumerate(values):
        if isinstance(value, datetime.date):
            sheet.write(r, c, value, date_style)
        else:
            sheet.write(r, c, value)
book.save(os.path.join(folder, "sheet.xls"))

# .xlsx
strings, index = [], {}


def shared(text):
    if text not in index:
        index[text] = len(strings)
        strings.append(text)
    return index[text]


X = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" ' \
    'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
lines = [f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><worksheet {X}><sheetData>']
for r, values in enumerate([header] + data, start=1):
    cells = []
    for c, value in enumerate(values):
        ref = f"{excel_column(c)}{r}"
        if isinstance(value, str):
            cells.append(f'<c r="{ref}" t="s"><v>{shared(value)}</v></c>')
        elif isinstance(value, datetime.date):
            cells.append(f'<c r="{ref}" s="1"><v>{serial(value)}</v></c>')
        else:
            cells.append(f'<c r="{ref}"><v>{value}</v></c>')
    lines.append(f'<row r="{r}">' + "".join(cells) + "</row>")
lines.append("</sheetData></worksheet>")
with zipfile.ZipFile(os.path.join(folder, "sheet.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>')
    z.writestr("xl/workbook.xml", f'<?xml version="1.0"?><workbook {X}><sheets><sheet name="Adatok" sheetId="1" r:id="rId1"/></sheets></workbook>')
    z.writestr("xl/_rels/workbook.xml.rels", '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
               '<Relationship Id="rId1" Type="worksheet" Target="worksheets/sheet1.xml"/></Relationships>')
    z.writestr("xl/styles.xml", f'<?xml version="1.0"?><styleSheet {X}><cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="14" applyNumberFormat="1"/></cellXfs></styleSheet>')
    z.writestr("xl/sharedStrings.xml", f'<?xml version="1.0"?><sst {X} count="{len(strings)}" uniqueCount="{len(strings)}">'
               + "".join(f"<si><t>{escape(s)}</t></si>" for s in strings) + "</sst>")
    z.writestr("xl/worksheets/sheet1.xml", "".join(lines))

# .ods
O = 'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" ' \
    'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" ' \
    'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"'
parts = [f'<?xml version="1.0" encoding="UTF-8"?><office:document-content {O}><office:body><office:spreadsheet><table:table table:name="Adatok">']
for values in [header] + data:
    cells = []
    for value in values:
        if isinstance(value, str):
            cells.append(f'<table:table-cell office:value-type="string"><text:p>{escape(value)}</text:p></table:table-cell>')
        elif isinstance(value, datetime.date):
            cells.append(f'<table:table-cell office:value-type="date" office:date-value="{value.isoformat()}"><text:p>{value.isoformat()}</text:p></table:table-cell>')
        else:
            cells.append(f'<table:table-cell office:value-type="float" office:value="{value}"><text:p>{value}</text:p></table:table-cell>')
    parts.append("<table:table-row>" + "".join(cells) + "</table:table-row>")
parts.append("</table:table></office:spreadsheet></office:body></office:document-content>")
with zipfile.ZipFile(os.path.join(folder, "sheet.ods"), "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet", zipfile.ZIP_STORED)
    z.writestr("content.xml", "".join(parts))


# .csv
def csv_text(value):
    if isinstance(value, datetime.date):
        return value.isoformat()
    if isinstance(value, float):
        return ("%g" % value).replace(".", ",")
    return str(value)


with open(os.path.join(folder, "sheet.csv"), "w", encoding="utf-8", newline="") as f:
    for values in [header] + data:
        f.write(";".join(csv_text(v) for v in values) + "\r\n")
