#!/usr/bin/env python3
"""Writes the example documents bundled with the viewer (standard library only).

    make_examples.py OUTPUT_FOLDER

Three .docx packages are written from WordprocessingML built here: "Welcome.docx" (headings,
styled runs, lists, a table with merged and shaded cells, an image, a table of contents with
internal links, an external link, a drop cap and tab stops), "Report.docx" (a long report of
some sixty pages) and "Пример.docx" (a document in Russian).  The output is the same on every run.
"""

import random
import struct
import sys
import zipfile
import zlib
from pathlib import Path
from xml.sax.saxutils import escape

W_NS = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
R_NS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
WP_NS = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"
A_NS = "http://schemas.openxmlformats.org/drawingml/2006/main"
PIC_NS = "http://schemas.openxmlformats.org/drawingml/2006/picture"
REL_BASE = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
CORE_REL = "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties"
XML_HEAD = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n'
FIXED_TIME = (2024, 5, 1, 12, 0, 0)  # every entry gets the same time: reproducible packages

BULLET_LIST = 1
NUMBERED_LIST = 2


# --- runs and paragraphs -------------------------------------------------------------------

def run(text, bold=False, italic=False, underline=False, strike=False, colour=None,
        highlight=None, size=None, font=None, style=None, caps=False):
    props = ""
    if style:
        props += f'<w:rStyle w:val="{style}"/>'
    if font:
        props += f'<w:rFonts w:ascii="{font}" w:hAnsi="{font}" w:cs="{font}"/>'
    if bold:
        props += "<w:b/>"
    if italic:
        props += "<w:i/>"
    if caps:
        props += "<w:caps/>"
    if strike:
        props += "<w:strike/>"
    if colour:
        props += f'<w:color w:val="{colour}"/>'
    if size:
        props += f'<w:sz w:val="{size}"/><w:szCs w:val="{size}"/>'
    if highlight:
        props += f'<w:highlight w:val="{highlight}"/>'
    if underline:
        props += '<w:u w:val="single"/>'
    rpr = f"<w:rPr>{props}</w:rPr>" if props else ""
    return f'<w:r>{rpr}<w:t xml:space="preserve">{escape(text)}</w:t></w:r>'


def tab_run():
    return "<w:r><w:tab/></w:r>"


def page_break():
    return '<w:p><w:r><w:br w:type="page"/></w:r></w:p>'


def paragraph(*runs, style=None, align=None, numbering=None, spacing_after=None, tabs=None,
              frame=None, indent=None):
    props = ""
    if style:
        props += f'<w:pStyle w:val="{style}"/>'
    if frame:
        props += frame
    if numbering:
        num_id, level = numbering
        props += f'<w:numPr><w:ilvl w:val="{level}"/><w:numId w:val="{num_id}"/></w:numPr>'
    if tabs:
        props += "<w:tabs>" + "".join(
            f'<w:tab w:val="{kind}" w:leader="{leader}" w:pos="{pos}"/>' for kind, leader, pos in tabs
        ) + "</w:tabs>"
    if spacing_after is not None:
        props += f'<w:spacing w:after="{spacing_after}"/>'
    if indent:
        props += f'<w:ind w:left="{indent}"/>'
    if align:
        props += f'<w:jc w:val="{align}"/>'
    ppr = f"<w:pPr>{props}</w:pPr>" if props else ""
    return f"<w:p>{ppr}{''.join(runs)}</w:p>"


def plain(text, **kwargs):
    return paragraph(run(text), **kwargs)


class Bookmarks:
    """Headings carry bookmarks "_Toc1", "_Toc2", ... that the table of contents links to."""

    def __init__(self):
        self.entries = []  # (level, text, name)

    def heading(self, text, level=1):
        number = len(self.entries) + 1
        name = f"_Toc{100 + number}"
        self.entries.append((level, text, name))
        return paragraph(
            f'<w:bookmarkStart w:id="{number}" w:name="{name}"/>', run(text),
            f'<w:bookmarkEnd w:id="{number}"/>', style=f"Heading{level}")


