// libwmf's API object owns everything the library allocates, the output stream's memory included:
// the SVG is copied out before the API is destroyed.
#include "media/wmf_to_svg.h"

#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <string>

#include "media/svg_cleaner.h"

namespace vellumine::media {

namespace {

class WmfPlayer {
 public:
  WmfPlayer() {
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    // Errors and debugging output are not printed: a failure is told by the result alone.
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api_, flags, &options) != wmf_E_None) api_ = nullptr;
  }
  ~WmfPlayer() {
    if (api_ != nullptr) wmf_api_destroy(api_);
  }
  WmfPlayer(const WmfPlayer&) = delete;
  WmfPlayer& operator=(const WmfPlayer&) = delete;

  // The SVG text of the metafile, empty when it cannot be played.
  std::string play(std::string_view wmf) {
    if (api_ == nullptr) return {};
    std::string contents(wmf);  // the library takes a writable buffer
    if (wmf_mem_open(api_, reinterpret_cast<unsigned char*>(contents.data()), static_cast<long>(contents.size())) != wmf_E_None) return {};
    wmfD_Rect bounds{};
    if (wmf_scan(api_, 0, &bounds) != wmf_E_None) return {};
    wmf_svg_t* device = WMF_SVG_GetData(api_);
    device->bbox = bounds;
    unsigned int width = 0, height = 0;
    if (wmf_display_size(api_, &width, &height, 96, 96) != wmf_E_None || width == 0 || height == 0) return {};
    device->width = width;
    device->height = height;
    device->flags |= WMF_SVG_INLINE_IMAGES;  // never a file of its own beside the SVG
    device->out = wmf_stream_create(api_, nullptr);
    if (device->out == nullptr) return {};
    const bool played = wmf_play(api_, 0, &bounds) == wmf_E_None;
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api_, device->out, &text, &length);
    device->out = nullptr;
    if (!played || text == nullptr) return {};
    return std::string(text, length);
  }

 private:
  wmfAPI* api_ = nullptr;
};

}  // namespace

bool wmfToSvg(std::string_view wmf, const ByteSink& sink) {
  const std::string svg = WmfPlayer().play(wmf);
  if (svg.empty()) return false;
  const std::optional<std::string> clean = cleanSvg(svg);
  return clean && sink(*clean);
}

}  // namespace vellumine::media
