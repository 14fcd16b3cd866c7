#!/usr/bin/python3
"""Writes resources/lbltpl.csv, the label-stock templates delivered with the
program, from the template catalogue of Debian's glabels-data package (label
dimensions are facts; the catalogue lists them in inches or millimetres).

usage: lbltpl_from_glabels.py TEMPLATE_FOLDER > ../lbltpl.csv
       (TEMPLATE_FOLDER: usr/share/libglabels-3.0/templates of glabels-data)

Only single-layout sheets on US Letter or A4 are taken; each equivalent part
number becomes a row of its own. Avery laser products (5xxx, and the others)
are "LJ", Avery inkjet products (8xxx) "IJ"; LabelWriter rolls are label
printer ("LP") stock, listed under COSTAR, who made the LabelWriter first.
"""
import csv
import os
import re
import sys
import xml.etree.ElementTree as ET

UNITS = {"in": 1.0, "mm": 1 / 25.4, "cm": 1 / 2.54, "pt": 1 / 72.0, "pc": 1 / 6.0}
PAPER = {"US-Letter": ("LTR", 8.5, 11.0), "A4": ("A4", 8.268, 11.693)}

# Avery publishes the 5160 family as 0.1875 in side margins and 2.75 in
# between columns; the catalogue rounds these to 0.156 and 2.781 (the same
# labels, 1 x 2.625 in, 3 x 10, 0.5 in top). Avery's own figures win.
AVERY_5160_GEOMETRY = {"x0": 0.1875, "dx": 2.75}


def inches(text):
    m = re.fullmatch(r"\s*([0-9.]+)\s*([a-z]*)\s*", text or "0")
    value, unit = float(m.group(1)), m.group(2) or "pt"
    return value * UNITS[unit]


def product_type(description):
    d = description.lower()
    if any(w in d for w in ("address", "shipping", "mailing", "return")):
        return "ADDRESS/SHIPPING LABELS"
    if any(w in d for w in ("business card", "post card", "postcard", "tent card", "greeting", "card")):
        return "CARD PRODUCTS"
    if "diskette" in d:
        return "DISKETTE LABELS"
    if "file folder" in d or "filing" in d:
        return "FILE FOLDER LABELS"
    if any(w in d for w in ("index", "divider", "tab")):
        return "INDEX PRODUCTS"
    return "MISCELLANEOUS"


def rows_from(path, maker, printer_for, name=None):
    name = name or maker.title()
    root = ET.parse(path).getroot()
    by_part = {}
    rows = []
    for t in root.findall("Template"):
        part = t.get("part")
        if t.get("equiv"):
            base = by_part.get(t.get("equiv"))
            if base:
                rows.append(dict(base, part=part))
            continue
        paper = PAPER.get(t.get("size"))
        if t.get("size") == "Other" and t.get("width") and t.get("height"):
            paper = ("USERP", inches(t.get("width")), inches(t.get("height")))
        if not paper:
            continue
        shapes = [c for c in t if c.tag.startswith("Label-")]
        if len(shapes) != 1:
            continue
        shape = shapes[0]
        layouts = shape.findall("Layout")
        if len(layouts) != 1:
            continue
        lay = layouts[0]
        if shape.tag == "Label-rectangle":
            w, h = inches(shape.get("width")), inches(shape.get("height"))
            kind = "RR" if inches(shape.get("round", "0")) > 0 else "SR"
        elif shape.tag == "Label-round":
            w = h = 2 * inches(shape.get("radius"))
            kind = "EL"
        elif shape.tag in ("Label-ellipse",):
            w, h = inches(shape.get("width")), inches(shape.get("height"))
            kind = "EL"
        elif shape.tag == "Label-cd":
            w = h = 2 * inches(shape.get("radius"))
            kind = "EL"
        else:
            continue
        nx, ny = int(lay.get("nx")), int(lay.get("ny"))
        if not (1 <= nx <= 10 and 1 <= ny <= 30):
            continue
        description = t.get("_description") or t.get("description") or ""
        row = dict(part=part, description=description, width=w, height=h, nx=nx, ny=ny,
                   x0=inches(lay.get("x0")), y0=inches(lay.get("y0")),
                   dx=inches(lay.get("dx", "0")) or w, dy=inches(lay.get("dy", "0")) or h,
                   paper=paper, shape=kind)
        if (round(w, 3), round(h, 3), nx, ny, round(row["x0"], 3), round(row["dx"], 3)) == (2.625, 1.0, 3, 10, 0.156, 2.781):
            row.update(AVERY_5160_GEOMETRY)
        by_part[part] = row
        rows.append(row)
    out = []
    for r in rows:
        code, sw, sh = r["paper"]
        short = r["description"].replace(" Labels", "").replace(" labels", "")
        out.append({
            "DESCRIPT": f"{name} {r['part']}  {short}"[:50],
            "PRINTER": printer_for(r["part"]),
            "LBLHEIGHT": f"{r['height']:.3f}", "LBLWIDTH": f"{r['width']:.3f}",
            "NBRACROSS": r["nx"], "NBRDOWN": r["ny"],
            "TOPMARG": f"{r['y0']:.3f}", "LEFTMARG": f"{r['x0']:.3f}",
            "HORIZPITCH": f"{r['dx']:.3f}", "VERTPITCH": f"{r['dy']:.3f}",
            "SHEETWIDTH": f"{sw:.3f}", "SHEETDEPTH": f"{sh:.3f}",
            "PAPERSIZE": code, "LBLSHAPE": r["shape"], "MANUFAC": maker,
            "PRODTYPE": product_type(r["description"]),
            "MIDEXTRAX": "0.000", "MIDEXTRAY": "0.000", "ART": "",
        })
    return out


def avery_printer(part):
    return "IJ" if part.startswith("8") else "LJ"


def main():
    folder = sys.argv[1]
    rows = rows_from(os.path.join(folder, "avery-us-templates.xml"), "AVERY", avery_printer)
    rows += rows_from(os.path.join(folder, "avery-iso-templates.xml"), "AVERY", lambda p: "LJ")
    rows += rows_from(os.path.join(folder, "dymo-other-templates.xml"), "COSTAR", lambda p: "LP", "LabelWriter")
    seen, unique = set(), []
    for r in rows:
        if r["DESCRIPT"].upper() not in seen:
            seen.add(r["DESCRIPT"].upper())
            unique.append(r)
    writer = csv.DictWriter(sys.stdout, fieldnames=list(unique[0].keys()), lineterminator="\n")
    writer.writeheader()
    writer.writerows(sorted(unique, key=lambda r: r["DESCRIPT"].upper()))


main()
