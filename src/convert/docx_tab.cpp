// Tab elements into spacers.  Runs after the run passes, when the runs have become HTML; a tab
// stop definition ("<tab val=... pos=.../>") is not a tab element and is left as it stands.
#include "convert/docx_tab.h"

#include "text/strutil.h"

namespace vellumine {

void convertTabs(Conversion& c) { c.text = ReplaceAllText(c.text, "<tab/>", " <b class=tab></b>"); }

}  // namespace vellumine
