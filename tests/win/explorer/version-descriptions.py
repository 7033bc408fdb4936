#!/usr/bin/python3
"""Writes the "FileDescription" of every program and library in a folder of
Windows binaries, read with pefile (Debian package python3-pefile): a second
reader of version resources against which the info tips are checked.

Usage: version-descriptions.py FOLDER OUTPUT.tsv
Each line: file name, TAB, the description of the first language and code
page of the file's translation list (empty when there is none), in code
page 1252. Files whose description does not fit that code page are left out.
"""
import os
import sys

import pefile


def description(path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    tables = {}
    translation = None
    for info in getattr(pe, "FileInfo", []) or []:
        for entry in info:
            if entry.Key == b"StringFileInfo":
                for table in entry.StringTable:
                    tables[table.LangID.upper()] = table.entries
            elif entry.Key == b"VarFileInfo":
                for var in entry.Var:
                    pairs = var.entry.get(b"Translation")
                    if translation is None and pairs:
                        lang, cp = pairs.split()[:2]
                        translation = ("%04X%04X" % (int(lang, 16), int(cp, 16))).encode()
    pe.close()
    if translation is None:
        return ""
    value = tables.get(translation, {}).get(b"FileDescription", b"")
    return value.decode("utf-8").split("\0")[0]


def main():
    folder, output = sys.argv[1], sys.argv[2]
    lines = []
    for name in sorted(os.listdir(folder)):
        if not name.lower().endswith((".dll", ".exe")):
            continue
        try:
            text = description(os.path.join(folder, name))
            lines.append(name.encode("cp1252") + b"\t" + text.encode("cp1252") + b"\n")
        except (pefile.PEFormatError, UnicodeError):
            continue
    with open(output, "wb") as out:
        out.writelines(lines)


if __name__ == "__main__":
    main()
