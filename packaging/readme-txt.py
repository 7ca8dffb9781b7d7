#!/usr/bin/env python3
"""Writes the release's README.txt from the parts of README.md meant for Windows users.

    readme-txt.py README.md VERSION > README.txt

The parts are the lines between "<!-- README.txt begin -->" and "<!-- README.txt end -->".
Markdown becomes plain text that Notepad shows well: ASCII only, CRLF line ends, headings
underlined, tables in aligned columns, no backticks, no emphasis, links with their address,
pictures left out. Code blocks (indented) stay as they are.
"""
import re
import sys

BEGIN = "<!-- README.txt begin -->"
END = "<!-- README.txt end -->"
# Typography that old Notepads show wrongly in UTF-8 without a byte-order mark.
ASCII_FOR = {"\u2014": "--", "\u2013": "-", "\u2019": "'", "\u2018": "'", "\u201c": '"',
             "\u201d": '"', "\u00d7": "x", "\u2192": "->", "\u2026": "...", "\u00a0": " "}


def selected_lines(markdown):
    lines, inside = [], False
    for number, line in enumerate(markdown.splitlines(), 1):
        if line.strip() == BEGIN:
            if inside:
                sys.exit(f"readme-txt: line {number}: {BEGIN} inside another")
            inside = True
        elif line.strip() == END:
            if not inside:
                sys.exit(f"readme-txt: line {number}: {END} without a begin")
            inside = False
            lines.append("")
        elif inside:
            lines.append(line)
    if inside:
        sys.exit(f"readme-txt: {BEGIN} without an end")
    if not lines:
        sys.exit(f"readme-txt: no {BEGIN} ... {END} part in the README")
    return lines


def inline(text):
    text = re.sub(r"!\[[^\]]*\]\([^)]*\)", "", text)  # pictures
    text = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", r"\1 (\2)", text)  # links
    text = re.sub(r"\*\*([^*]+)\*\*", r"\1", text)
    text = re.sub(r"(?<![\w*])\*([^*\s][^*]*)\*(?![\w*])", r"\1", text)
    return text.replace("`", "")


def table(rows):
    cells = [[inline(c.strip()) for c in row.strip().strip("|").split("|")] for row in rows]
    cells = [r for r in cells if not all(re.fullmatch(r":?-+:?", c) for c in r)]
    widths = [max(len(r[i]) for r in cells if i < len(r)) for i in range(len(cells[0]))]
    out = ["  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip() for r in cells]
    out.insert(1, "  ".join("-" * w for w in widths))
    return out


def convert(lines, version):
    title = f"Plaxor {version} for Windows x64"
    out = [title, "=" * len(title), ""]
    i = 0
    while i < len(lines):
        line = lines[i]
        heading = re.match(r"(#+)\s+(.*)", line)
        if line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append(lines[i])
                i += 1
            out += table(rows)
            continue
        if heading:
            text = inline(heading.group(2))
            out += [text, ("-" if len(heading.group(1)) <= 2 else "~") * len(text)]
        elif line.startswith("    "):
            out.append(line.rstrip())  # code stays exactly as written
        else:
            out.append(inline(line).rstrip())
        i += 1
    # One blank line at most between blocks, none at the end.
    text = re.sub(r"\n{3,}", "\n\n", "\n".join(out)).strip("\n") + "\n"
    for wide, narrow in ASCII_FOR.items():
        text = text.replace(wide, narrow)
    for number, line in enumerate(text.splitlines(), 1):
        if not line.isascii():
            sys.exit(f"readme-txt: README.txt line {number} is not ASCII: {line}")
    return text.replace("\n", "\r\n")


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: readme-txt.py README.md VERSION > README.txt")
    with open(sys.argv[1], encoding="utf-8") as f:
        markdown = f.read()
    sys.stdout.buffer.write(convert(selected_lines(markdown), sys.argv[2]).encode("ascii"))


if __name__ == "__main__":
    main()
