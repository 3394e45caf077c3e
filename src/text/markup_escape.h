// Text from the document written into markup: nothing brought in can end an element or an
// attribute and add markup of its own.
#pragma once
#include <string>
#include <string_view>

namespace vellumine {

// Appends text for the content of an element: "<" becomes "&lt;" and ">" becomes "&gt;".
void appendEscaped(std::string& out, std::string_view text);
// Appends value for the inside of a double-quoted attribute: a double quote becomes "&quot;".
void appendQuotedValue(std::string& out, std::string_view value);

}  // namespace vellumine
