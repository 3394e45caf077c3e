// Which clicked links the viewer hands to the desktop: web and mail links at once, local files
// and FTP only once the user has seen the target and agreed, anything else (script, data, ...)
// never.
#pragma once
#include <string_view>

namespace vellumine {

enum class LinkHandOff { OpenAtOnce, AskFirst, Refuse };

// By the link target's scheme, compared without case.
LinkHandOff linkHandOff(std::string_view scheme);

}  // namespace vellumine
