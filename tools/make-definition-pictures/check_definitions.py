#!/usr/bin/env python3
"""Checks the installed terminal and coupling definition files.

    python3 tools/make-definition-pictures/check_definitions.py

Prints every fault with its file (and line where there is one) and exits with
1 when there is any; otherwise prints the catalogue as the editor will list it.
"""

import os
import re
import struct
import sys

sys.dont_write_bytecode = True  # keep the tools folder free of caches

import definitions as defs  # noqa: E402
import make_pictures  # noqa: E402

DOS_NAME = re.compile(r"^[A-Z0-9_]{1,8}\.[A-Z0-9_]{1,3}$")
TYPE_NUMBER = re.compile(r"^VT-0A0[1-9]-[0-9A-Za-z]{4}$")

# Soft keys offered per terminal model; one soft key area per soft key.
SOFT_KEYS = {"VT-0A05": 6, "VT-0A06": 10, "VT-0A07": 12}

TERMINAL_KEYS = {
    "Kopf": ["Terminalname", "Bitmap", "Typnummer", "DOSVersion",
             "Info1", "Info2", "Info3", "Info4", "Info5"],
    "Display": ["AuflösungX", "AuflösungY", "Farbtiefe", "Graustufen"],
    "Memory": ["Work", "Store"],
    "Schnittstellen": ["COM1", "COM2"],
    "SoftKeyAreas": ["Count"],
    "SpecialKeyAreas": ["Count"],
}

INT16_MAX = 32767
INT32_MAX = 2147483647


class Report:
    def __init__(self):
        self.faults = []

    def fault(self, where, message):
        self.faults.append("%s: %s" % (where, message))


def check_bytes(report, path):
    """CR LF line ends throughout, and text that code page 1252 can decode."""
    name = os.path.relpath(path, defs.REPO)
    with open(path, "rb") as f:
        data = f.read()
    if not data.endswith(b"\r\n"):
        report.fault(name, "last line does not end with CR LF")
    for number, line in enumerate(data.split(b"\r\n"), 1):
        if b"\n" in line or b"\r" in line:
            report.fault("%s:%d" % (name, number), "bare LF or CR inside the line")
    try:
        data.decode(defs.ENCODING)
    except UnicodeDecodeError as e:
        report.fault(name, "not code page 1252: %s" % e)
        return False
    if b"\xc3" in data:
        report.fault(name, "looks like UTF-8 (byte C3); umlauts must be single bytes")
    return True


