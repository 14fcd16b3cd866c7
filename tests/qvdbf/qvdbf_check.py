#!/usr/bin/python3
"""The contract of qvdbf: outputs, one item a line, and exit statuses
(0 done, 2 bad usage or an unreadable file with a message naming the file)."""
import os
import subprocess
import sys
import tempfile

QVDBF = sys.argv[1]
failures = []


def run(*args, stdin=None, env=None):
    r = subprocess.run([QVDBF, *args], capture_output=True, input=stdin, env=env)
    return r.returncode, r.stdout.decode("cp1252"), r.stderr.decode("cp1252")


def expect(what, got, want):
    if got != want:
        failures.append(f"{what}: got {got!r}, want {want!r}")


with tempfile.TemporaryDirectory() as d:
    t = os.path.join(d, "people.dbf")
    csv_path = os.path.join(d, "in.csv")
    expect("create", run("create", t, "LNAME:C:12,AGE:N:3:0,NOTE:M,ISDEL:L,BORN:D")[0], 0)
    expect("info", run("info", t), (0, "version 0xF5\nrecords 0\nLNAME C 12 0\nAGE N 3 0\nNOTE M 10 0\n"
                                        "ISDEL L 1 0\nBORN D 8 0\n", ""))
    with open(csv_path, "wb") as f:
        f.write(b'Smith,42,"multi\r\nline, memo",F,19970428\r\nJones,7\r\n"Brown ""B""",,,T,\n')
    expect("append-csv", run("append-csv", t, csv_path), (0, "3\n", ""))
    expect("count all", run("count", t)[1], "3\n")
    expect("count expr", run("count", t, "!ISDEL")[1], "2\n")
    expect("count prefix", run("count", t, 'UPPER(LNAME)="SM"')[1], "1\n")
    expect("count exact", run("count", t, "--exact", "on", 'UPPER(LNAME)="SM"')[1], "0\n")
    expect("list", run("list", t, "--fields", "LNAME,NOTE", "--limit", "2")[1],
           '1,Smith,"multi\r\nline, memo"\n2,Jones,\n')
    expect("list filter", run("list", t, "--fields", "LNAME", "--filter", "AGE>10")[1], "1,Smith\n")
    expect("list quotes", run("list", t, "--fields", "LNAME", "--filter", "ISDEL")[1], '3,"Brown ""B"""\n')
    expect("eval C", run("eval", t, "1", "TRIM(LNAME)+'!'")[1], "C:Smith!\n")
    expect("eval N", run("eval", t, "1", "AGE/4")[1], "N:10.5\n")
    expect("eval L", run("eval", t, "2", "EMPTY(BORN)")[1], "L:T\n")
    expect("eval D", run("eval", t, "1", "BORN+1")[1], "D:19970429\n")

    # Indexes: tags listed by info, orders, seeks, the check.
    expect("index", run("index", t, "NAME", "UPPER(LNAME)")[0], 0)
    expect("index numeric", run("index", t, "AGE", "AGE")[0], 0)
    expect("info tags", run("info", t)[1].splitlines()[-2:], ["TAG NAME UPPER(LNAME)", "TAG AGE AGE"])
    expect("list in order", run("list", t, "--order", "NAME", "--fields", "LNAME")[1],
           '3,"Brown ""B"""\n2,Jones\n1,Smith\n')
    expect("list in age order", run("list", t, "--order", "age", "--fields", "AGE")[1], "3,\n2,7\n1,42\n")
    expect("count in order", run("count", t, "--order", "NAME", "AGE>5")[1], "2\n")
    expect("seek found", run("seek", t, "NAME", "JO"), (0, "2\n", ""))
    expect("seek exact", run("seek", t, "NAME", "JO", "--exact")[1], "not found\n")
    expect("seek soft", run("seek", t, "NAME", "C", "--soft")[1], "not found\n2\n")
    expect("seek soft at the end", run("seek", t, "NAME", "ZZ", "--soft")[1], "not found\neof\n")
    expect("seek number", run("seek", t, "AGE", "42")[1], "1\n")
    expect("check", run("check", t), (0, "ok\n", ""))
    expect("reindex", run("reindex", t)[0], 0)
    expect("check after reindex", run("check", t)[1], "ok\n")
    expect("bad tag expression", run("index", t, "BAD", "NOSUCH")[0], 2)
    expect("unknown tag", run("list", t, "--order", "NOSUCH")[0], 2)

    # Deleted records: hidden by default, counted with --deleted off; pack removes them.
    mark = subprocess.run(["/usr/bin/python3", "-c", f"""
import sys
p = {t!r}
b = bytearray(open(p, 'rb').read())
hl = b[8] | (b[9] << 8); rl = b[10] | (b[11] << 8)
b[hl + rl] = 0x2A
open(p, 'wb').write(b)
"""])
    expect("count deleted hidden", run("count", t)[1], "2\n")
    expect("count deleted shown", run("count", t, "--deleted", "off")[1], "3\n")
    expect("check after marking", run("check", t)[0], 0)  # a deletion flag changes no key here
    expect("pack", run("pack", t), (0, "2\n", ""))
    expect("check after pack", run("check", t)[1], "ok\n")
    expect("after pack", run("list", t, "--fields", "LNAME")[1], '1,Smith\n2,"Brown ""B"""\n')
    expect("zap", run("zap", t)[0], 0)
    expect("after zap", run("count", t, "--deleted", "off")[1], "0\n")
    expect("check after zap", run("check", t)[1], "ok\n")

    # A damaged index: the check says what is wrong and fails.
    cdx = t[:-4] + ".cdx"
    with open(cdx, "r+b") as f:
        f.seek(1024 + 512)
        f.write(b"\xff" * 512)
    code, out, err = run("check", t)
    expect("damaged index status", code, 1)
    expect("damaged index names the file", cdx in out, True)

    # Failures: status 2 and a message naming the file or the problem.
    missing = os.path.join(d, "missing.dbf")
    code, out, err = run("info", missing)
    expect("missing file status", code, 2)
    expect("missing file message", missing in err, True)
    garbage = os.path.join(d, "garbage.dbf")
    with open(garbage, "wb") as f:
        f.write(b"this is not a table at all, just some text" * 3)
    code, out, err = run("count", garbage)
    expect("garbage status", code, 2)
    expect("garbage message", garbage in err and "not a valid table" in err, True)
    code, out, err = run("count", t, "AGE=")
    expect("bad expression status", code, 2)
    expect("bad expression message", "position 5" in err, True)
    expect("bad usage", run("count")[0], 2)
    expect("unknown command", run("frobnicate", t)[0], 2)
    expect("bad option", run("count", t, "--deleted", "maybe")[0], 2)
    expect("help", run("--help")[0], 0)
    with open(csv_path, "wb") as f:
        f.write(b"Ok,1\nBad,notanumber\n")
    code, out, err = run("append-csv", t, csv_path)
    expect("bad csv value status", code, 2)
    expect("bad csv value message", "line 2" in err and "AGE" in err, True)
    expect("records before the bad line kept", run("count", t)[1], "1\n")

