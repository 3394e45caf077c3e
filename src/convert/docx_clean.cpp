// preClean strips the "w:" prefix, the text-run wrappers, paragraph and row attributes, proofing and
// smart-tag markup from document.xml before the structural passes run; reformat puts a line break
// before every p, t and d tag of the finished HTML so that the page source reads one block a line.
#include "convert/docx_clean.h"

#include "text/strutil.h"

namespace vellumine {

void preClean(Conversion& c) {
  // Every "w:" goes, text content included: the passes are written against unprefixed names.
  c.text = ReplaceAllText(c.text, "w:", "");
  c.text = ReplaceAllText(c.text, "<t>", "");
  RegexDeleteAll(c.regex, c.text, "<t [^>]+>");
  RegexReplaceAll(c.regex, c.text, "<p [^>/]+>", "<p>");
  RegexReplaceAll(c.regex, c.text, "<tr [^>]+>", "<tr>");
  c.text = ReplaceAllText(c.text, "</t>", "");
  RegexDeleteAll(c.regex, c.text, "<proofErr[^>]+/>");
  RegexDeleteAll(c.regex, c.text, "<smartTag[^>]+>");
  c.text = ReplaceAllText(c.text, "</smartTag>", "");
}

void reformat(Conversion& c) {
  RegexReplaceAll(c.regex, c.text, "<(?=[ptd])", "\r\n<");
}

}  // namespace vellumine
