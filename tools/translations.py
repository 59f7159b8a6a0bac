#!/usr/bin/env python3
"""The program's interface texts and their English translation.

The texts are written in the sources in Russian. This tool collects every
string literal with Russian letters from src/ (comments and the files listed
in NOT_SHOWN aside) and compares them with translations/trasolan_en.ts.

  tools/translations.py check    lists, by file and line, every text without
                                 a finished English translation, every
                                 translation whose %1 markers or edge spaces
                                 differ from its text, and every Russian text
                                 of a window that bypasses Text(); exit 1 when
                                 anything is listed
  tools/translations.py update   adds new texts to trasolan_en.ts (marked
                                 unfinished, to be translated there, by hand or
                                 in Qt Linguist), marks texts gone from the
                                 sources vanished, and rewrites
                                 translations/message-pieces.txt

A text concatenated from pieces ("Карта из " + n + " узлов") is collected as
its pieces; the window translates a message of the Qt-free core piece by
piece (MessageText in src/guibase/Text.h), which is what message-pieces.txt
lists the pieces for.
"""

import argparse
import re
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path
from xml.sax.saxutils import escape

CONTEXT = "Trasolan"
TS_FILE = "translations/trasolan_en.ts"
PIECES_FILE = "translations/message-pieces.txt"

# Files whose Russian texts are never shown by the window: the command-line
# tool (a terminal program of its own), the profiler's report (a file that
# keeps its wording) and the code page tables.
NOT_SHOWN_FILES = (
    "src/app/cli/",
    "src/profiler/ProfilerReport.cpp",
    "src/core/TextEncoding.cpp",
    "src/core/TextEncoding.h",
)
# Single texts that are data, not interface: the name an unnamed town of an
# OpenStreetMap extract gets in the map file, and the Russian column names
# and answers a city list may use.
NOT_SHOWN_TEXTS = {
    ("src/io/OsmTowns.cpp", "Без названия (OSM "),
} | {("src/io/CsvCityList.cpp", word) for word in (
    "название", "имя", "наименование", "долгота", "широта", "город", "выделен", "номер", "да",
    "нет")} | {("src/io/CsvRoadList.cpp", word) for word in ("откуда", "куда")}

# The layers with windows: a Russian text there must reach Qt through Text().
WINDOW_LAYERS = ("src/guibase/", "src/widgets/", "src/extras/", "src/ui/", "src/app/")
BYPASSES = ("QStringLiteral(", "QString::fromUtf8(", "QLatin1String(", "QLatin1StringView(",
            "QString(")

# XML readers turn a carriage return into a line feed unless it is written
# as a character reference.
CONTROLS = {"\r": "&#13;"}
RUSSIAN = re.compile("[\u0400-\u04FF]")
MARKER = re.compile(r"%\d+")
# Pieces shorter than this are translated only as whole texts: replacing
# them inside longer messages would do more harm than good.
SHORTEST_PIECE = 3


class Literal:
    def __init__(self, text, path, line, before):
        self.text = text
        self.path = path
        self.line = line
        self.before = before  # the code just before the literal


ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "0": "\0", "\\": "\\", '"': '"', "'": "'",
           "a": "\a", "b": "\b", "f": "\f", "v": "\v", "?": "?"}