def check_bitmap(report, where, folder, file_name):
    path = os.path.join(folder, file_name)
    if not file_name:
        report.fault(where, "no bitmap named")
        return
    if not os.path.isfile(path):
        report.fault(where, "bitmap %s missing (names are matched exactly)" % file_name)
        return
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 54 or data[:2] != b"BM":
        report.fault(where, "%s is no BMP file" % file_name)
        return
    size, offset = struct.unpack_from("<I", data, 2)[0], struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    stride = (width * bits // 8 + 3) & ~3
    if size != len(data) or bits not in (8, 24) or compression != 0:
        report.fault(where, "%s: unexpected BMP header" % file_name)
    elif offset + stride * abs(height) > len(data):
        report.fault(where, "%s: pixel data cut short" % file_name)


def int_value(report, where, values, key, low, high):
    text = values.get(key, "")
    try:
        value = int(text)
    except ValueError:
        report.fault(where, "%s=%r is no decimal number" % (key, text))
        return None
    if not low <= value <= high:
        report.fault(where, "%s=%d outside %d..%d" % (key, value, low, high))
    return value


def check_areas(report, where, ini, section, letter, width, height):
    values = ini.get(section, {})
    count = int_value(report, where, values, "Count", 0, 999)
    if count is None:
        return []
    wanted = {"Count"} | {"%s%02d" % (letter, i) for i in range(1, count + 1)}
    for key in sorted(set(values) - wanted):
        report.fault(where, "[%s] key %s beyond Count=%d" % (section, key, count))
    areas = []
    for i in range(1, count + 1):
        key = "%s%02d" % (letter, i)
        if key not in values:
            report.fault(where, "[%s] %s missing" % (section, key))
            continue
        try:
            left, top, right, bottom = defs.parse_area(values[key])
        except ValueError:
            report.fault(where, "[%s] %s=%r is not left,top,right,bottom" % (section, key, values[key]))
            continue
        if not (0 <= left <= right < width and 0 <= top <= bottom < height):
            report.fault(where, "[%s] %s lies outside the %dx%d display" % (section, key, width, height))
        areas.append((key, (left, top, right, bottom)))
    return areas


def overlap(a, b):
    return a[0] <= b[2] and b[0] <= a[2] and a[1] <= b[3] and b[1] <= a[3]


def check_terminal(report, path):
    where = os.path.relpath(path, defs.REPO)
    if not check_bytes(report, path):
        return None
    with open(path, "rb") as f:
        data = f.read()
    for key in (b"Aufl\xf6sungX", b"Aufl\xf6sungY"):
        if key not in data:
            report.fault(where, "key %r missing as code page 1252 bytes" % key)
    t = defs.Terminal(path)
    for section, keys in TERMINAL_KEYS.items():
        if section not in t.ini:
            report.fault(where, "section [%s] missing" % section)
            continue
        for key in keys:
            if key not in t.ini[section]:
                report.fault(where, "[%s] %s missing" % (section, key))
        for key, value in t.ini[section].items():
            if '"' in value:
                report.fault(where, "[%s] %s holds a double quote" % (section, key))
    display, memory = t.ini.get("Display", {}), t.ini.get("Memory", {})
    width = int_value(report, where, display, "AuflösungX", 1, INT16_MAX) or 1
    height = int_value(report, where, display, "AuflösungY", 1, INT16_MAX) or 1
    int_value(report, where, display, "Farbtiefe", 1, INT16_MAX)
    if display.get("Graustufen") not in ("0", "1"):
        report.fault(where, "Graustufen must be 0 or 1")
    int_value(report, where, memory, "Work", 1, INT32_MAX)
    int_value(report, where, memory, "Store", 1, INT32_MAX)

    if not TYPE_NUMBER.match(t.type_number):
        report.fault(where, "type number %r is not of the form VT-0A0n-xxxx" % t.type_number)
    elif t.model in ("VT-0A01", "VT-0A02", "VT-0A03") and not t.first_generation:
        # The download compares the whole type number; anything else is served
        # as a second-generation terminal.
        report.fault(where, "%s would not be recognised as first generation; write %s-xxxx"
                     % (t.type_number, t.model))
    if not DOS_NAME.match(t.dos_version):
        report.fault(where, "DOS version %r is no upper-case 8.3 name" % t.dos_version)

    soft = check_areas(report, where, t.ini, "SoftKeyAreas", "F", width, height)
    special = check_areas(report, where, t.ini, "SpecialKeyAreas", "S", width, height)
    wanted = SOFT_KEYS.get(t.model, 0)
    if len(soft) != wanted:
        report.fault(where, "%d soft key areas, the model %s offers %d soft keys"
                     % (len(soft), t.model, wanted))
    areas = soft + special
    for i, (key_a, a) in enumerate(areas):
        for key_b, b in areas[i + 1:]:
            if overlap(a, b):
                report.fault(where, "areas %s and %s overlap" % (key_a, key_b))
    check_bitmap(report, where, defs.TERMINAL_DIR, t.bitmap)
    return t


def check_coupling(report, path):
    where = os.path.relpath(path, defs.REPO)
    if not check_bytes(report, path):
        return None
    k = defs.Coupling(path)
    seen = {}
    for number, line in enumerate(k.lines, 1):
        if len(line) > 255:
            report.fault("%s:%d" % (where, number), "longer than the 255 characters searched")
    for number, line, found in k.hits:
        here = "%s:%d" % (where, number)
        # Every keyword line carries exactly its own keyword at its start; a
        # keyword anywhere else would silently set a second field.
        own = line.lstrip().upper()
        if len(found) != 1 or not own.startswith(found[0]):
            report.fault(here, "keywords %s found in %r" % (", ".join(found), line))
        for keyword in found:
            seen.setdefault(keyword, []).append(number)
    for keyword in defs.COUPLING_KEYWORDS:
        lines = seen.get(keyword, [])
        if len(lines) != 1:
            report.fault(where, "%s appears on %d lines, wanted once" % (keyword, len(lines)))

    for number, line, found in k.hits:
        here = "%s:%d" % (where, number)
        value = defs.after_equals(line)
        keyword = found[0]
        if keyword in ("NAME", "BITMAP", "DOSVERSION", "PFAD") or keyword.startswith("INFO"):
            if line.count('"') != 2:
                report.fault(here, "value must stand between one pair of double quotes")
        if keyword == "ADRESSTYPE" and value.strip().upper() not in ("WORD", "BYTE"):
            report.fault(here, "address type must be WORD or BYTE")
        if keyword == "FORMAT" and value.strip().upper() not in ("INTEL", "SIEMENS"):
            report.fault(here, "address format must be INTEL or SIEMENS")
        if keyword in ("MINADRESS", "MAXADRESS", "MAXBLOCKWORTE",
                       "TIMEOUTMSEKPROT", "TIMEOUTMSEKCHAR"):
            if not value.strip().isdigit():
                report.fault(here, "%s needs a decimal number" % keyword)
        if keyword == "KENNUNG" and not re.fullmatch(r" [A-Z0-9]{3}", value):
            # The run line takes characters 2 to 4 of the untrimmed value.
            report.fault(here, "identifier must be one blank and three characters: %r" % value)

    if not k.name or k.name == "none":
        report.fault(where, "no coupling name")
    for limit, value, label in ((INT16_MAX, k.block_words, "MAXBLOCKWORTE"),
                                (INT16_MAX, k.timeout_protocol, "TIMEOUTMSEKPROT"),
                                (INT16_MAX, k.timeout_char, "TIMEOUTMSEKCHAR")):
        if not 1 <= value <= limit:
            report.fault(where, "%s=%d outside 1..%d" % (label, value, limit))
    if not 0 <= k.min_address <= k.max_address <= INT32_MAX:
        report.fault(where, "address range %d..%d" % (k.min_address, k.max_address))
    if k.address_format == 1 and k.max_address > 65535:
        report.fault(where, "data block addresses end at 255,255 (65535)")
    if not (k.path_value.upper().startswith("RESOURCE\\") and k.path_value.endswith("\\")):
        report.fault(where, "PFAD %r must lie below RESOURCE\\ and end with \\" % k.path_value)
    if not DOS_NAME.match(k.dos_version):
        report.fault(where, "DOS version %r is no upper-case 8.3 name" % k.dos_version)
    check_bitmap(report, where, defs.COUPLING_DIR, k.bitmap)
    return k


def check_unique(report, folder, entries, label, key):
    seen = {}
    for e in entries:
        value = key(e)
        if value in seen:
            report.fault(os.path.relpath(folder, defs.REPO),
                         "%s %r in both %s and %s" % (label, value, seen[value], e.file))
        seen[value] = e.file


def check_pictures_current(report):
    """The shipped pictures are what the generator draws from the files now."""
    expected = {}
    for t in defs.load_terminals():
        expected[os.path.join(defs.TERMINAL_DIR, t.bitmap)] = make_pictures.draw_terminal(t)
    for k in defs.load_couplings():
        expected[os.path.join(defs.COUPLING_DIR, k.bitmap)] = make_pictures.draw_plc(k)
    expected[os.path.join(defs.COUPLING_DIR, "none.bmp")] = make_pictures.draw_plc(None)
    for path, canvas in expected.items():
        if os.path.isfile(path):
            with open(path, "rb") as f:
                if f.read() != canvas.bmp():
                    report.fault(os.path.relpath(path, defs.REPO),
                                 "differs from the generator; run make_pictures.py")


def main():
    report = Report()
    terminals = [t for t in (check_terminal(report, os.path.join(defs.TERMINAL_DIR, n))
                             for n in defs.definition_files(defs.TERMINAL_DIR)) if t]
    couplings = [k for k in (check_coupling(report, os.path.join(defs.COUPLING_DIR, n))
                             for n in defs.definition_files(defs.COUPLING_DIR)) if k]

    where_t = os.path.relpath(defs.TERMINAL_DIR, defs.REPO)
    where_k = os.path.relpath(defs.COUPLING_DIR, defs.REPO)
    for entries, folder in ((terminals, defs.TERMINAL_DIR), (couplings, defs.COUPLING_DIR)):
        check_unique(report, folder, entries, "DOS version", lambda e: e.dos_version)
        check_unique(report, folder, entries, "name", lambda e: e.name)
        check_unique(report, folder, entries, "bitmap", lambda e: e.bitmap.lower())

    if not terminals:
        report.fault(where_t, "no terminal definitions")
    else:
        if terminals[0].first_generation:
            report.fault(where_t, "the fallback (first) terminal %s is first generation"
                         % terminals[0].file)
        if [t.dos_version for t in terminals].count("VTA_2MBM.TRM") != 1:
            report.fault(where_t, "one terminal must carry the default DOS version VTA_2MBM.TRM")
        models = {t.model for t in terminals}
        for model in ("VT-0A05", "VT-0A06", "VT-0A07"):
            if model not in models:
                report.fault(where_t, "no %s terminal" % model)
        if not any(t.first_generation for t in terminals):
            report.fault(where_t, "no first-generation terminal")
        if {t.grey for t in terminals} != {True, False}:
            report.fault(where_t, "want both grey-scale and colour displays")
    if not couplings:
        report.fault(where_k, "no coupling definitions")
    else:
        if {k.address_format for k in couplings} != {0, 1}:
            report.fault(where_k, "want both INTEL and SIEMENS address formats")
        if {k.address_type for k in couplings} != {0, 1}:
            report.fault(where_k, "want both word and byte addressing")
    if not os.path.isfile(os.path.join(defs.COUPLING_DIR, "none.bmp")):
        report.fault(where_k, "none.bmp missing")
    check_pictures_current(report)

    if report.faults:
        for fault in report.faults:
            print(fault)
        print("%d fault(s)" % len(report.faults))
        return 1

    print("Terminals (catalogue order):")
    for t in terminals:
        print("  %-15s %-13s %-13s %4dx%-4d %-6s soft %2d special %d  %s  %s"
              % (t.file, t.dos_version, t.type_number, t.width, t.height,
                 "grey" if t.grey else "colour", len(t.soft_areas), len(t.special_areas),
                 "gen 1" if t.first_generation else "gen 2", t.name))
    print("Couplings (catalogue order):")
    for k in couplings:
        print("  %-13s %-13s %-7s %-4s %-19s %r -> %s  blocks %d, %d/%d ms  %s"
              % (k.file, k.dos_version, ("INTEL", "SIEMENS")[k.address_format],
                 ("WORD", "BYTE")[k.address_type], k.path_value, k.identifier,
                 k.terminal_identifier, k.block_words, k.timeout_protocol, k.timeout_char,
                 k.name))
    print("all definition files fine")
    return 0


if __name__ == "__main__":
    sys.exit(main())
