"""Readers for the installed terminal and coupling definition files.

They follow the program's own loader closely enough that the picture
generator and the check script see the files the way the editor does:
terminal files are ini files in code page 1252, coupling files are scanned
line by line for keywords anywhere in the upper-cased line.
"""

import os

ENCODING = "cp1252"

# Searched in this order; every keyword found in a line is applied.
COUPLING_KEYWORDS = (
    "NAME", "INFO1", "INFO2", "INFO3", "INFO4", "INFO5", "BITMAP", "DOSVERSION",
    "ADRESSTYPE", "MINADRESS", "MAXADRESS", "FORMAT", "MAXBLOCKWORTE",
    "TIMEOUTMSEKPROT", "TIMEOUTMSEKCHAR", "PFAD", "KENNUNG",
)

FIRST_GENERATION_TYPE_NUMBERS = ("VT-0A01-xxxx", "VT-0A02-xxxx", "VT-0A03-xxxx")

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
TERMINAL_DIR = os.path.join(REPO, "data", "system", "Terminals")
COUPLING_DIR = os.path.join(REPO, "data", "system", "kopplungen")


def definition_files(folder):
    """The *.def files of a folder in catalogue order (ascending byte order)."""
    names = [n for n in os.listdir(folder) if n.lower().endswith(".def")]
    return sorted(names, key=lambda n: n.encode(ENCODING))


def upper_1252(text):
    """Upper-case character by character, keeping the length.

    Python would turn 'ß' into 'SS'; the editor's upper-casing never changes
    the length, so a keyword must not appear through such an expansion.
    """
    out = []
    for ch in text:
        up = ch.upper()
        out.append(up if len(up) == 1 else ch)
    return "".join(out)


def read_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    text = data.decode(ENCODING)
    return text.replace("\r\n", "\n").split("\n")


def read_ini(path):
    """Sections of an ini file: {section: {key: value}}, keys as written."""
    sections = {}
    current = None
    for line in read_lines(path):
        line = line.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key.strip()] = value.strip()
    return sections


def parse_area(text):
    left, top, right, bottom = (int(v) for v in text.split(","))
    return left, top, right, bottom


class Terminal:
    def __init__(self, path):
        self.path = path
        self.file = os.path.basename(path)
        ini = read_ini(path)
        self.ini = ini
        head = ini.get("Kopf", {})
        display = ini.get("Display", {})
        self.name = head.get("Terminalname", "")
        self.bitmap = head.get("Bitmap", "")
        self.type_number = head.get("Typnummer", "")
        self.dos_version = head.get("DOSVersion", "")
        self.width = int(display.get("AuflösungX", "640"))
        self.height = int(display.get("AuflösungY", "480"))
        self.colour_depth = int(display.get("Farbtiefe", "16"))
        self.grey = display.get("Graustufen", "0") == "1"
        self.soft_areas = self._areas("SoftKeyAreas", "F")
        self.special_areas = self._areas("SpecialKeyAreas", "S")

    def _areas(self, section, letter):
        values = self.ini.get(section, {})
        count = int(values.get("Count", "0"))
        return [parse_area(values.get("%s%02d" % (letter, i), "0,0,5,25"))
                for i in range(1, count + 1)]

    @property
    def first_generation(self):
        return self.type_number in FIRST_GENERATION_TYPE_NUMBERS

    @property
    def model(self):
        return self.type_number[:7]


def quoted(line):
    """The text between the first double quote and the next one."""
    start = line.find('"')
    if start < 0:
        return ""
    end = line.find('"', start + 1)
    return line[start + 1:] if end < 0 else line[start + 1:end]


def after_equals(line):
    pos = line.find("=")
    return "" if pos < 0 else line[pos + 1:]


class Coupling:
    """A coupling definition as the keyword scan reads it.

    `hits` lists, per line number, the keywords found in that line, so the
    check script can tell an intended keyword from an accidental one.
    """

    def __init__(self, path):
        self.path = path
        self.file = os.path.basename(path)
        self.name = "none"
        self.info = [""] * 5
        self.bitmap = "NONE.BMP"
        self.dos_version = ""
        self.address_type = 0
        self.address_format = 0
        self.min_address = 0
        self.max_address = 2147483647
        self.block_words = 5
        self.timeout_protocol = 2000
        self.timeout_char = 200
        self.path_value = ""
        self.identifier = ""
        self.hits = []
        self.lines = read_lines(path)
        for number, line in enumerate(self.lines, 1):
            up = upper_1252(line[:255])
            found = [k for k in COUPLING_KEYWORDS if k in up]
            if found:
                self.hits.append((number, line, found))
            for keyword in found:
                self._apply(keyword, line)

    def _apply(self, keyword, line):
        if keyword == "NAME":
            self.name = quoted(line)
        elif keyword.startswith("INFO"):
            self.info[int(keyword[4]) - 1] = quoted(line)
        elif keyword == "BITMAP":
            self.bitmap = quoted(line)
        elif keyword == "DOSVERSION":
            self.dos_version = quoted(line)
        elif keyword == "ADRESSTYPE":
            value = upper_1252(after_equals(line))
            if "WORD" in value:
                self.address_type = 0
            elif "BYTE" in value:
                self.address_type = 1
        elif keyword == "FORMAT":
            value = upper_1252(after_equals(line))
            if "INTEL" in value:
                self.address_format = 0
            elif "SIEMENS" in value:
                self.address_format = 1
        elif keyword == "MINADRESS":
            self.min_address = round(float(after_equals(line)))
        elif keyword == "MAXADRESS":
            self.max_address = round(float(after_equals(line)))
        elif keyword == "MAXBLOCKWORTE":
            self.block_words = round(float(after_equals(line)))
        elif keyword == "TIMEOUTMSEKPROT":
            self.timeout_protocol = round(float(after_equals(line)))
        elif keyword == "TIMEOUTMSEKCHAR":
            self.timeout_char = round(float(after_equals(line)))
        elif keyword == "PFAD":
            self.path_value = quoted(after_equals(line))
        elif keyword == "KENNUNG":
            self.identifier = after_equals(line)

    @property
    def terminal_identifier(self):
        """Characters 2 to 4 of the identifier: what the run file sends."""
        return self.identifier[1:4]


def load_terminals():
    return [Terminal(os.path.join(TERMINAL_DIR, n)) for n in definition_files(TERMINAL_DIR)]


def load_couplings():
    return [Coupling(os.path.join(COUPLING_DIR, n)) for n in definition_files(COUPLING_DIR)]
