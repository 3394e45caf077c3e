#!/usr/bin/env python3
"""Seeds for model_fuzzer from real documents: for each .docx, its document, style and numbering
parts and one story part (footnotes, else comments, else endnotes, else a header) behind the
7-byte header the target reads (flags, then three 16-bit lengths).  Header and footer references
are renamed to the ids the target's fixed relationships give them (rIdH, rIdF).  Parts are cut so
that a seed stays within --max-len bytes.
Usage: fuzz/model_seeds.py OUTDIR DOCX_OR_FOLDER... [--max-len 65536]"""
import argparse
import pathlib
import re
import struct
import zipfile


def part(archive, name):
    for info in archive.infolist():
        if info.filename.lower() == name:
            return archive.read(info)
    return b""


def story(archive):
    for name in ("word/footnotes.xml", "word/comments.xml", "word/endnotes.xml", "word/header1.xml"):
        data = part(archive, name)
        if data:
            return data
    return b""


def seed(path, flags, max_len):
    with zipfile.ZipFile(path) as archive:
        document = part(archive, "word/document.xml")
        styles = part(archive, "word/styles.xml")
        numbering = part(archive, "word/numbering.xml")
        notes = story(archive)
    document = re.sub(rb'(<w:headerReference[^>]*r:id=")[^"]*', rb"\1rIdH", document)
    document = re.sub(rb'(<w:footerReference[^>]*r:id=")[^"]*', rb"\1rIdF", document)
    budget = max_len - 7
    notes = notes[: budget // 8]
    numbering = numbering[: budget // 8]
    styles = styles[: budget // 4]
    document = document[: min(65535, budget - len(notes) - len(numbering) - len(styles))]
    header = struct.pack("<BHHH", flags, len(document), len(styles), len(numbering))
    return header + document + styles + numbering + notes


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("outdir")
    parser.add_argument("inputs", nargs="+")
    parser.add_argument("--max-len", type=int, default=65536)
    args = parser.parse_args()
    out = pathlib.Path(args.outdir)
    out.mkdir(parents=True, exist_ok=True)
    documents = []
    for name in args.inputs:
        p = pathlib.Path(name)
        documents += sorted(p.rglob("*.docx")) if p.is_dir() else [p]
    written = 0
    for n, path in enumerate(documents):
        try:
            data = seed(path, n % 2, args.max_len)
        except (zipfile.BadZipFile, OSError):
            continue
        if len(data) <= args.max_len:
            (out / f"{path.parent.name}_{path.stem}").write_bytes(data)
            written += 1
    print(f"{written} seeds in {out}")


if __name__ == "__main__":
    main()