def unescape(body):
    out = []
    i = 0
    while i < len(body):
        c = body[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        n = body[i + 1]
        if n == "x":
            digits = re.match(r"[0-9a-fA-F]+", body[i + 2:]).group(0)
            out.append(chr(int(digits, 16)))
            i += 2 + len(digits)
        elif n in "uU":
            width = 4 if n == "u" else 8
            out.append(chr(int(body[i + 2:i + 2 + width], 16)))
            i += 2 + width
        elif n in "01234567":
            digits = re.match(r"[0-7]{1,3}", body[i + 1:]).group(0)
            out.append(chr(int(digits, 8)))
            i += 1 + len(digits)
        else:
            out.append(ESCAPES.get(n, n))
            i += 2
    return "".join(out)


def char_literal_starts(source, i):
    """A quote after a digit is a digit separator (1'000), after u, U, L or
    u8 (and nothing else of a name) a character literal's prefix."""
    start = i
    while start > 0 and (source[start - 1].isalnum() or source[start - 1] == "_"):
        start -= 1
    return source[start:i] in ("", "u", "U", "L", "u8")


def string_literals(source, path):
    """The string literals of a C++ source, adjacent ones joined, with the
    line each starts on and the code before it."""
    literals = []
    i = 0
    line = 1
    code_since = 0  # start of the code after the last literal
    joinable = False
    size = len(source)
    while i < size:
        c = source[i]
        if c == "\n":
            line += 1
            i += 1
        elif source.startswith("//", i):
            end = source.find("\n", i)
            i = size if end < 0 else end
        elif source.startswith("/*", i):
            end = source.find("*/", i + 2)
            end = size if end < 0 else end + 2
            line += source.count("\n", i, end)
            i = end
        elif c == "'" and char_literal_starts(source, i):
            j = i + 1
            while j < size and source[j] != "'":
                j += 2 if source[j] == "\\" else 1
            i = j + 1
            joinable = False
        elif c == '"' or (c == "R" and source.startswith('R"', i)):
            prefix_start = i
            while prefix_start > 0 and source[prefix_start - 1] in "u8LUR":
                prefix_start -= 1
            raw = source[prefix_start:i + 1].endswith('R"') or c == "R"
            start_line = line
            if raw:
                open_quote = source.index('"', i)
                delimiter = source[open_quote + 1:source.index("(", open_quote)]
                close = ")" + delimiter + '"'
                body_start = source.index("(", open_quote) + 1
                end = source.index(close, body_start)
                text = source[body_start:end]
                i = end + len(close)
            else:
                j = i + 1
                while source[j] != '"':
                    j += 2 if source[j] == "\\" else 1
                text = unescape(source[i + 1:j])
                i = j + 1
            line += source.count("\n", prefix_start, i)
            if joinable and literals:
                literals[-1].text += text
            else:
                before = source[code_since:prefix_start]
                literals.append(Literal(text, path, start_line, before))
            joinable = True
            code_since = i
        else:
            if not c.isspace():
                joinable = False
            i += 1
    return literals


def collect(root):
    """Every Russian text of src/ that the program may show."""
    found = []
    for path in sorted((root / "src").rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        relative = path.relative_to(root).as_posix()
        if relative.startswith(NOT_SHOWN_FILES):
            continue
        source = path.read_text(encoding="utf-8")
        for literal in string_literals(source, relative):
            if RUSSIAN.search(literal.text) and (relative, literal.text) not in NOT_SHOWN_TEXTS:
                found.append(literal)
    return found


def read_ts(path):
    """source -> (translation, type) of the translation file."""
    entries = {}
    if not path.exists():
        return entries
    for message in ElementTree.parse(path).getroot().iter("message"):
        source = message.findtext("source") or ""
        translation = message.find("translation")
        text = translation.text or "" if translation is not None else ""
        kind = translation.get("type", "") if translation is not None else "unfinished"
        entries[source] = (text, kind)
    return entries


def write_ts(path, literals, entries):
    by_text = {}
    for literal in literals:
        by_text.setdefault(literal.text, []).append(literal.path)
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
             '<TS version="2.1" language="en" sourcelanguage="ru">', "<context>",
             "    <name>%s</name>" % CONTEXT]

    def message(text, files, translation, kind):
        lines.append("    <message>")
        for file in sorted(set(files)):
            lines.append('        <location filename="../%s"/>' % escape(file, {'"': "&quot;"}))
        lines.append("        <source>%s</source>" % escape(text, CONTROLS))
        attribute = ' type="%s"' % kind if kind else ""
        lines.append("        <translation%s>%s</translation>" % (attribute,
                                                             escape(translation, CONTROLS)))
        lines.append("    </message>")

    for text, files in by_text.items():
        translation, kind = entries.get(text, ("", "unfinished"))
        if kind in ("vanished", "obsolete"):
            kind = "unfinished" if not translation else ""
        message(text, files, translation, kind)
    for text, (translation, kind) in entries.items():
        if text not in by_text and translation:
            message(text, [], translation, "vanished")
    lines += ["</context>", "</TS>", ""]
    path.write_text("\n".join(lines), encoding="utf-8")


def pieces_text(literals):
    pieces = sorted({literal.text for literal in literals if len(literal.text) >= SHORTEST_PIECE})
    def escaped(piece):
        return piece.replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t")

    return "".join(escaped(piece) + "\n" for piece in pieces)


def edges(text):
    return (text[:1].isspace(), text[-1:].isspace())


def problems(root, literals, entries):
    """Readable lines naming what is missing or wrong, by file and line."""
    untranslated, mismatched, bypassing = [], [], []
    seen = set()
    for literal in literals:
        where = "  %s:%d  «%s»" % (literal.path, literal.line, literal.text.replace("\n", "\\n"))
        if literal.path.startswith(WINDOW_LAYERS) and literal.before.rstrip().endswith(BYPASSES):
            bypassing.append(where)
        if literal.text in seen:
            continue
        seen.add(literal.text)
        translation, kind = entries.get(literal.text, ("", "unfinished"))
        if kind or not translation:
            untranslated.append(where)
        elif sorted(MARKER.findall(translation)) != sorted(MARKER.findall(literal.text)):
            mismatched.append(where + "  →  «%s»: %%-markers differ" % translation)
        elif edges(translation) != edges(literal.text):
            mismatched.append(where + "  →  «%s»: spaces at the edges differ" % translation)
    report = []
    if untranslated:
        report += ["Texts without an English translation (%d):" % len(untranslated)] + untranslated
    if mismatched:
        report += ["Translations that do not fit their text (%d):" % len(mismatched)] + mismatched
    if bypassing:
        report += ["Russian texts of windows that bypass Text() (%d):" % len(bypassing)] + bypassing
    pieces = root / PIECES_FILE
    if not pieces.exists() or pieces.read_text(encoding="utf-8") != pieces_text(literals):
        report.append("%s is out of date." % PIECES_FILE)
    if report:
        report.append("Run tools/translations.py update, translate the texts marked unfinished "
                      "in %s, and check again." % TS_FILE)
    return report


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("command", choices=("check", "update"))
    parser.add_argument("--root", type=Path, default=Path(__file__).resolve().parent.parent,
                        help="the project's folder (default: the one this tool is in)")
    arguments = parser.parse_args()
    root = arguments.root
    literals = collect(root)
    entries = read_ts(root / TS_FILE)
    if arguments.command == "update":
        write_ts(root / TS_FILE, literals, entries)
        (root / PIECES_FILE).write_text(pieces_text(literals), encoding="utf-8")
        entries = read_ts(root / TS_FILE)
    report = problems(root, literals, entries)
    if report:
        print("\n".join(report))
        return 1 if arguments.command == "check" else 0
    print("Every text has its English translation (%d texts)." % len({l.text for l in literals}))
    return 0


if __name__ == "__main__":
    sys.exit(main())