def table_of_contents(entries, page_of):
    """A TOC field whose entries are internal links with PAGEREF fields for the page numbers."""
    paragraphs = []
    for index, (level, text, name) in enumerate(entries):
        start = ""
        if index == 0:
            start = ('<w:r><w:fldChar w:fldCharType="begin"/></w:r>'
                     '<w:r><w:instrText xml:space="preserve"> TOC \\o "1-2" \\h \\z \\u </w:instrText></w:r>'
                     '<w:r><w:fldChar w:fldCharType="separate"/></w:r>')
        link = (f'<w:hyperlink w:anchor="{name}" w:history="1">'
                f'<w:r><w:rPr><w:rStyle w:val="Hyperlink"/></w:rPr><w:t xml:space="preserve">{escape(text)}</w:t></w:r>'
                '<w:r><w:tab/></w:r>'
                '<w:r><w:fldChar w:fldCharType="begin"/></w:r>'
                f'<w:r><w:instrText xml:space="preserve"> PAGEREF {name} \\h </w:instrText></w:r>'
                '<w:r><w:fldChar w:fldCharType="separate"/></w:r>'
                f'<w:r><w:t>{page_of(index)}</w:t></w:r>'
                '<w:r><w:fldChar w:fldCharType="end"/></w:r>'
                '</w:hyperlink>')
        end = '<w:r><w:fldChar w:fldCharType="end"/></w:r>' if index == len(entries) - 1 else ""
        paragraphs.append(paragraph(start + link + end, style=f"TOC{level}",
                                    tabs=[("right", "dot", 9350)]))
    return "".join(paragraphs)


# --- tables --------------------------------------------------------------------------------

def cell(content, width, span=1, vmerge=None, fill=None, bold=False, align=None):
    props = f'<w:tcW w:w="{width}" w:type="dxa"/>'
    if span > 1:
        props += f'<w:gridSpan w:val="{span}"/>'
    if vmerge == "restart":
        props += '<w:vMerge w:val="restart"/>'
    elif vmerge == "continue":
        props += "<w:vMerge/>"
    if fill:
        props += f'<w:shd w:val="clear" w:color="auto" w:fill="{fill}"/>'
    body = paragraph(run(content, bold=bold), align=align) if content is not None else "<w:p/>"
    return f"<w:tc><w:tcPr>{props}</w:tcPr>{body}</w:tc>"


def table(grid, rows, style="TableGrid"):
    borders = "".join(
        f'<w:{side} w:val="single" w:sz="4" w:space="0" w:color="7F9A9F"/>'
        for side in ("top", "left", "bottom", "right", "insideH", "insideV"))
    head = (f'<w:tblPr><w:tblStyle w:val="{style}"/><w:tblW w:w="{sum(grid)}" w:type="dxa"/>'
            f"<w:tblBorders>{borders}</w:tblBorders></w:tblPr>"
            "<w:tblGrid>" + "".join(f'<w:gridCol w:w="{w}"/>' for w in grid) + "</w:tblGrid>")
    return "<w:tbl>" + head + "".join(f"<w:tr>{''.join(r)}</w:tr>" for r in rows) + "</w:tbl>"


# --- images --------------------------------------------------------------------------------

