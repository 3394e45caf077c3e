// What the sanitiser does with each element and attribute it meets, by name: one table each.
#pragma once
#include <string_view>

#include "html/html_tokenizer.h"

namespace vellumine::html {

enum class ElementTreatment : unsigned char {
  Keep,          // the element stays; its attributes are checked
  DropTag,       // its tags go, what it holds stays (and is read as markup, as a browser will)
  DropWithText,  // a raw-text element: start tag, text and end tag go
  DropSubtree,   // SVG, MathML, template, object, applet: everything up to the matching end tag goes
  HeadText,      // title, style: kept in the head when the text is inert, else DropWithText
  Meta,          // kept unless it has an http-equiv other than Content-Type (refresh, cookies)
};

struct ElementRule {
  std::string_view name;   // lower case
  ElementTreatment treatment;
  ContentModel content;    // how a browser reads what follows its start tag
};

// The rule for an element by its name as written (any case); Keep for every unlisted name.
ElementRule elementRule(std::string_view writtenName);

// Elements a browser leaves in the head; any other start tag (or text) ends it.
bool staysInHead(std::string_view writtenName);

enum class AttributeTreatment : unsigned char {
  Keep,
  Drop,    // event handlers (on...), srcdoc, srcset, action, formaction, ping, data, ...
  Link,    // href, cite, longdesc, usemap: isAllowedLink
  Source,  // src, poster, background, lowsrc, dynsrc: isAllowedSource
  Style,   // style: isInertDeclarations
};

AttributeTreatment attributeTreatment(std::string_view writtenName);

}  // namespace vellumine::html
