#!/usr/bin/python3
"""CDX files we write, read by Perl's XBase module (Debian libdbd-xbase-perl).

Every tag of a table we made must walk in the same order, with the same
record numbers, as `qvdbf list --order`; so must the tags of a real FoxPro
table after we appended to it. Logical keys (ISDEL, !ISDEL, DELETED()) must
read back as the T/F bytes the format notes document. Exits 77 (skipped) when
Perl's module is missing.
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
QVDBF = sys.argv[1]
FIXTURES = os.path.join(HERE, "..", "fixtures", "xbase")

if subprocess.run(["perl", "-MXBase::Index", "-e", "1"], capture_output=True).returncode != 0:
    print("SKIPPED: Perl's XBase::Index is missing; install libdbd-xbase-perl")
    sys.exit(77)

failures = []

ADDRESS_FIELDS = ("LNAME:C:30,FNAME:C:30,MIDDLE:C:1,PREFIX:C:12,TITLE:C:30,ORG:C:30,STREET:C:40,STREET2:C:40,"
                  "CITY:C:30,STATE:C:20,ZIP:C:10,COUNTRY:C:30,DATE:C:15,PHONE:C:30,PHONE2:C:30,FAX:C:40,"
                  "EMAIL:C:40,CODES:C:30,USER1:C:40,USER2:C:40,ISDEL:L,TAG:C:8,MEMO:M,AGE:N:6:1,BORN:D")
TAGS = [
    ("NAME", "UPPER(LNAME-FNAME)"), ("LNAME", "UPPER(LNAME)+UPPER(FNAME)"), ("FNAME", "UPPER(FNAME)"),
    ("TITLE", "UPPER(TITLE)"), ("ORG", "UPPER(ORG)"), ("STREET", "UPPER(STREET)"), ("STREET2", "UPPER(STREET2)"),
    ("CITY", "UPPER(CITY+STATE)"), ("STATE", "UPPER(STATE)"), ("ZIP", "UPPER(ZIP)"), ("COUNTRY", "UPPER(COUNTRY)"),
    ("PHONE", "UPPER(PHONE)"), ("PHONE2", "UPPER(PHONE2)"), ("EMAIL", "UPPER(EMAIL)"), ("FAX", "UPPER(FAX)"),
    ("USER1", "UPPER(USER1)"), ("USER2", "UPPER(USER2)"), ("DATE", "UPPER(DATE)"), ("TAG", "UPPER(TAG)"),
    ("CODES", "UPPER(CODES)"), ("PREFIX", "UPPER(PREFIX)"), ("MIDDLE", "UPPER(MIDDLE)"), ("DELETED", "DELETED()"),
    ("STATEZIP", "UPPER(STATE-ZIP)"), ("ISDEL", "ISDEL"), ("NOTISDEL", "!ISDEL"),
    ("AGE", "AGE"), ("BORN", "BORN"),
]
NUMERIC_TAGS = {"AGE", "BORN"}


def run(*args):
    r = subprocess.run(args, capture_output=True)
    if r.returncode != 0:
        raise SystemExit(f"{' '.join(args)} failed: {r.stderr.decode(errors='replace')}")
    return r.stdout.decode("cp1252")


def perl_walk(cdx, tag, kind):
    out = run("perl", os.path.join(HERE, "walk_cdx.pl"), cdx, tag, kind)
    return [line.split("\t", 1) for line in out.splitlines()]


def our_order(dbf, tag):
    out = run(QVDBF, "list", dbf, "--order", tag, "--deleted", "off", "--fields", first_field(dbf))
    return [line.split(",", 1)[0] for line in out.splitlines()]


def first_field(dbf):
    return run(QVDBF, "info", dbf).splitlines()[2].split()[0]


def compare_tags(what, dbf, cdx, tags):
    for tag, kind in tags:
        theirs = perl_walk(cdx, tag, kind)
        ours = our_order(dbf, tag)
        if [r for r, _ in theirs] != ours:
            failures.append(f"{what}: tag {tag}: Perl walks {[r for r, _ in theirs][:8]}..., we walk {ours[:8]}...")
    check = subprocess.run([QVDBF, "check", dbf], capture_output=True, text=True)
    if check.stdout.strip() != "ok":
        failures.append(f"{what}: qvdbf check: {check.stdout.strip()}")


def address_rows(rng, count):
    last = ["Smith", "smith", "Smithers", "Jones", "Brown", "O'Neil", "van Dyke", "", "Ölund", "Zed"]
    rows = []
    for _ in range(count):
        row = [""] * 25
        row[0] = rng.choice(last) + ("" if rng.random() < 0.6 else str(rng.randrange(100)))
        row[1] = rng.choice(["Ann", "Bob", "", "Cy", "Di"])
        row[2] = rng.choice(["", "J", "k"])
        row[8] = rng.choice(["Springfield", "Salem", "", "Ely"])
        row[9] = rng.choice(["IL", "OR", "", "NV"])
        row[10] = str(rng.randrange(10000, 99999)) if rng.random() < 0.9 else ""
        row[12] = f"{rng.randrange(1950, 2020)}{rng.randrange(1, 13):02d}{rng.randrange(1, 29):02d}"
        row[17] = "".join(rng.choice("ABC") for _ in range(rng.randrange(4)))
        row[20] = "T" if rng.random() < 0.2 else "F"
        row[21] = rng.choice(["", "X1", "VJZW2SD"])
        row[23] = "" if rng.random() < 0.1 else f"{rng.uniform(-500, 500):.1f}"
        row[24] = "" if rng.random() < 0.1 else row[12]
        rows.append(row)
    return rows


def write_csv(path, rows):
    with open(path, "w", encoding="cp1252", newline="") as f:
        for row in rows:
            f.write(",".join('"' + v.replace('"', '""') + '"' for v in row) + "\r\n")


with tempfile.TemporaryDirectory() as folder:
    rng = random.Random(11)
    dbf = os.path.join(folder, "ADD0001.DBF")
    run(QVDBF, "create", dbf, ADDRESS_FIELDS)
    csv = os.path.join(folder, "rows.csv")
    write_csv(csv, address_rows(rng, 3000))
    run(QVDBF, "append-csv", dbf, csv)
    for name, expression in TAGS:
        run(QVDBF, "index", dbf, name, expression)
    cdx = os.path.join(folder, "ADD0001.CDX")
    kinds = [(name, "N" if name in NUMERIC_TAGS else "char") for name, _ in TAGS]
    compare_tags("address file", dbf, cdx, kinds)

    # Logical keys: one byte, T or F.
    isdel = {r: k for r, k in perl_walk(cdx, "ISDEL", "char")}
    notisdel = {r: k for r, k in perl_walk(cdx, "NOTISDEL", "char")}
    values = {line.split(",")[0]: line.split(",")[1] for line in run(QVDBF, "list", dbf, "--fields", "ISDEL").splitlines()}
    for recno, value in values.items():
        if isdel.get(recno) != value or notisdel.get(recno) != ("F" if value == "T" else "T"):
            failures.append(f"logical keys of record {recno}: ISDEL {isdel.get(recno)!r}, NOTISDEL {notisdel.get(recno)!r}, field {value}")
            break
    if set(k for _, k in perl_walk(cdx, "DELETED", "char")) != {"F"}:
        failures.append("DELETED() keys are not all F")

    # Appends split pages all over the trees; Perl still reads them in our order.
    write_csv(csv, address_rows(rng, 2000))
    run(QVDBF, "append-csv", dbf, csv)
    compare_tags("address file after appends", dbf, cdx, kinds)
    run(QVDBF, "reindex", dbf)
    compare_tags("address file after reindex", dbf, cdx, kinds)

    # A FoxPro-made table and index, appended to by us.
    rooms_dbf = os.path.join(folder, "rooms.dbf")
    rooms_cdx = os.path.join(folder, "rooms.cdx")
    shutil.copy(os.path.join(FIXTURES, "foxpro2x-rooms", "rooms.dbf"), rooms_dbf)
    shutil.copy(os.path.join(FIXTURES, "foxpro2x-rooms", "rooms.cdx"), rooms_cdx)
    room_tags = [(t, "char") for t in ("ROOMNAME", "FACILITY", "AUDIO", "MAIN", "FILM")]
    compare_tags("rooms as FoxPro left it", rooms_dbf, rooms_cdx, room_tags)
    write_csv(csv, [[f"Room {i}", rng.choice(["Audio", "Film", "Main", "None"])] for i in range(300)])
    run(QVDBF, "append-csv", rooms_dbf, csv)
    compare_tags("rooms after our appends", rooms_dbf, rooms_cdx, room_tags)

for f in failures:
    print("FAIL", f)
print("perl interop: ok" if not failures else f"perl interop: {len(failures)} differences")
sys.exit(1 if failures else 0)