def png_bytes(width, height, pixel):
    """An 8-bit RGB PNG; pixel(x, y) gives (r, g, b)."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw.extend(pixel(x, y))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def banner_pixel(x, y):
    """A teal-to-sand gradient with a white page shape on the left."""
    t = x / 479
    r, g, b = int(31 + t * 200), int(111 + t * 95), int(120 + t * 40)
    if 40 <= x <= 110 and 30 <= y <= 210 and not (x > 90 and y < 30 + (x - 90)):
        return (255, 255, 255)
    if (y - 120) ** 2 + (x - 330) ** 2 < 2500:
        return (250, 244, 230)
    return (r, g, b)


def inline_image(rel_id, name, width_px, height_px, description):
    cx, cy = width_px * 9525, height_px * 9525
    return (
        f'<w:r><w:drawing><wp:inline distT="0" distB="0" distL="0" distR="0">'
        f'<wp:extent cx="{cx}" cy="{cy}"/><wp:docPr id="1" name="{name}" descr="{escape(description)}"/>'
        f'<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect="1"/></wp:cNvGraphicFramePr>'
        f'<a:graphic><a:graphicData uri="{PIC_NS}"><pic:pic>'
        f'<pic:nvPicPr><pic:cNvPr id="1" name="{name}"/><pic:cNvPicPr/></pic:nvPicPr>'
        f'<pic:blipFill><a:blip r:embed="{rel_id}"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>'
        f'<pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="{cx}" cy="{cy}"/></a:xfrm>'
        f'<a:prstGeom prst="rect"><a:avLst/></a:prstGeom></pic:spPr>'
        f"</pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></w:r>")


# --- package parts -------------------------------------------------------------------------

def document_part(body):
    section = ('<w:sectPr><w:pgSz w:w="12240" w:h="15840"/>'
               '<w:pgMar w:top="1440" w:right="1440" w:bottom="1440" w:left="1440" '
               'w:header="720" w:footer="720" w:gutter="0"/></w:sectPr>')
    return (XML_HEAD + f'<w:document xmlns:w="{W_NS}" xmlns:r="{R_NS}" xmlns:wp="{WP_NS}" '
            f'xmlns:a="{A_NS}" xmlns:pic="{PIC_NS}"><w:body>{body}{section}</w:body></w:document>')


def style(kind, style_id, name, ppr="", rpr="", based_on="Normal", extra=""):
    based = f'<w:basedOn w:val="{based_on}"/>' if based_on else ""
    ppr = f"<w:pPr>{ppr}</w:pPr>" if ppr else ""
    rpr = f"<w:rPr>{rpr}</w:rPr>" if rpr else ""
    return (f'<w:style w:type="{kind}" w:styleId="{style_id}"><w:name w:val="{name}"/>'
            f"{based}{extra}{ppr}{rpr}</w:style>")


def styles_part(body_font):
    font = f'<w:rFonts w:ascii="{body_font}" w:hAnsi="{body_font}" w:cs="{body_font}"/>'
    heading_colour = "1F6F78"
    styles = [
        style("paragraph", "Normal", "Normal", ppr='<w:spacing w:after="120" w:line="264" w:lineRule="auto"/>',
              rpr=font + '<w:sz w:val="22"/>', based_on=None, extra='<w:qFormat/>'),
        style("paragraph", "Title", "Title", ppr='<w:spacing w:after="240"/>',
              rpr=f'<w:b/><w:color w:val="{heading_colour}"/><w:sz w:val="52"/>'),
        style("paragraph", "Subtitle", "Subtitle", ppr='<w:spacing w:after="240"/>',
              rpr='<w:i/><w:color w:val="5B6D72"/><w:sz w:val="28"/>'),
        style("paragraph", "Heading1", "heading 1",
              ppr='<w:keepNext/><w:spacing w:before="360" w:after="120"/><w:outlineLvl w:val="0"/>',
              rpr=f'<w:b/><w:color w:val="{heading_colour}"/><w:sz w:val="36"/>'),
        style("paragraph", "Heading2", "heading 2",
              ppr='<w:keepNext/><w:spacing w:before="240" w:after="80"/><w:outlineLvl w:val="1"/>',
              rpr=f'<w:b/><w:color w:val="{heading_colour}"/><w:sz w:val="28"/>'),
        style("paragraph", "Heading3", "heading 3",
              ppr='<w:keepNext/><w:spacing w:before="200" w:after="60"/><w:outlineLvl w:val="2"/>',
              rpr='<w:b/><w:i/><w:sz w:val="24"/>'),
        style("paragraph", "TOC1", "toc 1", ppr='<w:spacing w:after="60"/>', rpr="<w:b/>"),
        style("paragraph", "TOC2", "toc 2", ppr='<w:spacing w:after="60"/><w:ind w:left="440"/>'),
        style("paragraph", "Quote", "Quote",
              ppr='<w:ind w:left="720" w:right="720"/><w:pBdr><w:left w:val="single" w:sz="18" '
                  'w:space="8" w:color="1F6F78"/></w:pBdr>',
              rpr='<w:i/><w:color w:val="404040"/>'),
        style("paragraph", "ListParagraph", "List Paragraph", ppr='<w:ind w:left="720"/>'),
        style("paragraph", "Caption", "caption", rpr='<w:i/><w:color w:val="5B6D72"/><w:sz w:val="18"/>'),
        style("character", "Hyperlink", "Hyperlink", rpr='<w:color w:val="0563C1"/><w:u w:val="single"/>',
              based_on=None),
        style("character", "Strong", "Strong", rpr="<w:b/>", based_on=None),
        style("table", "TableGrid", "Table Grid", based_on=None,
              extra='<w:tblPr><w:tblCellMar><w:left w:w="108" w:type="dxa"/>'
                    '<w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr>'),
    ]
    return (XML_HEAD + f'<w:styles xmlns:w="{W_NS}"><w:docDefaults><w:rPrDefault><w:rPr>{font}'
            '<w:sz w:val="22"/><w:lang w:val="en-US"/></w:rPr></w:rPrDefault></w:docDefaults>'
            + "".join(styles) + "</w:styles>")


def numbering_part():
    def level(index, fmt, text, indent):
        font = '<w:rPr><w:rFonts w:ascii="Symbol" w:hAnsi="Symbol" w:hint="default"/></w:rPr>' if fmt == "bullet" else ""
        return (f'<w:lvl w:ilvl="{index}"><w:start w:val="1"/><w:numFmt w:val="{fmt}"/>'
                f'<w:lvlText w:val="{text}"/><w:lvlJc w:val="left"/>'
                f'<w:pPr><w:ind w:left="{indent}" w:hanging="360"/></w:pPr>{font}</w:lvl>')

    bullets = "".join(level(i, "bullet", "\uf0b7" if i % 2 == 0 else "o", 720 + 360 * i) for i in range(3))
    numbers = "".join(level(i, fmt, f"%{i + 1}.", 720 + 360 * i)
                      for i, fmt in enumerate(("decimal", "lowerLetter", "lowerRoman")))
    return (XML_HEAD + f'<w:numbering xmlns:w="{W_NS}">'
            f'<w:abstractNum w:abstractNumId="0"><w:multiLevelType w:val="hybridMultilevel"/>{bullets}</w:abstractNum>'
            f'<w:abstractNum w:abstractNumId="1"><w:multiLevelType w:val="hybridMultilevel"/>{numbers}</w:abstractNum>'
            f'<w:num w:numId="{BULLET_LIST}"><w:abstractNumId w:val="0"/></w:num>'
            f'<w:num w:numId="{NUMBERED_LIST}"><w:abstractNumId w:val="1"/></w:num>'
            "</w:numbering>")


def core_part(title, creator, created):
    return (XML_HEAD + '<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/'
            'metadata/core-properties" xmlns:dc="http://purl.org/dc/elements/1.1/" '
            'xmlns:dcterms="http://purl.org/dc/terms/" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">'
            f"<dc:title>{escape(title)}</dc:title><dc:creator>{escape(creator)}</dc:creator>"
            f'<dcterms:created xsi:type="dcterms:W3CDTF">{created}</dcterms:created>'
            f'<dcterms:modified xsi:type="dcterms:W3CDTF">{created}</dcterms:modified>'
            "</cp:coreProperties>")


def app_part():
    return (XML_HEAD + '<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/'
            'extended-properties"><Application>Vellumine example generator</Application></Properties>')


def relationships(entries):
    rows = "".join(
        f'<Relationship Id="{rid}" Type="{kind}" Target="{escape(target)}"'
        + (' TargetMode="External"' if external else "") + "/>"
        for rid, kind, target, external in entries)
    return (XML_HEAD + '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            + rows + "</Relationships>")


def content_types():
    main = "application/vnd.openxmlformats-officedocument.wordprocessingml"
    return (XML_HEAD + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            '<Default Extension="png" ContentType="image/png"/>'
            f'<Override PartName="/word/document.xml" ContentType="{main}.document.main+xml"/>'
            f'<Override PartName="/word/styles.xml" ContentType="{main}.styles+xml"/>'
            f'<Override PartName="/word/numbering.xml" ContentType="{main}.numbering+xml"/>'
            '<Override PartName="/docProps/core.xml" '
            'ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>'
            '<Override PartName="/docProps/app.xml" '
            'ContentType="application/vnd.openxmlformats-officedocument.extended-properties+xml"/>'
            "</Types>")


def write_package(target, body, title, creator, created, body_font="Calibri", links=(), media=()):
    """links: (rel id, url) of external hyperlinks; media: (rel id, file name, bytes)."""
    rels = [("rIdStyles", REL_BASE + "styles", "styles.xml", False),
            ("rIdNumbering", REL_BASE + "numbering", "numbering.xml", False)]
    rels += [(rid, REL_BASE + "hyperlink", url, True) for rid, url in links]
    rels += [(rid, REL_BASE + "image", f"media/{name}", False) for rid, name, _ in media]
    package_rels = relationships([
        ("rId1", REL_BASE + "officeDocument", "word/document.xml", False),
        ("rId2", CORE_REL, "docProps/core.xml", False),
        ("rId3", REL_BASE + "extended-properties", "docProps/app.xml", False),
    ])
    parts = [
        ("[Content_Types].xml", content_types()),
        ("_rels/.rels", package_rels),
        ("docProps/core.xml", core_part(title, creator, created)),
        ("docProps/app.xml", app_part()),
        ("word/document.xml", document_part(body)),
        ("word/styles.xml", styles_part(body_font)),
        ("word/numbering.xml", numbering_part()),
        ("word/_rels/document.xml.rels", relationships(rels)),
    ]
    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, text in parts:
            archive.writestr(zipfile.ZipInfo(name, FIXED_TIME), text.encode("utf-8"), zipfile.ZIP_DEFLATED)
        for _, name, data in media:
            archive.writestr(zipfile.ZipInfo(f"word/media/{name}", FIXED_TIME), data, zipfile.ZIP_STORED)


# --- the welcome document ------------------------------------------------------------------

def welcome_body():
    marks = Bookmarks()
    sections = []

    sections.append(marks.heading("Styled text"))
    sections.append(paragraph(
        run("Vellumine keeps the look of your text: "), run("bold", bold=True), run(", "),
        run("italic", italic=True), run(", "), run("underlined", underline=True), run(", "),
        run("struck through", strike=True), run(", "), run("coloured", colour="C0392B"), run(", "),
        run("highlighted", highlight="yellow"), run(", "), run("larger", size=32), run(" and "),
        run("smaller", size=16), run(" text, "), run("small capitals", caps=True), run(" and text in "),
        run("another typeface", font="Courier New"), run(".")))
    sections.append(paragraph(run(
        "Everything you see here was written by a small generator that comes with the viewer; "
        "open the document in any word processor and compare."), style="Quote"))

    sections.append(marks.heading("Lists"))
    sections.append(plain("A bulleted list, with a second level:"))
    for text, level in (("Open a document with File, Open... or F2", 0), ("Recent documents", 1),
                        ("The bundled examples", 1), ("Print it, preview it or save it as a web page", 0),
                        ("Read its title, author and date in the status bar", 0)):
        sections.append(plain(text, style="ListParagraph", numbering=(BULLET_LIST, level)))
    sections.append(plain("A numbered list:"))
    for text, level in (("Unpack the package", 0), ("Convert the main part", 0), ("Tables first", 1),
                        ("Then lists and paragraphs", 1), ("Show the page", 0)):
        sections.append(plain(text, style="ListParagraph", numbering=(NUMBERED_LIST, level)))

    sections.append(marks.heading("A table"))
    sections.append(plain("Merged cells span columns and rows; shaded cells carry their colour."))
    grid = [2400, 2300, 2300, 2360]
    header = "1F6F78"
    sections.append(table(grid, [
        [cell("Quarter", grid[0], fill="D5E8EA", bold=True),
         cell("Results", grid[1] + grid[2] + grid[3], span=3, fill="D5E8EA", bold=True, align="center")],
        [cell("", grid[0], fill="D5E8EA"), cell("Pages", grid[1], fill="EAF2F3", bold=True),
         cell("Tables", grid[2], fill="EAF2F3", bold=True), cell("Images", grid[3], fill="EAF2F3", bold=True)],
        [cell("First half", grid[0], vmerge="restart", fill="FFF4D6"), cell("1,204", grid[1]),
         cell("87", grid[2]), cell("45", grid[3])],
        [cell(None, grid[0], vmerge="continue", fill="FFF4D6"), cell("1,377", grid[1]),
         cell("92", grid[2]), cell("51", grid[3], fill="FADBD8")],
        [cell("Second half", grid[0]), cell("2,950", grid[1] + grid[2], span=2, align="center"),
         cell("118", grid[3], fill=header)],
    ]))

    sections.append(marks.heading("An image"))
    banner = png_bytes(480, 240, banner_pixel)
    sections.append(paragraph(inline_image("rIdImage1", "banner.png", 320, 160,
                                           "A page on a teal background"), align="center"))
    sections.append(plain("Figure 1: an image stored in the document's media folder.", style="Caption",
                          align="center"))

    sections.append(marks.heading("Links"))
    sections.append(paragraph(
        run("The table of contents at the top links to each heading inside this document, and so "
            "does this link back to the "),
        '<w:hyperlink w:anchor="_Toc101" w:history="1">' + run("styled text", style="Hyperlink") + "</w:hyperlink>",
        run(". An external link such as "),
        '<w:hyperlink r:id="rIdLink1" w:history="1">' + run("the Office Open XML overview", style="Hyperlink")
        + "</w:hyperlink>",
        run(" opens in your web browser; the viewer itself never goes online.")))

    sections.append(marks.heading("A drop cap"))
    drop = ('<w:framePr w:dropCap="drop" w:lines="3" w:wrap="around" w:vAnchor="text" w:hAnchor="text"/>'
            '<w:spacing w:after="0" w:line="827" w:lineRule="exact"/>')
    sections.append(paragraph(run("O", size=98, colour="1F6F78"), frame=drop))
    sections.append(plain(
        "nce upon a time, documents were printed and filed. Today they travel as packages of XML "
        "parts, and a viewer has to turn those parts back into a page. The first letter of this "
        "paragraph is a drop cap: it sinks three lines into the text beside it, as in an old book. "
        "The rest of the paragraph flows around it."))

    sections.append(marks.heading("Tabs"))
    stops = [("left", "none", 2880), ("center", "none", 5040), ("right", "dot", 9360)]
    sections.append(paragraph(run("Item", bold=True), tab_run(), run("Kind", bold=True), tab_run(),
                              run("Where", bold=True), tab_run(), run("Page", bold=True), tabs=stops))
    for item, kind, where, page in (("Headings", "style", "top", "1"), ("Table", "grid", "middle", "1"),
                                    ("Image", "picture", "centre", "2")):
        sections.append(paragraph(run(item), tab_run(), run(kind), tab_run(), run(where), tab_run(), run(page),
                                  tabs=stops))

    sections.append(marks.heading("What next"))
    sections.append(plain(
        "Open the other examples with File, Open Examples: a long report and a document written in "
        "Russian. Press F1 for help."))

    page_of = lambda index: "2" if index >= 3 else "1"
    head = [
        plain("Welcome to Vellumine", style="Title"),
        plain("A short tour of what the viewer shows", style="Subtitle"),
        paragraph(run("Contents", bold=True, size=28, colour="1F6F78")),
        table_of_contents(marks.entries, page_of),
    ]
    return "".join(head + sections), banner


# --- the long report -----------------------------------------------------------------------

SUBJECTS = ["The regional office", "Our logistics team", "The finance department", "Customer support",
            "The engineering group", "The northern plant", "Procurement", "The sales organisation"]
VERBS = ["increased", "reduced", "stabilised", "reviewed", "expanded", "consolidated", "improved", "measured"]
OBJECTS = ["its delivery times", "the cost per unit", "the number of open orders", "energy use",
           "staff training hours", "the share of online sales", "stock levels", "the return rate"]
CONTEXT = ["during the first quarter", "after the new system went live", "compared with last year",
           "despite higher prices", "in every region", "ahead of the plan", "within the budget",
           "with the same number of staff"]
REMARKS = ["This trend is expected to continue.", "The board has asked for a follow-up in autumn.",
           "Further detail is given in the appendix.", "Most of the gain came in the last two months.",
           "The figures were checked by an external auditor.", "A small part of this is seasonal.",
           "The project team will report again next year.", "No change in policy is proposed."]


def report_sentence(rng):
    percent = rng.randint(2, 38)
    sentence = (f"{rng.choice(SUBJECTS)} {rng.choice(VERBS)} {rng.choice(OBJECTS)} by {percent} percent "
                f"{rng.choice(CONTEXT)}.")
    return sentence if rng.random() < 0.7 else sentence + " " + rng.choice(REMARKS)


def report_paragraph(rng):
    return plain(" ".join(report_sentence(rng) for _ in range(rng.randint(6, 9))), align="both")


def report_table(rng, chapter):
    grid = [3000, 2120, 2120, 2120]
    rows = [[cell("Measure", grid[0], fill="D5E8EA", bold=True)] +
            [cell(q, w, fill="D5E8EA", bold=True, align="right") for q, w in zip(("Q1", "Q2", "Q3"), grid[1:])]]
    for index in range(8):
        name = OBJECTS[(index + chapter) % len(OBJECTS)].replace("its ", "").replace("the ", "")
        values = [f"{rng.randint(100, 9999):,}" for _ in range(3)]
        fill = "F4F8F8" if index % 2 else None
        rows.append([cell(name.capitalize(), grid[0], fill=fill)] +
                    [cell(v, w, fill=fill, align="right") for v, w in zip(values, grid[1:])])
    return table(grid, rows)


def report_body():
    rng = random.Random(20240501)
    marks = Bookmarks()
    chapters = []
    for chapter in range(1, 17):
        chapters.append(page_break())
        chapters.append(marks.heading(f"{chapter}. {rng.choice(SUBJECTS).replace('The ', '').capitalize()}"))
        for section in range(1, 4):
            chapters.append(marks.heading(f"{chapter}.{section} {rng.choice(OBJECTS).capitalize()}", level=2))
            for _ in range(rng.randint(4, 6)):
                chapters.append(report_paragraph(rng))
            if section == 2:
                chapters.append(plain(f"Table {chapter}: quarterly figures.", style="Caption"))
                chapters.append(report_table(rng, chapter))
            if section == 3:
                for _ in range(4):
                    chapters.append(plain(report_sentence(rng), style="ListParagraph",
                                          numbering=(BULLET_LIST, 0)))
    head = [
        plain("Annual Operations Report", style="Title"),
        plain("An example of a long document: some sixty pages of text, tables and lists", style="Subtitle"),
        paragraph(run("Contents", bold=True, size=28, colour="1F6F78")),
        table_of_contents(marks.entries, lambda index: str(2 + index * 60 // len(marks.entries))),
    ]
    return "".join(head + chapters)


# --- the Russian document ------------------------------------------------------------------

def russian_body():
    marks = Bookmarks()
    body = [
        plain("Пример документа на русском языке", style="Title"),
        plain("Кириллица в заголовках, тексте, списках и таблицах", style="Subtitle"),
        marks.heading("Введение"),
        paragraph(run("Этот документ показывает, что Vellumine открывает тексты на любом языке. "),
                  run("Полужирный", bold=True), run(", "), run("курсив", italic=True), run(" и "),
                  run("подчёркнутый", underline=True),
                  run(" текст выглядят так же, как в исходном документе. Имя файла тоже написано "
                      "кириллицей, а заголовок и автор в строке состояния читаются правильно.")),
        plain("Программа не переводит и не перекодирует текст: буквы из документа попадают на "
              "страницу без изменений, поэтому одинаково хорошо отображаются русский, греческий, "
              "армянский или грузинский алфавит, если в системе есть подходящий шрифт."),
        marks.heading("Что умеет программа"),
    ]
    for text in ("Открывать документы .docx из меню «Файл» или из командной строки;",
                 "Печатать страницу и показывать её перед печатью;",
                 "Сохранять страницу в формате HTML вместе с рисунками;",
                 "Показывать название, автора, дату создания и размер файла."):
        body.append(plain(text, style="ListParagraph", numbering=(BULLET_LIST, 0)))
    body.append(marks.heading("Таблица"))
    grid = [3120, 3120, 3120]
    body.append(table(grid, [
        [cell("Город", grid[0], fill="D5E8EA", bold=True), cell("Население", grid[1], fill="D5E8EA", bold=True),
         cell("Основан", grid[2], fill="D5E8EA", bold=True)],
        [cell("Москва", grid[0]), cell("13 млн", grid[1]), cell("1147", grid[2])],
        [cell("Санкт-Петербург", grid[0]), cell("5,6 млн", grid[1]), cell("1703", grid[2])],
        [cell("Новосибирск", grid[0]), cell("1,6 млн", grid[1]), cell("1893", grid[2])],
    ]))
    body.append(marks.heading("Порядок работы"))
    for text in ("Выберите «Файл», затем «Открыть...» или нажмите F2.",
                 "Дождитесь, пока индикатор в строке состояния заполнится.",
                 "Нажмите F6, чтобы посмотреть страницу перед печатью."):
        body.append(plain(text, style="ListParagraph", numbering=(NUMBERED_LIST, 0)))
    body.append(plain("Спасибо, что читаете этот пример!", align="center"))
    return "".join(body)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_examples.py OUTPUT_FOLDER")
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    body, banner = welcome_body()
    write_package(out / "Welcome.docx", body, "Welcome to Vellumine", "Vellumine", "2024-05-01T12:00:00Z",
                  links=[("rIdLink1", "https://en.wikipedia.org/wiki/Office_Open_XML")],
                  media=[("rIdImage1", "banner.png", banner)])
    write_package(out / "Report.docx", report_body(), "Annual Operations Report", "Vellumine",
                  "2024-05-01T12:00:00Z")
    write_package(out / "Пример.docx", russian_body(), "Пример документа", "Анна Иванова",
                  "2024-05-01T12:00:00Z", body_font="DejaVu Sans")


if __name__ == "__main__":
    main()
