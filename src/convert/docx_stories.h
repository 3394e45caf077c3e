// The stories beside the main text (footnotes, endnotes, comments, headers and footers) converted
// by the same passes as the body: each note, comment, header and footer is a document text of its
// own, converted with the body's styles and numbering and with its own part's relationships.
#pragma once
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "convert/story_parts.h"

namespace vellumine {

// The bytes of one story part and of its relationship part.
struct StoryText {
  std::string part, relationships;
};

// Every story a page shows, as stored.
struct StoryTexts {
  std::vector<StoryText> footnotes, endnotes, comments;
  StoryText header, footer;
  std::vector<StoryText> otherHeadersAndFooters;
};

StoryTexts readStoryTexts(const StorySources& sources);

// One note or comment of its part, converted.
struct StoryItem {
  std::string id;    // its w:id, as written
  std::string html;  // the converted content: paragraphs, tables, lists
  std::string author, initials, date;  // comments only, as written (markup escapes kept)
};

struct Stories {
  std::vector<StoryItem> footnotes, endnotes, comments;  // in part order; separator notes left out
  std::string header, footer;                            // of the first section
  std::vector<std::string> otherHeadersAndFooters;
  bool empty() const;
};

// Converts every story, each part and its relationships made UTF-8 first (xmlPartToUtf8, as
// loadPartTexts does for the body's parts); body is the document's loaded conversion, whose
// styles, numbering and settings the stories share.
Stories convertStories(const Conversion& body, StoryTexts texts);

// The field instructions and field characters of a story taken out, so that each field shows the
// result stored in the document (a page number in a footer) and no instruction text.
void keepFieldResults(std::string& story);

}  // namespace vellumine
