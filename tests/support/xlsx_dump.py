"""Prints what a spreadsheet program would see in an .xlsx, as JSON.

{"sheets": [names], "cells": {"col,row": {"type", "value", "format", "bold"}},
 "widths": {"col": width}} for the first worksheet; col and row are 1-based.
Only the standard library, so the tests need nothing installed.
"""
import json
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
BUILTIN_FORMATS = {0: "General", 1: "0", 2: "0.00", 49: "@"}


def text_of(node):
    return "".join(t.text or "" for t in node.iter("{%s}t" % NS["m"]))


def unescape(s):
    return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), s)


def address(ref):
    letters = re.match(r"[A-Z]+", ref).group(0)
    col = 0
    for ch in letters:
        col = col * 26 + ord(ch) - 64
    return col, int(ref[len(letters):])


def main(path):
    book = zipfile.ZipFile(path)
    names = book.namelist()
    workbook = ET.fromstring(book.read("xl/workbook.xml"))
    sheets = [s.get("name") for s in workbook.iterfind("m:sheets/m:sheet", NS)]

    shared = []
    if "xl/sharedStrings.xml" in names:
        sst = ET.fromstring(book.read("xl/sharedStrings.xml"))
        shared = [unescape(text_of(si)) for si in sst.iterfind("m:si", NS)]

    styles = ET.fromstring(book.read("xl/styles.xml"))
    custom = {int(f.get("numFmtId")): f.get("formatCode")
              for f in styles.iterfind("m:numFmts/m:numFmt", NS)}
    fonts = [f.find("m:b", NS) is not None for f in styles.iterfind("m:fonts/m:font", NS)]
    xfs = []
    for xf in styles.iterfind("m:cellXfs/m:xf", NS):
        fmt_id = int(xf.get("numFmtId", "0"))
        xfs.append({
            "format": custom.get(fmt_id, BUILTIN_FORMATS.get(fmt_id, str(fmt_id))),
            "bold": fonts[int(xf.get("fontId", "0"))],
        })

    sheet = ET.fromstring(book.read("xl/worksheets/sheet1.xml"))
    cells = {}
    for c in sheet.iterfind("m:sheetData/m:row/m:c", NS):
        col, row = address(c.get("r"))
        kind = c.get("t", "n")
        v = c.find("m:v", NS)
        if kind == "s":
            value = shared[int(v.text)]
        elif kind == "inlineStr":
            value = unescape(text_of(c.find("m:is", NS)))
        else:
            value = v.text if v is not None else ""
        style = xfs[int(c.get("s", "0"))]
        cells["%d,%d" % (col, row)] = {
            "type": "number" if kind == "n" else "text",
            "value": value,
            "format": style["format"],
            "bold": style["bold"],
        }

    widths = {}
    for col in sheet.iterfind("m:cols/m:col", NS):
        if col.get("customWidth") == "1":
            for i in range(int(col.get("min")), int(col.get("max")) + 1):
                widths[str(i)] = float(col.get("width"))

    json.dump({"sheets": sheets, "cells": cells, "widths": widths}, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
