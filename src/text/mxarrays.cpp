// TBaseArray / TIntArray: fixed-size items in one zero-filled block, with index errors and a
// memory guard that refuses a capacity the machine could not hold (free RAM + free swap).
#include "text/mxarrays.h"

#include <malloc.h>
#include <sys/sysinfo.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

namespace vellumine {

namespace {

constexpr const char* kGeneralArrayError = "General array error.";
constexpr const char* kLowCapacityMessage =
    "The DecisionCube Capacity is low. Please deactivate dimensions or change the data set.";

// -1 until first asked for; then measured once, or set by SetArrayMemoryLimit.
std::atomic<std::int64_t> memoryLimit{-1};

std::int64_t measureFreeMemory() {
  struct sysinfo info {};
  if (::sysinfo(&info) != 0) return INT64_MAX;
  auto unit = static_cast<std::int64_t>(info.mem_unit ? info.mem_unit : 1);
  return (static_cast<std::int64_t>(info.freeram) + static_cast<std::int64_t>(info.freeswap)) * unit;
}

// Memory the program already holds from its allocator.
std::int64_t heldMemory() {
  struct mallinfo2 info = ::mallinfo2();
  return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
}

[[noreturn]] void throwIndexError(std::int64_t index) {
  throw EArrayError("Array index out of range : " + std::to_string(index));
}

}  // namespace

std::int64_t ArrayMemoryLimit() {
  std::int64_t limit = memoryLimit.load();
  if (limit < 0) {
    limit = measureFreeMemory();
    memoryLimit.store(limit);
  }
  return limit;
}

void SetArrayMemoryLimit(std::int64_t bytes) { memoryLimit.store(bytes); }

TBaseArray::TBaseArray(std::int32_t initialCapacity, std::int32_t itemSize) : itemSize_(itemSize) {
  if (itemSize <= 0) throw EArrayError(kGeneralArrayError);
  SetCapacity(initialCapacity);
}

TBaseArray::~TBaseArray() { std::free(storage_); }

void TBaseArray::Clear() {
  std::free(storage_);
  storage_ = nullptr;
  capacity_ = 0;
  count_ = 0;
}

void TBaseArray::SetCapacity(std::int32_t n) {
  if (n < count_ || n > kMaxCapacity) throwIndexError(n);
  if (n == capacity_) return;
  auto newBytes = static_cast<std::int64_t>(n) * itemSize_;
  if (n > capacity_ && newBytes + heldMemory() > ArrayMemoryLimit()) throw ELowCapacityError(kLowCapacityMessage);
  if (n == 0) {
    Clear();
    return;
  }
  void* block = std::realloc(storage_, static_cast<std::size_t>(newBytes));
  if (!block) throw ELowCapacityError(kLowCapacityMessage);
  storage_ = static_cast<unsigned char*>(block);
  if (n > capacity_) {
    auto oldBytes = static_cast<std::size_t>(capacity_) * static_cast<std::size_t>(itemSize_);
    std::memset(storage_ + oldBytes, 0, static_cast<std::size_t>(newBytes) - oldBytes);
  }
  capacity_ = n;
}

void TBaseArray::Grow() {
  if (capacity_ == kMaxCapacity) throwIndexError(capacity_);
  std::int32_t step = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
  SetCapacity(capacity_ > kMaxCapacity - step ? kMaxCapacity : capacity_ + step);
}

// Grows by the growth step rather than to exactly count + 1, so that n additions copy O(n) bytes.
void TBaseArray::InsertAt(std::int32_t index, const void* item) {
  if (index < 0 || index > count_) throwIndexError(index);
  if (!item) {
    Clear();
    throw EArrayError(kGeneralArrayError);
  }
  if (count_ == capacity_) Grow();
  auto size = static_cast<std::size_t>(itemSize_);
  unsigned char* at = storage_ + static_cast<std::size_t>(index) * size;
  std::memmove(at + size, at, static_cast<std::size_t>(count_ - index) * size);
  std::memcpy(at, item, size);
  ++count_;
}

void* TBaseArray::Slot(std::int32_t index) { return storage_ + static_cast<std::size_t>(index) * static_cast<std::size_t>(itemSize_); }
const void* TBaseArray::Slot(std::int32_t index) const {
  return storage_ + static_cast<std::size_t>(index) * static_cast<std::size_t>(itemSize_);
}

TIntArray::TIntArray(std::int32_t initialCapacity) : TBaseArray(initialCapacity, sizeof(std::int32_t)) {}

std::int32_t TIntArray::Add(std::int32_t value) {
  InsertAt(count_, &value);
  return count_ - 1;
}

// Index count is accepted (callers only read below it); a slot that was never allocated reads 0
// instead of memory past the block.
std::int32_t TIntArray::Get(std::int32_t index) const {
  if (index < 0 || index > count_) throwIndexError(index);
  if (index >= capacity_) return 0;
  std::int32_t value;
  std::memcpy(&value, Slot(index), sizeof value);
  return value;
}

void TIntArray::Put(std::int32_t index, std::int32_t value) {
  if (index < 0 || index > count_) throwIndexError(index);
  if (index == count_) {
    if (count_ == capacity_) Grow();
    ++count_;
  }
  std::memcpy(Slot(index), &value, sizeof value);
}

void TIntArray::Assign(const TIntArray& source) {
  if (&source == this) return;
  Clear();
  SetCapacity(source.Count());
  for (std::int32_t k = 0; k < source.Count(); ++k) Add(source.Get(k));
}

}  // namespace vellumine
