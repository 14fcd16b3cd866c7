#!/usr/bin/python3
"""The contract of qvlayout: dump prints every list and element in stored
order; check exits 0 on a file the program can read and 1 with the reader's
message otherwise; 2 for bad usage or an unreadable file."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

QVLAYOUT = sys.argv[1]
failures = []


RUNTIME = tempfile.mkdtemp()
os.chmod(RUNTIME, 0o700)
ENV = dict(os.environ, XDG_RUNTIME_DIR=RUNTIME)


def run(*args):
    r = subprocess.run([QVLAYOUT, *args], capture_output=True, env=ENV)
    return r.returncode, r.stdout.decode("cp1252"), r.stderr.decode("cp1252")


def expect(what, got, want):
    if got != want:
        failures.append(f"{what}: got {got!r}, want {want!r}")


def s(text):
    b = text.encode("cp1252")
    return bytes([len(b)]) + b


def prop(name, value):
    return s(name) + value


def element(cls, name, *props):
    return b"TPF0" + s(cls) + s(name) + b"".join(props) + b"\x00\x00"


def element_list(*elements):
    return b"\x01" + b"".join(elements) + b"\x00"


label = element("TGPLabel", "Special1",
                prop("Left", b"\x02\x0A"), prop("Width", b"\x03\x8E\x01"), prop("Top", b"\x04" + struct.pack("<i", -70000)),
                prop("Locked", b"\x08"), prop("Transparent", b"\x09"),
                prop("Caption", b"\x06" + s('Say "hi"\t\xe9')),
                prop("Font.Color", b"\x07" + s("clBlack")), prop("Font.Style", b"\x0B" + s("fsBold") + s("fsItalic") + b"\x00"),
                prop("Ratio", b"\x05" + b"\x00" * 7 + b"\x80\xFF\x3F"),
                prop("Items.Strings", b"\x01\x06\x01a\x0C" + struct.pack("<I", 2) + b"bc\x00"))
image = element("TGImage", "Special2", prop("Picture.Data", b"\x0A" + struct.pack("<I", 3) + b"abc"))
settings = b"\x01\x02\x05\x09\x06" + s("Title") + b"\x00"
fim = element("TGFIMBarCode", "FIM1", prop("Left", b"\x02\x0A"), prop("Top", b"\x02\x00"), prop("Width", b"\x02\x3C"),
              prop("Height", b"\x02\x3C"), prop("Locked", b"\x08"), prop("Unselectable", b"\x08"),
              prop("FIMType", b"\x07" + s("fimTypeC")))

with tempfile.TemporaryDirectory() as d:
    def write(name, data):
        path = os.path.join(d, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    lbl = write("BIN00001.L", element_list(label, image))
    expect("dump label", run("dump", lbl), (0,
           "list 1\nTGPLabel Special1\n  Left = 10\n  Width = 398\n  Top = -70000\n  Locked = False\n"
           "  Transparent = True\n  Caption = \"Say \\\"hi\\\"\\x09\xe9\"\n  Font.Color = clBlack\n"
           "  Font.Style = [fsBold, fsItalic]\n  Ratio = 1\n  Items.Strings = (\"a\", \"bc\")\n"
           "TGImage Special2\n  Picture.Data = <binary 3 bytes>\n", ""))
    expect("check label with a property its class lacks", run("check", lbl),
           (1, "", "Error reading Component0.Ratio: Property does not exist\n"))
    postnet = element("TGPostNetBarCode", "Bar", prop("ZipCodeField", b"\x06" + s("ZIP")),
                      prop("AddressField", b"\x06" + s("STREET")), prop("BarCodeType", b"\x07" + s("pnbc11Digit")))
    env = write("BIN00001.E", element_list(fim, postnet))
    expect("check envelope", run("check", env), (0, f"{env}: ok\n", ""))
    expect("check bad enumeration", run("check", write("BIN00002.E", element_list(
        element("TGFIMBarCode", "F", prop("FIMType", b"\x07" + s("fimTypeD")))))), (1, "", "Invalid property value\n"))
    expect("check unknown property", run("check", write("BIN00003.E", element_list(
        element("TGFIMBarCode", "F", prop("Colour", b"\x02\x01"))))),
        (1, "", "Error reading Component0.Colour: Property does not exist\n"))

    rpt = write("BIN00002.R", element_list(fim) + element_list() + element_list(image) + settings)
    code, out, _ = run("dump", rpt)
    expect("dump report", (code, out.endswith("list 2\nlist 3\nTGImage Special2\n  Picture.Data = <binary 3 bytes>\n"
                                             "list 4\n  5\n  True\n  \"Title\"\n")), (0, True))
    expect("check report", run("check", write("BIN00004.R", element_list(fim) + element_list() + element_list(fim)
                                              + settings))[0], 0)
    # A report file that stops after its bands lacks the settings list.
    expect("check short report", run("check", write("BIN00003.R", element_list(fim) * 3)),
           (1, "", "Invalid stream format\n"))

    bad = {
        "wrong signature": element_list(b"TPF1" + fim[4:]),
        "short string past the end": b"\x01TPF0\x08TGP",
        "binary of 2 GiB": element_list(element("TGImage", "I", prop("Picture.Data", b"\x0A" + struct.pack("<I", 0x80000000)))),
        "list that never ends": b"\x01" + fim,
        "unknown value type": element_list(element("TGFIMBarCode", "L", prop("Left", b"\x0E"))),
    }
    for what, data in bad.items():
        code, out, err = run("check", write("bad.L", data))
        expect(what, (code, err in ("Invalid stream format\n", "Invalid property value\n")), (1, True))
        expect(what + " (dump)", run("dump", os.path.join(d, "bad.L"))[0], 1)

    expect("missing file", run("check", os.path.join(d, "none.L"))[0], 2)
    pdf = os.path.join(d, "out.pdf")
    code, _, err = run("render", env, pdf, "--record", "ZIP=12345-6789", "--record", "STREET=123 MAIN ST", "--ppi", "120")
    expect("render envelope", (code, err, os.path.getsize(pdf) > 0 if os.path.exists(pdf) else False), (0, "", True))
    expect("render without OUT.pdf", run("render", env)[0], 2)
    expect("render with a bad resolution", run("render", env, pdf, "--ppi", "abc")[0], 2)
    expect("render with a bad record", run("render", env, pdf, "--record", "ZIP")[0], 2)
    expect("render of a bad layout", run("render", os.path.join(d, "bad.L"), pdf)[0], 1)
    expect("unknown command", run("frobnicate", "x")[0], 2)

shutil.rmtree(RUNTIME, ignore_errors=True)
if failures:
    print("\n".join(failures))
    sys.exit(1)
print("qvlayout contract holds")
