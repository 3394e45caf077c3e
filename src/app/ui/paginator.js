// The page view: moves the faithful page's blocks out of its sections (div.vm-section, whose data-
// attributes give page size, margins, columns, start kind and header and footer parts) into page
// boxes, measuring as the browser lays them out.  Runs in the application's own script world (page
// scripts are off); the window calls vmPages.start() once, then vmPages.work(ms) until it answers
// done, so that pages show as they are made.  Every loop walks the page once: blocks leave their
// section as they are placed, and the section's first child is always the next block to place.
(function () {
  'use strict';
  var kMaxDepth = 24;          // nesting a split descends into (deeper content is moved whole)
  var kLineWalk = 2000;        // characters walked back to find a line's start
  var kPageGap = 24;           // px between pages on screen
  var kGroupPages = 32;        // pages in one group box
  var kBatch = 16;             // most blocks placed with one measure
  // Each page box is contained (contain:strict, its size given): a block placed on the last page
  // lays out that page alone, never the pages before it.  The engine still rebuilds the layout
  // results of the page's ancestors after each such layout, copying every child they hold: with
  // all pages in one box that copy grows with the pages made (a 1,000-page document spent most of
  // its time there).  Pages therefore go into groups of kGroupPages, so that each measure copies a
  // group and the list of groups, not the list of all pages.

  var S = null;  // the run's state; null before start()

  function px(el, name, fallback) {
    var v = parseFloat(el.getAttribute('data-' + name));
    return isFinite(v) ? Math.abs(v) : fallback;
  }

  function sectionInfo(el, index) {
    return {
      el: el, index: index,
      width: px(el, 'page-width', 816), height: px(el, 'page-height', 1056),
      top: px(el, 'margin-top', 96), right: px(el, 'margin-right', 96),
      bottom: px(el, 'margin-bottom', 96), left: px(el, 'margin-left', 96),
      header: px(el, 'margin-header', 48), footer: px(el, 'margin-footer', 48),
      columns: Math.max(1, Math.min(16, parseInt(el.getAttribute('data-columns'), 10) || 1)),
      columnSpace: px(el, 'column-space', 48),
      columnWidths: (el.getAttribute('data-column-widths') || '').split(' ').map(parseFloat).filter(isFinite),
      columnLine: el.getAttribute('data-column-separator') === '1',
      start: el.getAttribute('data-start') || 'nextPage',
      titlePage: el.getAttribute('data-title-page') === '1',
      numberStart: el.hasAttribute('data-page-number-start') ? parseInt(el.getAttribute('data-page-number-start'), 10) : null,
      numberFormat: el.getAttribute('data-page-number-format') || 'decimal',
      parts: {}, pages: 0
    };
  }

  // Each variant a section does not name is the previous section's (linked to previous).
  function inheritParts(sections) {
    var kinds = ['header', 'footer'], types = ['default', 'first', 'even'], last = {};
    for (var s = 0; s < sections.length; s++) {
      for (var k = 0; k < kinds.length; k++) {
        for (var t = 0; t < types.length; t++) {
          var key = kinds[k] + '-' + types[t], v = sections[s].el.getAttribute('data-' + key);
          if (v !== null) last[key] = v;
          sections[s].parts[key] = last.hasOwnProperty(key) ? last[key] : null;
        }
      }
    }
  }

  function addSheet(sections) {
    var css = '.vm-pages{display:block}' +
      '.vm-pg{position:relative;box-sizing:border-box;margin:0 auto ' + kPageGap + 'px;background:#FFFFFF;' +
      'box-shadow:0 1px 4px rgba(0,0,0,0.3);overflow:hidden;contain:strict}' +
      '.vm-pg-grp{display:block;contain:layout style}.vm-pg-done{content-visibility:auto}' +
      '.vm-pg-body{position:absolute;overflow-wrap:break-word}' +
      '.vm-pg-hdr,.vm-pg-ftr{position:absolute;overflow-wrap:break-word}' +
      '.vm-pg-notes{position:absolute;left:0;right:0;bottom:0}' +
      '.vm-pg-notes:not(:empty)::before{content:"";display:block;width:33%;border-top:1px solid #808080;margin:6px 0 4px}' +
      '.vm-region{display:flex;align-items:flex-start}' +
      '.vm-col{flex:1 1 0;min-width:0}' +
      '.vm-region.vm-lined{align-items:stretch}.vm-lined>.vm-col+.vm-col{position:relative}' +
      '.vm-lined>.vm-col+.vm-col::before{content:"";position:absolute;top:0;bottom:0;' +
      'left:calc(var(--vm-gap) / -2);border-left:1px solid #000000}' +
      '.vm-pg .vm-pb,.vm-pg .vm-cb{display:none}' +
      '.vm-split{margin-bottom:0!important;padding-bottom:0!important;border-bottom-style:none!important}' +
      '.vm-cont{margin-top:0!important;padding-top:0!important;text-indent:0!important;border-top-style:none!important}' +
      '.vm-paged #page{display:none}.vm-paged.vm-paged-partial #page{display:block}' +
      '@media print{.vm-pg{margin:0;box-shadow:none;break-after:page}.vm-pg-grp:last-child>.vm-pg:last-child{break-after:auto}' +
      'html.vm-paged,html.vm-paged body{background:none;padding:0;margin:0}}';
    var sizes = {}, n = 0;
    for (var s = 0; s < sections.length; s++) {
      var key = sections[s].width + 'x' + sections[s].height;
      if (!sizes.hasOwnProperty(key)) {
        sizes[key] = 'vmps' + (n++);
        css += '@page ' + sizes[key] + '{size:' + sections[s].width + 'px ' + sections[s].height + 'px;margin:0}' +
          '.' + sizes[key] + '{page:' + sizes[key] + '}';
      }
      sections[s].sizeClass = sizes[key];
    }
    if (sections.length) css += '@page{size:' + sections[0].width + 'px ' + sections[0].height + 'px;margin:0}';
    var sheet = document.createElement('style');
    sheet.id = 'vm-pages-sheet';
    sheet.textContent = css;
    (document.head || document.documentElement).appendChild(sheet);
  }

  // Header and footer parts and footnotes leave the flow; they are copied or moved onto pages.
  function detachStories() {
    var parts = {}, list = document.querySelectorAll('[data-part]');
    for (var k = 0; k < list.length; k++) {
      parts[list[k].getAttribute('data-part') + ':' + list[k].getAttribute('data-part-index')] = list[k];
      list[k].parentNode.removeChild(list[k]);
    }
    var notes = {}, box = document.getElementById('vellumine-footnotes');
    if (box) {
      box.parentNode.removeChild(box);
      // Out of their list, so that a note not yet on a page has no parent.
      for (var n = box.firstElementChild; n; n = box.firstElementChild) {
        box.removeChild(n);
        if (n.id) notes[n.id] = n;
      }
    }
    return {parts: parts, notes: notes};
  }

  // ---- numbers ----

  function roman(n) {
    if (n <= 0 || n >= 4000) return String(n);
    var v = [1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1];
    var r = ['m', 'cm', 'd', 'cd', 'c', 'xc', 'l', 'xl', 'x', 'ix', 'v', 'iv', 'i'], out = '';
    for (var k = 0; k < v.length; k++) while (n >= v[k]) { out += r[k]; n -= v[k]; }
    return out;
  }

  function letters(n) {
    if (n <= 0) return String(n);
    var c = String.fromCharCode(97 + (n - 1) % 26), times = Math.min(Math.floor((n - 1) / 26) + 1, 50), out = '';
    for (var k = 0; k < times; k++) out += c;
    return out;
  }

  function formatNumber(n, format) {
    switch (format) {
      case 'lowerRoman': return roman(n);
      case 'upperRoman': return roman(n).toUpperCase();
      case 'lowerLetter': return letters(n);
      case 'upperLetter': return letters(n).toUpperCase();
      case 'numberInDash': return '- ' + n + ' -';
      default: return String(n);
    }
  }

  // ---- pages ----

  function box(className, parent) {
    var el = document.createElement('div');
    el.className = className;
    parent.appendChild(el);
    return el;
  }

  function partFor(section, kind, number, firstOfSection) {
    var type = 'default';
    if (firstOfSection && section.titlePage) type = 'first';
    else if (S.evenOdd && number % 2 === 0) type = 'even';
    var index = section.parts[kind + '-' + type];
    return index === null ? null : S.stories.parts[kind + ':' + index] || null;
  }

  function copyPart(part, into) {
    if (!part) return;
    for (var c = part.firstChild; c; c = c.nextSibling) into.appendChild(c.cloneNode(true));
    var named = into.querySelectorAll('[id]');
    for (var k = 0; k < named.length; k++) named[k].removeAttribute('id');
  }

  // The group box the next page goes into (a new one after every kGroupPages pages).
  function pageGroup() {
    if (!S.group || S.pages.length % kGroupPages === 0) {
      if (S.group) closeGroup(S.group, S.pages.length - kGroupPages);
      S.group = box('vm-pg-grp', S.container);
    }
    return S.group;
  }

  // A full group is skipped by the engine while out of view (its size stands in for it), so that
  // each frame draws the pages on screen, not every page made so far.  from: its first page's index.
  function closeGroup(group, from) {
    var height = 0, width = 0;
    for (var k = Math.max(0, from); k < S.pages.length; k++) {
      height += S.pages[k].section.height + kPageGap;
      width = Math.max(width, S.pages[k].section.width);
    }
    group.style.containIntrinsicSize = width + 'px ' + height + 'px';
    group.classList.add('vm-pg-done');
  }

  function newPage(section) {
    var first = section.pages === 0;
    if (first && section.numberStart !== null && isFinite(section.numberStart)) S.number = section.numberStart;
    else S.number += 1;
    section.pages += 1;
    var pg = box('vm-pg ' + section.sizeClass, pageGroup());
    pg.style.width = section.width + 'px';
    pg.style.height = section.height + 'px';
    pg.setAttribute('data-page', String(S.pages.length + 1));
    pg.setAttribute('data-section', String(section.index));
    pg.setAttribute('data-number', formatNumber(S.number, section.numberFormat));
    var hdr = box('vm-pg-hdr', pg), ftr = box('vm-pg-ftr', pg), body = box('vm-pg-body', pg);
    hdr.style.cssText = 'top:' + section.header + 'px;left:' + section.left + 'px;right:' + section.right + 'px';
    ftr.style.cssText = 'bottom:' + section.footer + 'px;left:' + section.left + 'px;right:' + section.right + 'px';
    var hdrPart = partFor(section, 'header', S.number, first), ftrPart = partFor(section, 'footer', S.number, first);
    copyPart(hdrPart, hdr);
    copyPart(ftrPart, ftr);
    // A header taller than its room pushes the text down, a tall footer pushes its end up.
    var top = Math.max(section.top, section.header + partHeight(section, hdrPart, hdr));
    var bottom = Math.max(section.bottom, section.footer + partHeight(section, ftrPart, ftr));
    if (top + bottom > section.height - 48) { top = section.top; bottom = section.bottom; }
    body.style.cssText = 'top:' + top + 'px;bottom:' + bottom + 'px;left:' + section.left + 'px;right:' + section.right + 'px';
    var last = S.pages.length ? S.pages[S.pages.length - 1] : null;
    var page = {el: pg, body: body, notes: box('vm-pg-notes', body), section: section, placed: 0,
                y: last ? last.y + last.section.height + kPageGap : 0, height: section.height - top - bottom};
    S.pages.push(page);
    fillFields(pg, page);
    S.page = page;
    openRegion(section);
    S.room = page.height;
    return page;
  }

  // The height of a header or footer part as laid out in box, once per part and section: each
  // measure would lay out the page.
  function partHeight(section, part, box) {
    if (!part) return 0;
    if (!section.partHeights) section.partHeights = new Map();
    var height = section.partHeights.get(part);
    if (height === undefined) {
      height = box.offsetHeight;
      section.partHeights.set(part, height);
    }
    return height;
  }

  function openRegion(section) {
    var region = document.createElement('div');
    region.className = 'vm-region';
    region.style.columnGap = section.columnSpace + 'px';
    region.style.setProperty('--vm-gap', section.columnSpace + 'px');
    if (section.columnLine && section.columns > 1) region.classList.add('vm-lined');
    S.page.body.insertBefore(region, S.page.notes);
    var cols = [], given = section.columnWidths.length >= 2 * section.columns - 1;
    if (given) region.style.columnGap = '0';
    for (var k = 0; k < section.columns; k++) {
      var col = box('vm-col', region);
      if (given) {  // width, then the space after it
        col.style.flex = '0 0 ' + section.columnWidths[2 * k] + 'px';
        if (k + 1 < section.columns) col.style.marginRight = section.columnWidths[2 * k + 1] + 'px';
      }
      cols.push(col);
    }
    S.region = region;
    S.cols = cols;
    S.colIndex = 0;
    S.columnBreak = false;
    S.room = 0;
  }

  // Pages where a section starting on an odd or even page needs one left blank first.
  function startSection(section) {
    S.section = section;
    var wanted = section.start;
    if (S.page && (wanted === 'continuous' || wanted === 'nextColumn') && S.page.section.width === section.width &&
        S.page.section.height === section.height) {
      if (wanted === 'continuous') balanceRegion();
      openRegion(section);
      return;
    }
    newPage(section);
    if ((wanted === 'oddPage' && S.number % 2 === 0) || (wanted === 'evenPage' && S.number % 2 === 1)) {
      section.pages -= 1;
      S.page.el.setAttribute('data-blank', '1');
      newPage(section);
    }
  }

  function nextColumnOrPage() {
    if (S.colIndex + 1 < S.cols.length) {
      S.colIndex += 1;
      S.room = S.region === S.page.body.firstElementChild ? S.page.height : 0;
      return;
    }
    newPage(S.section);
  }

  // ---- measuring ----

  function limit() {
    var rect = S.page.body.getBoundingClientRect();
    var notes = S.page.notes.firstChild ? S.page.notes.getBoundingClientRect().height : 0;
    return rect.bottom - notes + 0.5;
  }

  function bottomOf(el) { return el.getBoundingClientRect().bottom; }

  // The one range of the run.  Every range made stays attached to the document, which updates
  // each one at every change of its tree until it is collected, and a large document makes them
  // faster than they are collected: one range, used again, keeps that cost constant.
  function runRange() {
    if (!S.range) S.range = document.createRange();
    return S.range;
  }

  function charRect(node, offset, range) {
    range.setStart(node, offset);
    range.setEnd(node, offset + 1);
    var rects = range.getClientRects();
    return rects.length ? rects[0] : null;
  }

  function textNodes(el) {
    var list = [], walker = document.createTreeWalker(el, NodeFilter.SHOW_TEXT);
    for (var n = walker.nextNode(); n; n = walker.nextNode()) if (n.data.length) list.push(n);
    return list;
  }

  // Global character index to (node, offset) through the nodes' starting indexes.
  function locate(starts, nodes, index) {
    var lo = 0, hi = nodes.length - 1;
    while (lo < hi) {
      var mid = (lo + hi + 1) >> 1;
      if (starts[mid] <= index) lo = mid; else hi = mid - 1;
    }
    return {node: nodes[lo], offset: index - starts[lo]};
  }

  function rectAt(t, index) {
    var at = locate(t.starts, t.nodes, index);
    return charRect(at.node, at.offset, t.range);
  }

  // The first character at or after index that is drawn (collapsed blanks have no box).
  function drawnAt(t, index, step) {
    for (var k = 0; k < 32 && index >= 0 && index < t.total; k++, index += step) {
      var r = rectAt(t, index);
      if (r && r.height > 0) return {index: index, rect: r};
    }
    return null;
  }

  function sameLine(a, b) { return a.top < b.bottom - 1 && b.top < a.bottom - 1; }

  // The first character of the line that holds character index.
  function lineStart(t, index, rect) {
    var k = index;
    for (var walked = 0; k > 0 && walked < kLineWalk; walked++) {
      var r = rectAt(t, k - 1);
      if (r && r.height > 0 && !sameLine(r, rect)) break;
      k -= 1;
    }
    return k;
  }

  // Splits a paragraph where its first line that does not end above bottom starts; the part
  // after goes into a copy of the element, returned.  Null when no line (or, with content above
  // on the page, fewer than two lines) fits.
  function splitLines(el, bottom, first) {
    var nodes = textNodes(el);
    if (!nodes.length) return null;
    var t = {nodes: nodes, starts: [], total: 0, range: runRange()};
    for (var k = 0; k < nodes.length; k++) { t.starts.push(t.total); t.total += nodes[k].data.length; }
    var lo = 0, hi = t.total;  // the first index whose drawn box ends below bottom
    while (lo < hi) {
      var mid = (lo + hi) >> 1, d = drawnAt(t, mid, 1);
      if (!d) { hi = mid; continue; }
      if (d.rect.bottom > bottom) hi = mid; else lo = d.index + 1;
    }
    if (lo >= t.total) return null;
    var over = drawnAt(t, lo, 1);
    if (!over) return null;
    var cut = lineStart(t, over.index, over.rect);
    var firstDrawn = drawnAt(t, 0, 1), lastDrawn = drawnAt(t, t.total - 1, -1);
    if (!firstDrawn || !lastDrawn) return null;
    var lineHeight = Math.max(over.rect.height, 1);
    var before = (over.rect.top - firstDrawn.rect.top) / lineHeight, after = (lastDrawn.rect.bottom - over.rect.top) / lineHeight;
    if (cut <= 0) return null;
    if (!first && before < 1.5) return null;                 // a lone first line stays with the rest
    if (after < 1.5 && before >= 2.5) {                      // a lone last line takes one with it
      var prev = drawnAt(t, cut - 1, -1);
      if (prev) cut = lineStart(t, prev.index, prev.rect);
      if (cut <= 0) return null;
    }
    var at = locate(t.starts, t.nodes, cut);
    var range = runRange();
    range.setStart(at.node, at.offset);
    range.setEnd(el, el.childNodes.length);
    var rest = range.extractContents();
    range.collapse(true);
    var cont = el.cloneNode(false);
    cont.removeAttribute('id');
    cont.appendChild(rest);
    continueElement(el, cont);
    return cont;
  }

  function continueElement(el, cont) {
    el.classList.add('vm-split');
    cont.classList.add('vm-cont');
    cont.classList.remove('vm-pbb', 'vm-after-pb', 'vm-after-cb');
    if (el.tagName !== 'TABLE' && getComputedStyle(el).textAlign === 'justify') el.style.textAlignLast = 'justify';
  }

  // A table goes on at its first row that ends below bottom, under a copy of its header rows.  A
  // row that may split (no cantSplit) leaves what of its cells does not fit to a continuation row
  // on the next page; one with nothing above it on the page splits even when marked, as it is
  // taller than any page would hold (forced: it places at least one block, so it ends).
  function splitTable(el, bottom, first, depth) {
    var body = el.tBodies.length ? el.tBodies[0] : null;
    if (!body) return null;
    var rows = body.rows, lo = 0, hi = rows.length;
    while (lo < hi) {
      var mid = (lo + hi) >> 1;
      if (bottomOf(rows[mid]) > bottom) hi = mid; else lo = mid + 1;
    }
    if (lo >= rows.length) return null;
    var top = first && lo === 0, piece = null;
    if (top || rows[lo].getAttribute('data-cant-split') !== '1') piece = splitRow(rows[lo], bottom, top, depth);
    if (piece) {
      carrySpans(rows, lo, lo + 1, piece);
      body.insertBefore(piece, rows[lo].nextSibling);
      lo += 1;
    } else {
      if (top) while (lo < rows.length && bottomOf(rows[lo]) <= bottom) lo += 1;  // its fixed height let go
      if (lo === 0 || lo >= rows.length) return null;  // moves on whole, or fits
      carrySpans(rows, lo, lo, rows[lo]);
    }
    var cont = el.cloneNode(false);
    cont.removeAttribute('id');
    for (var c = el.firstElementChild; c; c = c.nextElementSibling) {
      if (c.tagName === 'COLGROUP' || c.tagName === 'THEAD') {
        var copy = c.cloneNode(true), named = copy.querySelectorAll('[id]'), marks = copy.querySelectorAll('.vm-wpb');
        for (var k = 0; k < named.length; k++) named[k].removeAttribute('id');
        // Word's page marks stand where Word broke the page, in the header's first place only.
        for (k = 0; k < marks.length; k++) marks[k].parentNode.removeChild(marks[k]);
        cont.appendChild(copy);
      }
    }
    var rest = body.cloneNode(false);
    while (rows.length > lo) rest.appendChild(rows[lo]);
    cont.appendChild(rest);
    for (var b = body.nextElementSibling; b;) { var next = b.nextElementSibling; cont.appendChild(b); b = next; }
    continueElement(el, cont);
    return cont;
  }

  // Splits a row at bottom: the returned row holds, in a copy of each cell (same widths, borders
  // and shading), what did not fit.  Null, and the row as it was, when no cell keeps anything here
  // or nothing goes on.  A fixed height would hold both pieces to it, so neither keeps one; forced,
  // a row whose content fits keeps to the page without it.
  function splitRow(row, bottom, forced, depth) {
    var height = row.style.height, cells = [], conts = [];
    row.style.height = '';
    var cont = row.cloneNode(false);
    cont.removeAttribute('id');
    for (var td = row.firstElementChild; td; td = td.nextElementSibling) {
      cells.push(td);
      conts.push(cont.appendChild(splitCell(td, bottom, forced, depth)));
    }
    var kept = false, moved = false;
    for (var k = 0; k < cells.length; k++) {
      if (cells[k].firstElementChild) kept = true;
      if (conts[k].firstElementChild) moved = true;
    }
    if (!kept || !moved) {
      for (var j = 0; j < cells.length; j++) while (conts[j].firstChild) cells[j].appendChild(conts[j].firstChild);
      if (moved || !forced) row.style.height = height;
      return null;
    }
    for (var m = 0; m < cells.length; m++) cells[m].removeAttribute('rowspan');  // the copies reach on
    return cont;
  }

  // Moves what of a cell does not end above bottom (less its padding and border) into an empty
  // copy of it, returned.  Forced, a cell whose first block cannot be split keeps that block whole.
  function splitCell(td, bottom, forced, depth) {
    var cont = td.cloneNode(false), style = getComputedStyle(td);
    cont.removeAttribute('id');
    var room = bottom - (parseFloat(style.paddingBottom) || 0) - (parseFloat(style.borderBottomWidth) || 0);
    var child = td.firstElementChild;
    while (child && bottomOf(child) <= room) child = child.nextElementSibling;
    if (!child) return cont;
    var lead = child === td.firstElementChild;
    var part = split(child, room, forced && lead, depth + 1);
    var from = part || (forced && lead) ? child.nextSibling : child;
    if (part) cont.appendChild(part);
    while (from) { var next = from.nextSibling; cont.appendChild(from); from = next; }
    return cont;
  }

  // Cells of the rows above scan that reach row scan or below end at row keep (their rowspan cut
  // there); next, the first row on the next page, takes an empty copy of each in its column for
  // the rows they still reach, so its own cells keep their columns.
  function carrySpans(rows, scan, keep, next) {
    var taken = [], carried = [];
    for (var r = 0; r < scan; r++) taken.push([]);
    for (var i = 0; i < scan; i++) {
      var col = 0;
      for (var td = rows[i].firstElementChild; td; td = td.nextElementSibling) {
        while (taken[i][col]) col++;
        var span = Math.max(1, td.colSpan | 0), reach = Math.max(1, td.rowSpan | 0);
        for (var y = i + 1; y < Math.min(scan, i + reach); y++) for (var x = col; x < col + span; x++) taken[y][x] = true;
        if (i + reach > scan) {
          var copy = td.cloneNode(false);
          copy.removeAttribute('id');
          copy.rowSpan = i + reach - scan;
          td.rowSpan = keep - i;
          carried.push({column: col, cell: copy});
        }
        col += span;
      }
    }
    carried.sort(function (a, b) { return a.column - b.column; });
    var at = 0, cell = next.firstElementChild;
    for (var k = 0; k < carried.length; k++) {
      while (cell && at < carried[k].column) { at += Math.max(1, cell.colSpan | 0); cell = cell.nextElementSibling; }
      next.insertBefore(carried[k].cell, cell);
      at += Math.max(1, carried[k].cell.colSpan | 0);
    }
  }

  var kBlockChild = ':scope > p, :scope > div, :scope > table, :scope > h1, :scope > h2, :scope > h3, ' +
    ':scope > h4, :scope > h5, :scope > h6, :scope > ul, :scope > ol';

  // A box of blocks goes on at its first child that ends below bottom (split in turn if it can).
  function splitBox(el, bottom, first, depth) {
    var child = el.firstElementChild;
    while (child && bottomOf(child) <= bottom) child = child.nextElementSibling;
    if (!child) return null;
    var firstChild = child === el.firstElementChild;
    var part = split(child, bottom, first && firstChild, depth + 1);
    if (!part && firstChild) return null;
    var cont = el.cloneNode(false);
    cont.removeAttribute('id');
    if (part) cont.appendChild(part);
    var from = part ? child.nextSibling : child;
    while (from) { var next = from.nextSibling; cont.appendChild(from); from = next; }
    continueElement(el, cont);
    return cont;
  }

  function split(el, bottom, first, depth) {
    if (depth > kMaxDepth || el.classList.contains('vm-kl') || el.getAttribute('data-cant-split') === '1') {
      return null;
    }
    if (el.tagName === 'TABLE') return splitTable(el, bottom, first, depth);
    if (el.tagName === 'IMG' || el.tagName === 'svg' || el.classList.contains('vm-tbx')) return null;
    if (el.querySelector(kBlockChild)) return splitBox(el, bottom, first, depth);
    return splitLines(el, bottom, first);
  }

  // ---- balancing ----
  // The columns of a section that a continuous break ends share its content on the last page:
  // their blocks go back into the first column, joined where they were split at a column's foot,
  // and flow again into columns one n-th of their height tall (a little taller when the last one
  // comes out taller).  A region holding a column break, or a table split between columns, is
  // left as it is.

  var kBalanceTries = 3;

  function balanceRegion() {
    var cols = S.cols, n = cols.length;
    if (n < 2 || S.columnBreak || !cols[0].firstElementChild || !joinable(cols)) return;
    var top = S.region.getBoundingClientRect().top, room = limit() - top, height = 0;
    for (var tries = 0; tries < kBalanceTries && joinable(cols); tries++) {
      gather(cols);
      var total = bottomOf(cols[0].lastElementChild) - top;
      height = Math.min(room, Math.max(height, total / n));
      flowColumns(cols, top + height);
      var last = cols[n - 1].lastElementChild, over = last ? bottomOf(last) - top - height : 0;
      if (over <= 1 || height >= room) break;
      height += over / n;
    }
    var end = cols[n - 1].lastElementChild;
    if (end && bottomOf(end) > top + room + 1 && joinable(cols)) {  // filled to the page's foot, as before
      gather(cols);
      flowColumns(cols, top + room);
    }
  }

  // Whether every piece split at a column's foot can be joined to its continuation.
  function joinable(cols) {
    for (var k = 0; k + 1 < cols.length; k++) {
      var a = cols[k].lastElementChild, b = cols[k + 1].firstElementChild;
      for (var depth = 0; a && b && continues(a, b); depth++) {
        if (a.tagName === 'TABLE' || depth > kMaxDepth) return false;
        a = a.lastElementChild;
        b = b.firstElementChild;
      }
    }
    return true;
  }

  function continues(a, b) {
    return a.classList.contains('vm-split') && b.classList.contains('vm-cont') && a.tagName === b.tagName;
  }

  // Every column's blocks at the end of the first column, split pieces joined (joinable first).
  function gather(cols) {
    for (var k = 1; k < cols.length; k++) {
      var a = cols[0].lastElementChild, b = cols[k].firstElementChild;
      if (a && b && continues(a, b)) { join(a, b); cols[k].removeChild(b); }
      while (cols[k].firstChild) cols[0].appendChild(cols[k].firstChild);
    }
  }

  // Joins piece a, split at a column's foot, with b, the piece that went on; the pieces split
  // inside them (the last of a, the first of b) join in turn.
  function join(a, b) {
    for (var depth = 0; depth <= kMaxDepth; depth++) {
      a.classList.remove('vm-split');
      a.style.textAlignLast = '';
      var last = a.lastElementChild, first = b.firstElementChild;
      if (!(last && first && continues(last, first))) break;
      while (first.nextSibling) a.appendChild(first.nextSibling);
      a = last;
      b = first;
    }
    while (b.firstChild) a.appendChild(b.firstChild);
  }

  // Fills each column but the last to bottom, the rest going on to the next.
  function flowColumns(cols, bottom) {
    for (var k = 0; k + 1 < cols.length; k++) {
      var col = cols[k], child = col.firstElementChild;
      while (child && bottomOf(child) <= bottom) child = child.nextElementSibling;
      if (!child) return;
      var lead = child === col.firstElementChild, cont = split(child, bottom, lead, 0);
      var from = cont || lead ? child.nextSibling : child, moved = [];
      if (cont) moved.push(cont);
      for (; from; from = from.nextSibling) moved.push(from);
      for (var m = 0; m < moved.length; m++) cols[k + 1].appendChild(moved[m]);
    }
  }

  // ---- notes ----

  function addNotes(el) {
    var added = [], refs = el.querySelectorAll('a.vm-nref[href^="#fn-"]');
    for (var k = 0; k < refs.length; k++) {
      var note = S.stories.notes[refs[k].getAttribute('href').substring(1)];
      if (note && !note.parentNode) { S.page.notes.appendChild(note); added.push(note); }
    }
    return added;
  }

  function dropNotes(notes) {
    for (var k = 0; k < notes.length; k++) if (notes[k].parentNode) notes[k].parentNode.removeChild(notes[k]);
  }

  // ---- placing ----

  function startsPage(el) {
    return el.classList.contains('vm-pbb') || el.classList.contains('vm-after-pb');
  }

  // A paragraph holding a page or column break ends there; what follows starts the next page
  // (or column).  An empty part before the break is dropped, as its mark goes on with the rest.
  function splitAtBreak(el) {
    var mark = el.querySelector('.vm-pb, .vm-cb');
    if (!mark) return;
    var range = runRange();
    range.setStartAfter(mark);
    range.setEnd(el, el.childNodes.length);
    var rest = range.extractContents();
    range.collapse(true);
    var cont = el.cloneNode(false);
    cont.removeAttribute('id');
    cont.appendChild(rest);
    if (!cont.textContent.length && !cont.querySelector('img,svg,.vm-tbx')) cont.appendChild(document.createElement('br'));
    cont.classList.remove('vm-pbb');
    el.parentNode.insertBefore(cont, el.nextSibling);
    var pageBreak = mark.classList.contains('vm-pb');
    mark.parentNode.removeChild(mark);
    if (!el.textContent.replace(/\s/g, '').length && !el.querySelector('img,svg,.vm-tbx,table')) {
      el.parentNode.removeChild(el);  // the rest is the paragraph
    } else {
      continueElement(el, cont);      // the rest goes on from it
    }
    cont.classList.add(pageBreak ? 'vm-after-pb' : 'vm-after-cb');
  }

  // The endnote and comment lists go on as their items: laid out whole, a long list would be laid
  // out again for every page it fills.  The emptied box stays as the line above them.
  // A long page's blocks come in chunks (div.vm-chunk) the browser lays out only near the view:
  // the chunk at the head of the queue gives way to its blocks, which are then placed as any other.
  function openChunks(queue) {
    var el = queue.firstElementChild;
    while (el && el.classList.contains('vm-chunk')) {
      var range = document.createRange();
      range.selectNodeContents(el);
      queue.replaceChild(range.extractContents(), el);
      el = queue.firstElementChild;
    }
    return el;
  }

  function unwrapList(el) {
    if (!el.classList.contains('vm-notes') || !el.firstElementChild) return;
    var after = el.nextSibling;
    while (el.firstChild) el.parentNode.insertBefore(el.firstChild, after);
  }

  // The paragraphs kept with el at the end of the column go with it, unless they fill it.
  function keptBefore(col) {
    var chain = [], c = col.lastElementChild;
    while (c && c.classList.contains('vm-kn') && !c.classList.contains('vm-split')) { chain.unshift(c); c = c.previousElementSibling; }
    return c ? chain : [];
  }

  function requeue(list) {
    var queue = S.section.el;
    for (var k = list.length - 1; k >= 0; k--) queue.insertBefore(list[k], queue.firstChild);
  }

  function pageHasContent() { return S.page.placed > 0; }

  function placeNext() {
    var queue = S.section.el, el = openChunks(queue);
    while (queue.firstChild && queue.firstChild !== el) queue.removeChild(queue.firstChild);
    if (!el) return false;
    unwrapList(el);
    splitAtBreak(el);
    el = queue.firstElementChild;
    if (!el) return true;
    if (startsPage(el) && pageHasContent()) { el.classList.remove('vm-after-pb'); newPage(S.section); }
    else if (el.classList.contains('vm-after-cb')) {
      el.classList.remove('vm-after-cb');
      S.columnBreak = true;
      if (S.cols[S.colIndex].firstChild) nextColumnOrPage();
    }
    var col = S.cols[S.colIndex];
    var first = !col.firstChild && (S.colIndex > 0 || S.region === S.page.body.firstElementChild);
    col.appendChild(el);
    var notes = addNotes(el), batch = appendMore(queue, col, el), bottom = limit();
    if (batch.length > 1) {
      var over = firstBelow(batch, bottom);
      if (over < 0) { S.page.placed += batch.length; learn(batch, bottom); return true; }
      takeBack(batch, over === 0 ? 1 : over);
      S.room = 0;
      if (over > 0) { S.page.placed += over; return true; }
      bottom = limit();
    }
    if (bottomOf(el) <= bottom) { S.page.placed += 1; learn(batch.slice(0, 1), bottom); return true; }
    dropNotes(notes);
    bottom = limit();
    var cont = split(el, bottom, first, 0);
    if (cont) {
      addNotes(el);
      S.page.placed += 1;
      requeue([cont]);
      nextColumnOrPage();
      return true;
    }
    if (first) {  // taller than a page and not to be split: it stays, cut at the page's foot
      addNotes(el);
      S.page.placed += 1;
      if (bottomOf(el) > limit()) nextColumnOrPage();  // else a fixed row height let go, it fits
      return true;
    }
    col.removeChild(el);
    var moved = keptBefore(col);
    moved.push(el);
    for (var k = 0; k < moved.length; k++) dropNotes(notesIn(moved[k]));
    requeue(moved);
    nextColumnOrPage();
    return true;
  }

  // ---- batches ----
  // Measuring forces a layout of the page, and most blocks fit: the blocks that the room left in
  // the column should hold, judged by the blocks' mean height so far, go in together and are
  // measured once.  Only the first block of a batch may need a break, a split or a move; the
  // blocks from the first that ends below the room go back to the queue, to be placed one by one.

  // Appends to col, after el, the queue's next blocks that need no preparation, as many as the room
  // left is likely to hold (none while it is not known); el and them, in order.
  function appendMore(queue, col, el) {
    var batch = [el];
    if (!S.room || !S.blockHeight) return batch;
    var wanted = Math.min(kBatch, Math.floor(S.room / S.blockHeight) - 1);
    while (batch.length < wanted) {
      var next = openChunks(queue);
      if (!next || startsPage(next) || next.classList.contains('vm-after-cb') || next.classList.contains('vm-notes') ||
          next.querySelector('.vm-pb, .vm-cb')) break;
      while (queue.firstChild !== next) queue.removeChild(queue.firstChild);
      col.appendChild(next);
      addNotes(next);
      batch.push(next);
    }
    return batch;
  }

  // The index of the batch's first block that ends below bottom, -1 when all fit (blocks stand one
  // under the other, so their bottoms grow).
  function firstBelow(batch, bottom) {
    var lo = 0, hi = batch.length;
    while (lo < hi) {
      var mid = (lo + hi) >> 1;
      if (bottomOf(batch[mid]) > bottom) hi = mid; else lo = mid + 1;
    }
    return lo < batch.length ? lo : -1;
  }

  // Puts the batch's blocks from index from back at the head of the queue, their notes off the page.
  function takeBack(batch, from) {
    for (var k = from; k < batch.length; k++) dropNotes(notesIn(batch[k]));
    requeue(batch.slice(from));
  }

  // The room left under the blocks placed and their running mean height, read while the layout is
  // fresh.
  function learn(placed, bottom) {
    var last = placed[placed.length - 1].getBoundingClientRect(), top = placed[0].getBoundingClientRect().top;
    S.room = bottom - last.bottom;
    S.heightSum += Math.max(0, last.bottom - top);
    S.heightCount += placed.length;
    S.blockHeight = S.heightSum / S.heightCount;
  }

  function notesIn(el) {
    var list = [], refs = el.querySelectorAll('a.vm-nref[href^="#fn-"]');
    for (var k = 0; k < refs.length; k++) {
      var note = S.stories.notes[refs[k].getAttribute('href').substring(1)];
      if (note) list.push(note);
    }
    return list;
  }

  // ---- fields ----

  function fillFields(root, page) {
    var fields = root.querySelectorAll('.vm-fld[data-field]');
    for (var k = 0; k < fields.length; k++) {
      var type = fields[k].getAttribute('data-field').toUpperCase(), text = null;
      if (type === 'PAGE') text = page.el.getAttribute('data-number');
      else if (type === 'NUMPAGES') text = String(S.done ? S.pages.length : Math.max(S.pages.length, 1));
      else if (type === 'SECTIONPAGES') text = String(page.section.pages);
      if (text !== null && fields[k].textContent !== text) fields[k].textContent = text;
    }
  }

  // ---- the run ----

  function start() {
    if (S) return {pages: S.pages.length, done: S.done};
    var page = document.getElementById('page');
    var sectionEls = page ? page.querySelectorAll(':scope > .vm-section') : [];
    if (!sectionEls.length) { S = {pages: [], done: true, none: true}; return {pages: 0, done: true}; }
    var sections = [];
    for (var k = 0; k < sectionEls.length; k++) sections.push(sectionInfo(sectionEls[k], k));
    inheritParts(sections);
    addSheet(sections);
    // Each step places or moves a block, and a block moves at most once per piece it is split
    // into: a bound of a few steps per element ends any run that goes wrong on a hostile page.
    var steps = 8 * document.getElementsByTagName('*').length + 10000;
    S = {sections: sections, sectionIndex: 0, pages: [], group: null, range: null, number: 0, done: false, stepsLeft: steps,
         room: 0, blockHeight: 0, heightSum: 0, heightCount: 0,
         evenOdd: page.getAttribute('data-even-odd') === '1', stories: detachStories()};
    S.container = document.createElement('div');
    S.container.className = 'vm-pages';
    S.container.id = 'vm-pages';
    page.parentNode.insertBefore(S.container, page);
    document.documentElement.classList.add('vm-paged');
    startSection(sections[0]);
    return {pages: S.pages.length, done: false};
  }

  function finish() {
    S.done = true;
    for (var k = 0; k < S.pages.length; k++) fillFields(S.pages[k].el, S.pages[k]);
  }

  function work(ms) {
    if (!S) start();
    if (S.done) return {pages: S.pages.length, done: true};
    var until = performance.now() + (ms > 0 ? ms : 30);
    try {
      slice(until);
    } catch (e) {  // a page the layout cannot handle: what is left shows on the continuous page
      document.documentElement.classList.add('vm-paged-partial');
      finish();
    }
    return {pages: S.pages.length, done: S.done};
  }

  function slice(until) {
    do {
      if (--S.stepsLeft < 0) {  // what is left stays on the continuous page below the pages
        document.documentElement.classList.add('vm-paged-partial');
        finish();
        break;
      }
      if (!placeNext()) {
        S.sectionIndex += 1;
        if (S.sectionIndex >= S.sections.length) { finish(); break; }
        startSection(S.sections[S.sectionIndex]);
      }
    } while (performance.now() < until);
  }

  // The page whose box holds the middle of the window.  Pages stand one under the other, each at
  // its place (y) below the list's top: reading their boxes would lay out groups skipped while out
  // of view.
  function pageInView() {
    if (!S || !S.pages.length) return 0;
    var middle = window.innerHeight / 2 - S.container.getBoundingClientRect().top, lo = 0, hi = S.pages.length - 1;
    while (lo < hi) {
      var mid = (lo + hi + 1) >> 1;
      if (S.pages[mid].y - kPageGap / 2 <= middle) lo = mid; else hi = mid - 1;
    }
    return lo + 1;
  }

  function goTo(n) {
    if (!S || !S.pages.length) return 0;
    n = Math.max(1, Math.min(S.pages.length, n | 0));
    var rect = S.pages[n - 1].el.getBoundingClientRect();
    window.scrollTo(window.scrollX, window.scrollY + rect.top - kPageGap / 2);
    return n;
  }

  function state() {
    var first = S && S.pages.length ? S.pages[0].section : null;
    return {pages: S ? S.pages.length : 0, done: S ? S.done : false, current: pageInView(),
            width: first ? first.width : 0, height: first ? first.height : 0};
  }

  window.vmPages = {start: start, work: work, pageInView: pageInView, goTo: goTo, state: state};
})();
