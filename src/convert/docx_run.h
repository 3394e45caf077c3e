// Runs and their character formatting: bold, italic, underline, subscript and superscript become
// b, i, u, sub and sup; font, size, colour and highlight become a styled span; the run markup goes.
#pragma once
#include <string>
#include <string_view>

#include "convert/conversion.h"

namespace vellumine {

// Formats every run of one paragraph's content.  paragraphCss is the style the paragraph already
// carries: a run does not repeat its font or colour declaration.
void convertRuns(std::string& content, std::string_view paragraphCss);

// Wraps the text of every run whose properties hold the empty element name ("<b/>") in that
// element, inside the run.
void wrapToggle(std::string& content, std::string_view name);
// The same for the runs that follow each occurrence of marker (plain text, anywhere).
void wrapOnMarker(std::string& content, std::string_view marker, std::string_view name);

// What goes around the text of one formatted run ("<r..><rPr>..</rPr>TEXT</r>"): a span start
// tag and "</span>" when its font, size, colour or highlight add to the paragraph's style, else
// nothing.
struct RunSpan {
  std::string open;
  std::string close;
};
RunSpan runSpan(std::string_view run, std::string_view paragraphCss);

// The clean-up pass over the document text: what is left of run markup goes, and neighbouring
// spans with identical start tags become one.
void finishRuns(Conversion& c);

}  // namespace vellumine
