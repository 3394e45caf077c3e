// The page of the whole document: the first section's header above the body, its footnotes, then
// its endnotes, each list under a thin rule, the comments with author and date, the footer below,
// and the headers and footers of later sections after it.  The body's references become marks
// linked to their notes and comments.  Every block set around the body has an id that starts with
// "vellumine-", so that the viewer can tell the body's own blocks from them.
#pragma once
#include "convert/conversion.h"
#include "convert/docx_stories.h"

namespace vellumine {

// Rewrites c.text, the finished page of the main part, into the page of the whole document.
// A page without stories and without references to any is left byte for byte as it is.
void addStoriesToPage(Conversion& c, const Stories& stories);

// "2015-08-14T13:43:00Z" as "2015-08-14 13:43"; any other text as it stands.
std::string displayDate(std::string_view date);

}  // namespace vellumine
