// The scripts that read and set the reader's place on a document's page, by the blocks of the
// document's own text, so that a place survives a page made again with more or less around that
// text (notes, headers), at another zoom, or in another session.  They run in the application's
// script world (page scripts stay off).
#pragma once
#include <QString>

// Answers [x, y into the block, -1, block]: the horizontal scroll, and the first text block whose
// bottom is below the top of the view with how far the view's top is into it.  Without any text
// block: [x, scrollY, -1, -1].
QString readTextPlaceScript();

// Scrolls to y into text block block (horizontally to x) and answers true; when the page has no
// such block it goes to the top and answers false.
QString scrollToTextPlaceScript(int block, double x, double y);
