// Hostile markup for the sanitiser's checks, one row per trick, named after what it tries: each
// row is active content when it reaches a page as it stands.  Shared by the sanitiser's tests,
// the document-level tests and the browser test.
#pragma once
#include <span>
#include <string_view>

namespace vellumine::test {

struct HostileMarkup {
  std::string_view name;
  std::string_view markup;
};

std::span<const HostileMarkup> hostileMarkup();

// The address every row loads from when it fetches: a request to it means the page reached out.
inline constexpr std::string_view kHostileHost = "evil.example";

}  // namespace vellumine::test
