// ZipCursor: a bounded little-endian reader over the bytes of one ZIP record.  A read past the end
// sets a failure flag that stays set and makes every later read return 0, so a record is parsed
// straight through and checked once with ok() at the end.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vellumine {

class ZipCursor {
 public:
  explicit ZipCursor(std::span<const std::byte> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  std::size_t offset() const { return offset_; }
  std::size_t remaining() const { return ok_ ? bytes_.size() - offset_ : 0; }

  // Moves to an absolute offset inside the record; past the end fails.
  void seek(std::size_t offset) {
    if (offset > bytes_.size()) ok_ = false;
    if (ok_) offset_ = offset;
  }
  void skip(std::size_t n) { take(n); }

  std::uint16_t u16() { return static_cast<std::uint16_t>(le(2)); }
  std::uint32_t u32() { return static_cast<std::uint32_t>(le(4)); }
  std::uint64_t u64() { return le(8); }

  // The next n bytes; empty (and failed) when fewer remain.
  std::span<const std::byte> bytes(std::size_t n) {
    const std::byte* p = take(n);
    return p ? std::span<const std::byte>(p, n) : std::span<const std::byte>();
  }
  std::string text(std::size_t n) {
    std::span<const std::byte> b = bytes(n);
    return std::string(reinterpret_cast<const char*>(b.data()), b.size());
  }

 private:
  const std::byte* take(std::size_t n) {
    if (!ok_ || n > bytes_.size() - offset_) {
      ok_ = false;
      return nullptr;
    }
    const std::byte* p = bytes_.data() + offset_;
    offset_ += n;
    return p;
  }

  std::uint64_t le(std::size_t n) {
    const std::byte* p = take(n);
    if (!p) return 0;
    std::uint64_t value = 0;
    for (std::size_t i = n; i-- > 0;) value = (value << 8) | std::to_integer<std::uint64_t>(p[i]);
    return value;
  }

  std::span<const std::byte> bytes_;
  std::size_t offset_ = 0;
  bool ok_ = true;
};

}  // namespace vellumine
