// Word writes the main namespace as "w:", and every pass is written against unprefixed names.
// The prefix is rewritten only where it begins a name (an element name after "<" or "</", an
// attribute name after a blank inside a tag): text content, attribute values, comments, CDATA
// sections and processing instructions keep it ("as shown below:" stays whole).  The same walk
// drops the blanks that end a tag: writers other than Word put one before "/>" ("<w:ilvl w:val="0" />"),
// and the readers and patterns of the passes expect the tag as Word writes it ("<w:ilvl w:val="0"/>").
#pragma once
#include <string>
#include <string_view>

namespace vellumine {

// The prefix bound to the WordprocessingML main namespace (transitional or strict), empty when the
// part declares none.
std::string wordNamespacePrefix(std::string_view part);

// Some tools bind the main namespace to another prefix ("ns0:"); such a part is brought to the
// usual "w:" form when it is loaded.
void normaliseWordPrefix(std::string& part);

// Removes "w:" from the start of every element and attribute name (and the blanks ending a tag).
void stripWordPrefix(std::string& part);

// Replaces the name prefix from by to (to no longer than from) wherever it begins a name, and drops
// the blanks (spaces, tabs, line breaks) that stand before a tag's "/>" or ">", in one left-to-right
// pass, in place.  A tag that never closes ends at the next "<"; a comment, CDATA section or
// processing instruction that never closes runs to the end of the part.
void renameNamePrefix(std::string& part, std::string_view from, std::string_view to);

}  // namespace vellumine
