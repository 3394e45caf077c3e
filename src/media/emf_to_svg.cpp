#include "media/emf_to_svg.h"

#include <emf2svg.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "media/svg_cleaner.h"

namespace vellumine::media {

namespace {

struct FreeWithC {
  void operator()(char* text) const { std::free(text); }
};

}  // namespace

bool emfToSvg(std::string_view emf, const ByteSink& sink) {
  // The library takes a writable buffer; it is given a copy.
  std::string contents(emf);
  // No prefix: with one, the library closes some elements (clipPath, defs) without it, which is
  // not well-formed XML.
  char nameSpace[] = "";
  generatorOptions options{};
  options.nameSpace = nameSpace;
  options.verbose = false;
  options.emfplus = true;
  options.svgDelimiter = true;  // a whole document, <?xml ...?> and the svg element
  options.imgWidth = 0;         // 0: the metafile's own frame
  options.imgHeight = 0;
  char* out = nullptr;
  std::size_t outLength = 0;
  const int status = emf2svg(contents.data(), contents.size(), &out, &outLength, &options);
  const std::unique_ptr<char, FreeWithC> owned(out);
  if (status == 0 || out == nullptr || outLength == 0) return false;
  const std::optional<std::string> clean = cleanSvg(std::string_view(out, outLength));
  return clean && sink(*clean);
}

}  // namespace vellumine::media
