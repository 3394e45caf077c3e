#!/usr/bin/env python3
"""Page counts of the page view against the count Word stored in each document.

Word writes the number of pages it last laid out into docProps/app.xml (<Pages>).  For every
document Word saved (its <Application> names Word) that carries one, this opens the document in the window's page view (bench/pages_timing)
and, when given a folder of LibreOffice PDFs of the same documents, counts their pages too; it
prints one row per document and how many land within one page of Word's count.

Usage: page_counts.py PAGES_TIMING RESOURCES_DIR [--pdfs DIR] [--out FILE.tsv] FOLDER...
The PDFs are found by file name below DIR: STEM.pdf or FOLDER_STEM.pdf for FOLDER/STEM.docx;
counting their pages needs PyMuPDF (Debian: python3-fitz, for /usr/bin/python3).
"""
import argparse
import os
import re
import subprocess
import sys
import zipfile


def word_pages(docx):
    """Word's stored page count, or None when the document has none (or is not a zip)."""
    try:
        with zipfile.ZipFile(docx) as z:
            if 'docProps/app.xml' not in z.namelist():
                return None
            app = z.read('docProps/app.xml').decode('utf-8', 'replace')
    except (zipfile.BadZipFile, OSError):
        return None
    saved_by = re.search(r'<(?:\w+:)?Application>([^<]*)<', app)
    if not saved_by or 'Word' not in saved_by.group(1):
        return None  # other programs write a page count of their own layout, or a placeholder
    m = re.search(r'<(?:\w+:)?Pages>\s*(\d+)\s*</(?:\w+:)?Pages>', app)
    return int(m.group(1)) if m else None


def our_pages(timing, resources, docx):
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen', QTWEBENGINE_DISABLE_SANDBOX='1')
    try:
        out = subprocess.run([timing, resources, docx], env=env, capture_output=True, text=True,
                             timeout=400).stdout
    except subprocess.TimeoutExpired:
        return None
    m = re.search(r'^pages (\d+)$', out, re.M)
    return int(m.group(1)) if m else None


def pdf_index(folder):
    found = {}
    for root, _, files in os.walk(folder or ''):
        for f in files:
            if f.endswith('.pdf'):
                found[f[:-4]] = os.path.join(root, f)
    return found


def pdf_pages(index, folder, stem):
    """Pages of the PDF named STEM.pdf or FOLDER_STEM.pdf (FOLDER: the document's own folder)."""
    import fitz  # PyMuPDF, only needed with --pdfs
    path = index.get(folder + '_' + stem) or index.get(stem)
    if path is None:
        return None
    with fitz.open(path) as pdf:
        return pdf.page_count


def near(count, reference):
    return count is not None and abs(count - reference) <= 1


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('timing')
    ap.add_argument('resources')
    ap.add_argument('folders', nargs='+')
    ap.add_argument('--pdfs')
    ap.add_argument('--out')
    a = ap.parse_args()
    index = pdf_index(a.pdfs) if a.pdfs else {}
    rows = []
    for folder in a.folders:
        for root, _, files in os.walk(folder):
            for f in sorted(files):
                if not f.endswith('.docx'):
                    continue
                path = os.path.join(root, f)
                word = word_pages(path)
                if word is None or word == 0:
                    continue
                ours = our_pages(a.timing, a.resources, path)
                lo = pdf_pages(index, os.path.basename(root), f[:-5]) if a.pdfs else None
                rows.append((f[:-5], word, ours, lo))
                print(f'{f[:-5]}\t{word}\t{ours}\t{lo}', flush=True)
    if a.out:
        with open(a.out, 'w') as out:
            out.write('document\tword\tours\tlibreoffice\n')
            for r in rows:
                out.write('\t'.join(str(x) for x in r) + '\n')
    n = len(rows)
    ours_near = sum(near(o, w) for _, w, o, _ in rows)
    ours_same = sum(o == w for _, w, o, _ in rows)
    print(f'documents with a stored page count: {n}')
    print(f'page view: within one page {ours_near}, equal {ours_same}')
    if a.pdfs:
        lo_near = sum(near(lo, w) for _, w, _, lo in rows)
        lo_same = sum(lo == w for _, w, _, lo in rows)
        print(f'LibreOffice PDF: within one page {lo_near}, equal {lo_same}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
