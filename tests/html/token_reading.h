// The tokenizer driven as a browser's tree builder drives it (the raw-text elements switch its
// content model), for the tokenizer's own table and the comparison with Gumbo.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "html/html_tokenizer.h"

namespace vellumine::html::test {

// The content model a browser gives an element's content (scripting on: noscript is raw text).
ContentModel browserContentModel(std::string_view writtenName, bool scripting);

// Every token of text in order, with the raw-text elements switched as a browser does.
void readTokens(std::string_view text, bool scripting, const std::function<void(const Token&)>& visit);

// The tokens in a short notation: t(text) <name a=[value] b/> </name> c(comment) d(doctype) x(dropped).
std::string describeTokens(std::string_view text);

}  // namespace vellumine::html::test
