// TWordHTM: the clean-up pass over finished HTML (white space in tags, runs of blanks, and the
// presentational leftovers of word-processor HTML).
#pragma once
#include <string>

#include "convert/conversion.h"
#include "text/wsregex.h"

namespace vellumine {

class TWordHTM {
 public:
  TWordHTM();
  // Rewrites text in place; keeps no state between calls.
  void cleanHtml(std::string& text);

 private:
  TWSRegEx regex_;  // caseless, "." matching line breaks; only the empty-spacer step uses it
};

// The first step of cleanHtml: line feeds and tabs inside tags become blanks.
void blankTagWhitespace(std::string& text);

// The pass table's optimiser step: cleanHtml over the document text.
void optimize(Conversion& c);

}  // namespace vellumine
