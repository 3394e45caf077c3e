// Which clicked links the viewer hands to the desktop, and what it hands over: web and mail links
// at once, local files and FTP only once the user has seen the target and agreed, anything else
// (script, data, ...) never; a mail link without the fields that make a mail program attach files.
#pragma once
#include <string>
#include <string_view>

namespace vellumine {

enum class LinkHandOff { OpenAtOnce, AskFirst, Refuse };

// By the link target's scheme, compared without case.
LinkHandOff linkHandOff(std::string_view scheme);

// The link the desktop is given for url (percent-encoded, as the view reports a clicked link): a
// mail link keeps its address and its subject, body, cc and bcc fields, in their order and as
// written, and loses every other field (attach, attachment, ...) with its separator, however its
// name is written (html/mail_link.h); any other link comes back as it is.
std::string linkToHandOver(std::string_view url);

}  // namespace vellumine
