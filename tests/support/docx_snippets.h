// XML snippets for the model's readers, written with the canonical prefixes the readers expect
// ("w:", "a:") and parsed with pugixml, so a case table's row stays one line:
//   ParsedXml xml(rPr(R"(<w:b/><w:sz w:val="28"/>)"));  readRunProps(xml.root(), warnings);
#pragma once
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace vellumine::test {

// "<name>inner</name>".
std::string wrapIn(std::string_view name, std::string_view inner);

inline std::string rPr(std::string_view inner) { return wrapIn("w:rPr", inner); }
inline std::string pPr(std::string_view inner) { return wrapIn("w:pPr", inner); }
inline std::string tblPr(std::string_view inner) { return wrapIn("w:tblPr", inner); }
inline std::string trPr(std::string_view inner) { return wrapIn("w:trPr", inner); }
inline std::string tcPr(std::string_view inner) { return wrapIn("w:tcPr", inner); }
inline std::string sectPr(std::string_view inner) { return wrapIn("w:sectPr", inner); }
inline std::string stylesPart(std::string_view inner) { return wrapIn("w:styles", inner); }
inline std::string numberingPart(std::string_view inner) { return wrapIn("w:numbering", inner); }
inline std::string settingsPart(std::string_view inner) { return wrapIn("w:settings", inner); }
inline std::string fontsPart(std::string_view inner) { return wrapIn("w:fonts", inner); }
// a:theme with inner inside a:themeElements.
inline std::string themePart(std::string_view inner) { return wrapIn("a:theme", wrapIn("a:themeElements", inner)); }

// text repeated count times ("<w:tab w:pos=\"1\"/>" x 100000), for the bounded-input rows.
std::string repeated(std::string_view text, std::size_t count);

// A parsed snippet.  A snippet that is not well-formed fails the running test (a typo in a row
// must not pass as "nothing read").
class ParsedXml {
 public:
  explicit ParsedXml(std::string_view xml);
  ParsedXml(const ParsedXml&) = delete;
  ParsedXml& operator=(const ParsedXml&) = delete;
  pugi::xml_node root() const { return document_.document_element(); }

 private:
  pugi::xml_document document_;
};

}  // namespace vellumine::test
