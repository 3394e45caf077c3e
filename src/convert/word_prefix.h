// Word writes the main namespace as "w:", and every pass is written against that; some tools bind
// it to another prefix ("ns0:").  Such a part is brought to the usual "w:" form when it is loaded.
#pragma once
#include <string>
#include <string_view>

namespace vellumine {

// The prefix bound to the WordprocessingML main namespace (transitional or strict), empty when the
// part declares none.
std::string wordNamespacePrefix(std::string_view part);

// Rewrites element and attribute names of another prefix to "w:"; text content is not touched.
void normaliseWordPrefix(std::string& part);

}  // namespace vellumine
