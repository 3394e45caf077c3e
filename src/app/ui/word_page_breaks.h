// WordPageBreaks: View > Word's Page Breaks.  A document Word saved records where Word broke its
// pages; the faithful page keeps each place as a hidden mark numbered with Word's page
// (render/word_pages.h).  While the item is on, a class on the page's root element (vm-wpb-on)
// shows them as small "Word p. N" labels in the left margin, on the continuous page and in the
// page view alike, so the reader can compare Word's pages with the viewer's.  The class is set by
// a script in the application's script world (page scripts stay off), for the page shown and
// every page loaded after it.  The page's own sheet keeps the labels off paper: printing, the PDF
// export and Save As HTML never show them.
#pragma once
#include "app/ui/page_script_toggle.h"

class QWebEngineView;

class WordPageBreaks : public PageScriptToggle {
  Q_OBJECT

 public:
  explicit WordPageBreaks(QWebEngineView* view);
};
