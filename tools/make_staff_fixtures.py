#!/usr/bin/python3
"""Writes the staff-list workbooks that the import's tests read (tests/fixtures/staff/).

Run it again after changing it; the files are kept in the repository, so the tests need
neither openpyxl nor LibreOffice. Needs Debian's python3-openpyxl and
libreoffice-calc-nogui:

    tools/make_staff_fixtures.py     # with Debian's python3, writes tests/fixtures/staff/

- staff-openpyxl.xlsx      saved by openpyxl: 工号 as numbers, 姓名, 部门; two 张伟 in
                           different departments, two 李娜 in the same one, a blank row,
                           rare characters (刘䶮, 𠮷田 from Unicode's CJK extensions)
- staff-libreoffice.xlsx   the same workbook opened and saved again by LibreOffice Calc
- staff-inline.xlsx        written part by part: inline strings, rich-text runs with a
                           phonetic guide, cells without references, numbers written as
                           10023.0 and 1.0024E4, a truth value, an error, a second sheet
                           that is not read
- staff-damaged.xlsx       staff-inline.xlsx with one byte of its sheet changed (stored
                           uncompressed, so only the checksum tells)
- not-a-workbook.xlsx      a CSV file named .xlsx
"""
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "tests", "fixtures", "staff")

ROWS = [
    ("工号", "姓名", "部门"),
    (1001, "张伟", "技术部"),
    (1002, "李娜", "销售部"),
    (None, None, None),
    (1003, "张伟", "人事部"),
    (1004, "刘䶮", "技术部"),
    (1005, "𠮷田", "财务部"),
    (1006, "李娜", "销售部"),
    (1007, "王小明", "技术部"),
]


def openpyxl_book(path):
    import openpyxl

    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "员工"
    for r, row in enumerate(ROWS, start=1):
        for c, value in enumerate(row, start=1):
            if value is not None:
                ws.cell(row=r, column=c, value=value)
    wb.save(path)


def libreoffice_copy(source, path):
    with tempfile.TemporaryDirectory() as tmp:
        shutil.copy(source, os.path.join(tmp, "in.xlsx"))
        outdir = os.path.join(tmp, "out")
        subprocess.run(
            ["soffice", "--headless", "-env:UserInstallation=file://" + tmp + "/profile",
             "--convert-to", "xlsx:Calc MS Excel 2007 XML", "--outdir", outdir,
             os.path.join(tmp, "in.xlsx")],
            check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.copy(os.path.join(outdir, "in.xlsx"), path)


CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/second.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/worksheets/first.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
</Types>"""
ROOT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>"""
# The first sheet listed is first.xml, though its relation is listed second and the
# other sheet's part comes first in the zip.
WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="名单" sheetId="2" r:id="rId7"/><sheet name="其他" sheetId="1" r:id="rId3"/></sheets>
</workbook>"""
WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/second.xml"/>
<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/first.xml"/>
<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
</Relationships>"""
SHARED = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="3" uniqueCount="3">
<si><t>工号</t></si>
<si><r><rPr><b/></rPr><t>姓</t></r><r><t xml:space="preserve">名</t></r><rPh sb="0" eb="1"><t>せい</t></rPh></si>
<si><t>部门</t></si>
</sst>"""
FIRST = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c></row>
<row r="2"><c r="A2"><v>10023.0</v></c><c r="B2" t="inlineStr"><is><t>刘䶮</t></is></c><c r="C2" t="inlineStr"><is><r><t>技术</t></r><r><t>部</t></r></is></c></row>
<row r="4"><c><v>1.0024E4</v></c><c t="inlineStr"><is><t>𠮷田 &amp; &lt;Co&gt;</t></is></c><c t="str"><f>"销"&amp;"售部"</f><v>销售部</v></c></row>
<row r="5"><c r="A5"><v>0.5</v></c><c r="B5" t="b"><v>1</v></c><c r="D5" t="e"><v>#N/A</v></c></row>
<row r="6"><c r="B6" s="1"/></row>
<row r="7"><c r="C7" t="inlineStr"><is><t>   </t></is></c></row>
</sheetData>
</worksheet>"""
SECOND = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>不该读到</t></is></c></row></sheetData>
</worksheet>"""


def part_by_part(path, compression):
    with zipfile.ZipFile(path, "w", compression) as z:
        z.writestr("[Content_Types].xml", CONTENT_TYPES)
        z.writestr("_rels/.rels", ROOT_RELS)
        z.writestr("xl/worksheets/second.xml", SECOND)
        z.writestr("xl/workbook.xml", WORKBOOK)
        z.writestr("xl/_rels/workbook.xml.rels", WORKBOOK_RELS)
        z.writestr("xl/sharedStrings.xml", SHARED)
        z.writestr("xl/worksheets/first.xml", FIRST)


def damaged(path):
    part_by_part(path, zipfile.ZIP_STORED)
    with open(path, "rb") as f:
        data = bytearray(f.read())
    at = data.index("刘䶮".encode("utf-8"))
    data[at + 1] ^= 0x01
    with open(path, "wb") as f:
        f.write(data)


def main():
    os.makedirs(OUT, exist_ok=True)
    openpyxl_book(os.path.join(OUT, "staff-openpyxl.xlsx"))
    libreoffice_copy(os.path.join(OUT, "staff-openpyxl.xlsx"), os.path.join(OUT, "staff-libreoffice.xlsx"))
    part_by_part(os.path.join(OUT, "staff-inline.xlsx"), zipfile.ZIP_DEFLATED)
    damaged(os.path.join(OUT, "staff-damaged.xlsx"))
    with open(os.path.join(OUT, "not-a-workbook.xlsx"), "w", encoding="utf-8") as f:
        f.write("工号,姓名\r\n1001,张伟\r\n")
    print("wrote", os.path.normpath(OUT))


if __name__ == "__main__":
    sys.exit(main())
