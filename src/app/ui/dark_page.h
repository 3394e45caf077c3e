// DarkPage: View > Dark Page (Ctrl+I), for reading at night.  The page's paper turns dark and its
// text light; each text keeps its hue and is brought just far enough in lightness to read at a
// contrast of at least 4.5:1 against what is now behind it, so coloured text stays told apart.
// Shading and cell fills that were light are darkened the same way; dark ones stay.  Pictures are
// left as they are (nothing inverts their pixels).  Everything it sets applies to the screen only
// (a style sheet for screen media, switched by a class on the root element), so printing, the PDF
// export and Save As HTML, which read the document's files, never see it.  The scripts run in the
// application's script world; page scripts stay off.
#pragma once
#include "app/ui/page_script_toggle.h"

class QWebEngineView;

class DarkPage : public PageScriptToggle {
  Q_OBJECT

 public:
  explicit DarkPage(QWebEngineView* view);
};
