// An independent judge of a page: parses it with a real HTML5 parser (Gumbo) and lists what in
// the resulting tree can run, load, frame, submit or navigate, by the rules the sanitiser keeps.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vellumine::test {

// One line per finding ("element script", "attribute onerror on img", ...); empty for a safe page.
std::vector<std::string> findActiveContent(std::string_view page);

}  // namespace vellumine::test
