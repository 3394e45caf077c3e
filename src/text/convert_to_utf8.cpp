// One iconv descriptor per conversion, fed the whole text; output goes through a fixed buffer into
// a string that grows geometrically.  Where iconv stops at a sequence it cannot convert, one
// U+FFFD stands for one skipped code unit, and the conversion goes on after it: a lead byte whose
// next bytes cannot finish it loses only itself (as in a browser's decoder), also where iconv
// takes them for the start of a sequence the end of the text cuts off (GB18030's "\x97" "5>").
#include "text/convert_to_utf8.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "text/encoding.h"

namespace vellumine {

namespace {

// Closes the descriptor however the conversion ends.
class Descriptor {
 public:
  explicit Descriptor(const std::string& from) : cd_(iconv_open("UTF-8", from.c_str())) {}
  ~Descriptor() {
    if (valid()) iconv_close(cd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

constexpr std::size_t kChunkBytes = 64 * 1024;

}  // namespace

std::optional<std::string> convertToUtf8(std::string_view bytes, const std::string& encodingName,
                                         std::size_t unitBytes) {
  const Descriptor converter(encodingName);
  if (!converter.valid()) return std::nullopt;
  unitBytes = std::max<std::size_t>(unitBytes, 1);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  std::array<char, kChunkBytes> chunk;
  // Each call converts until the input ends, the chunk is full (E2BIG) or a sequence fails.
  auto convertInto = [&](char** in, std::size_t* inLeft) {
    char* outAt = chunk.data();
    std::size_t outLeft = chunk.size();
    const std::size_t result = iconv(converter.get(), in, inLeft, &outAt, &outLeft);
    out.append(chunk.data(), static_cast<std::size_t>(outAt - chunk.data()));
    return result != static_cast<std::size_t>(-1) ? 0 : errno;
  };
  char* in = const_cast<char*>(bytes.data());  // iconv's signature; it never writes the input
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    const int error = convertInto(&in, &inLeft);
    if (error == 0 || error == E2BIG) continue;
    out.append(kUtf8Replacement);  // EILSEQ: a sequence that does not decode; EINVAL: cut off
    const std::size_t skipped = std::min(unitBytes, inLeft);
    in += skipped;
    inLeft -= skipped;
  }
  // A stateful encoding (ISO-2022-JP) may owe a last sequence that returns it to its first state.
  while (convertInto(nullptr, nullptr) == E2BIG) {
  }
  return out;
}

}  // namespace vellumine