# The address-data commands, in a home of their own.
with tempfile.TemporaryDirectory() as home:
    env = dict(os.environ, QUILLVANE_HOME=home)
    code, out, err = run("setup-home", env=env)
    expect("setup-home", (code, out.strip()), (0, home.rstrip("/") + "/"))
    expect("setup-home made the default file", os.path.exists(os.path.join(home, "DATA", "add0001.DBF")), True)
    expect("setup-home copied the delivered tables",
           sorted(os.listdir(os.path.join(home, "SYSDATA"))), ["CSZ.CDX", "CSZ.DBF", "LBLTPL.CDX", "LBLTPL.DBF"])
    a = os.path.join(home, "DATA", "people.dbf")
    expect("create-address", run("create-address", a, env=env)[0], 0)
    tags = [l for l in run("info", a)[1].splitlines() if l.startswith("TAG ") and l != "TAG C 8 0"]
    expect("create-address tags", len(tags), 26)
    expect("create-address check", run("check", a)[1], "ok\n")
    expect("create-address over a file in use", run("create-address", "/nonexistent/folder/x.dbf", env=env),
           (2, "", "qvdbf: File creation failed\n"))
    rows = os.path.join(home, "rows.csv")
    with open(rows, "w") as f:
        f.write("Smith,John,,,,,,,Springfield,IL,62701,,,,,,,ABC,,,F,TAG1,\n")
        f.write("Jones,Ann,,,,,,,Salem,OR,97301,,,,,,,B,,,F,,\n")
        f.write("Smithers,Al,,,,,,,Springfield,IL,62702,,,,,,,C,,,T,TAG1,\n")
    run("append-csv", a, rows)
    with open(os.path.join(home, "QUILLV.ini"), "w") as f:
        f.write("[Misc]\r\nGlobalTagId=TAG1\r\n")

    def flt(entries, tagged="F", reverse="F"):
        lines = [""] * 18
        for i, v in entries.items():
            lines[i] = v
        return ("\r\n".join(lines + [tagged, reverse]) + "\r\n").encode()

    expect("filter none", run("filter", a, stdin=flt({}), env=env)[1], "!ISDEL\n2\n")
    expect("filter name", run("filter", a, stdin=flt({0: "smi"}), env=env)[1],
           'UPPER(LNAME)="SMI".and. !ISDEL\n1\n')
    expect("filter alternatives and $", run("filter", a, stdin=flt({0: "S;J", 15: "$B"}), env=env)[1],
           '((UPPER(LNAME)="S").or.(UPPER(LNAME)="J")) and "B"$UPPER(CODES).and. !ISDEL\n2\n')
    expect("filter tagged", run("filter", a, stdin=flt({}, tagged="T"), env=env)[1],
           '(UPPER(TAG)="TAG1").and. !ISDEL\n1\n')
    expect("filter no match", run("filter", a, stdin=flt({0: "ZZZ"}), env=env)[1],
           'UPPER(LNAME)="ZZZ".and. !ISDEL\n0\n')
    code, out, err = run("filter", a, stdin=flt({0: "x" * 300}), env=env)
    expect("filter too complex", (out, err), ("!ISDEL\n2\n", "qvdbf: Sorry - filter is too complex.Please simplify it.\n"))
    expect("filter short input", run("filter", a, stdin=b"smith", env=env)[1], 'UPPER(LNAME)="SMITH".and. !ISDEL\n1\n')

for f in failures:
    print("FAIL", f)
print("qvdbf: ok" if not failures else f"qvdbf: {len(failures)} failures")
sys.exit(1 if failures else 0)
