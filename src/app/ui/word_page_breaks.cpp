#include "app/ui/word_page_breaks.h"

#include <QString>

namespace {

// The class on the root element, and the count of the marks wherever the page view put them.
const QString kShowScript = QStringLiteral(
    "(function(on){var root=document.documentElement;if(!root)return 0;"
    "root.classList.toggle('vm-wpb-on',on);return document.querySelectorAll('.vm-wpb').length;})(%1)");

}  // namespace

WordPageBreaks::WordPageBreaks(QWebEngineView* view) : PageScriptToggle(view, kShowScript) {}
