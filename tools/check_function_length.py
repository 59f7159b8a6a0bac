#!/usr/bin/env python3
"""Fails when a function in the given folders is longer than the limit.

The sources are read with a small scanner rather than a compiler: comments,
string and character literals and preprocessor lines are blanked out, then
braces are matched. A brace opens a function body when the text before it at
namespace or class level ends like a function head (a closing parenthesis,
possibly followed by qualifiers, a trailing return type or a constructor's
initialiser list); namespaces, classes, enums and data initialisers are not
functions. A function's length is counted from the line of its opening brace
to the line of its closing brace, both included.

Usage: check_function_length.py [--limit N] [--report K] DIR_OR_FILE...
"""

import argparse
import pathlib
import re
import sys

SOURCE_SUFFIXES = {".cpp", ".h", ".hpp", ".cc"}
CONTAINER_HEAD = re.compile(
    r"^(?:template\s*<.*>\s*)?(?:(?:inline\s+)?namespace\b|class\b|struct\b|union\b|enum\b|"
    r'extern\s+"[^"]*")',
    re.S,
)
QUALIFIERS = re.compile(
    r"(?:\s*(?:const|volatile|noexcept(?:\s*\([^()]*\))?|override|final|mutable|&&|&|"
    r"->\s*[\w:<>,\s*&]+))*\s*$"
)
CONSTRUCTOR_INIT = re.compile(r"\)\s*(?:noexcept\s*)?:(?!:)")


def blank_out(text):
    """Returns the text with comments, literals and preprocessor lines replaced
    by spaces, keeping every newline so line numbers stay right."""
    out = []
    i = 0
    n = len(text)
    at_line_start = True
    while i < n:
        c = text[i]
        if at_line_start and c == "#":
            # A preprocessor line, with its continuations.
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    out.append(" \n")
                    i += 2
                    continue
                out.append(" ")
                i += 1
            continue
        if c == "\n":
            out.append(c)
            at_line_start = True
            i += 1
            continue
        if c in " \t\r":
            out.append(c)
            i += 1
            continue
        at_line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out.append(" ")
                i += 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
            continue
        raw = re.match(r'(?:u8|u|U|L)?R"([^(\s]*)\(', text[i:i + 24])
        if raw and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            closing = ")" + raw.group(1) + '"'
            end = text.find(closing, i + raw.end())
            end = n if end < 0 else end + len(closing)
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
            continue
        if c in "\"'":
            # A digit separator (1'000'000) is not a character literal.
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                out.append(" ")
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + (c if j < n else ""))
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out)


def is_function_head(prefix):
    head = prefix.strip()
    if not head:
        return False
    if CONSTRUCTOR_INIT.search(head) and head[-1] in ")}":
        return True
    return bool(re.search(r"\)" + QUALIFIERS.pattern, head)) and "=" not in head.split("(")[0]


def function_name(prefix):
    head = " ".join(prefix.split())
    paren = head.find("(")
    if paren < 0:
        return head[-60:]
    words = re.findall(r"[\w:~<>]+|operator\s*\S+", head[:paren])
    return words[-1] if words else head[:paren][-60:]


def functions(text):
    """Yields (name, first line, length in lines) for every function body."""
    code = blank_out(text)
    line_of = []
    line = 1
    for ch in code:
        line_of.append(line)
        if ch == "\n":
            line += 1

    def skip_braces(start):
        depth = 0
        for k in range(start, len(code)):
            if code[k] == "{":
                depth += 1
            elif code[k] == "}":
                depth -= 1
                if depth == 0:
                    return k
        return len(code) - 1

    def scan(start, end):
        prefix_start = start
        k = start
        while k < end:
            ch = code[k]
            if ch == ";":
                prefix_start = k + 1
            elif ch == "}":
                prefix_start = k + 1
            elif ch == "{":
                prefix = code[prefix_start:k]
                close = skip_braces(k)
                if CONTAINER_HEAD.match(prefix.strip()) and "(" not in prefix:
                    yield from scan(k + 1, close)
                    prefix_start = close + 1
                elif is_function_head(prefix):
                    yield function_name(prefix), line_of[k], line_of[close] - line_of[k] + 1
                    prefix_start = close + 1
                # Otherwise a data initialiser: its braces belong to the
                # declaration, which goes on to the next semicolon.
                k = close
            k += 1

    yield from scan(0, len(code))


def source_files(paths):
    for path in map(pathlib.Path, paths):
        if path.is_dir():
            yield from sorted(p for p in path.rglob("*") if p.suffix in SOURCE_SUFFIXES)
        else:
            yield path


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--limit", type=int, default=80)
    parser.add_argument("--report", type=int, default=0, help="also list the K longest")
    parser.add_argument("paths", nargs="+")
    args = parser.parse_args()

    found = []
    for path in source_files(args.paths):
        text = path.read_text(encoding="utf-8", errors="replace")
        for name, line, length in functions(text):
            found.append((length, f"{path}:{line}", name))
    found.sort(reverse=True)

    for length, where, name in found[: args.report]:
        print(f"{length:5} {where} {name}")
    too_long = [f for f in found if f[0] > args.limit]
    for length, where, name in too_long:
        print(f"{where}: {name} is {length} lines long (limit {args.limit})", file=sys.stderr)
    if not found:
        print("no functions found: wrong folder?", file=sys.stderr)
        return 1
    return 1 if too_long else 0


if __name__ == "__main__":
    sys.exit(main())
