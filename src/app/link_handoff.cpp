// A file: or ftp: link may start a program or open a share the user never meant to touch; the
// target is shown first.  Schemes of other handlers stay refused, as the viewer always did.  A mail
// link is read as the sanitiser reads the links it keeps, so the desktop gets what a written page
// would hand over.
#include "app/link_handoff.h"

#include <array>

#include "html/mail_link.h"
#include "text/chartype.h"

namespace vellumine {

namespace {

constexpr std::array<std::string_view, 3> kOpenAtOnce = {"http", "https", "mailto"};
constexpr std::array<std::string_view, 2> kAskFirst = {"file", "ftp"};

bool sameScheme(std::string_view lower, std::string_view scheme) {
  if (lower.size() != scheme.size()) return false;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (AsciiLower(static_cast<unsigned char>(scheme[i])) != static_cast<unsigned char>(lower[i])) return false;
  }
  return true;
}

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& schemes, std::string_view scheme) {
  for (std::string_view s : schemes) {
    if (sameScheme(s, scheme)) return true;
  }
  return false;
}

}  // namespace

LinkHandOff linkHandOff(std::string_view scheme) {
  if (listed(kOpenAtOnce, scheme)) return LinkHandOff::OpenAtOnce;
  if (listed(kAskFirst, scheme)) return LinkHandOff::AskFirst;
  return LinkHandOff::Refuse;
}

std::string linkToHandOver(std::string_view url) {
  std::string handed;
  std::size_t copied = 0;
  for (const html::ByteRange& refused : html::refusedMailFieldRanges(url)) {
    handed.append(url.substr(copied, refused.begin - copied));
    copied = refused.end;
  }
  return handed.append(url.substr(copied));
}

}  // namespace vellumine
