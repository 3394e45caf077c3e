// TBaseArray / TIntArray: growable arrays of fixed-size items in one block, with the index errors
// and the memory guard that refuses absurd sizes.
#pragma once
#include <cstdint>
#include <stdexcept>

namespace vellumine {

class EArrayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class ELowCapacityError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TBaseArray {
 public:
  static constexpr std::int32_t kMaxCapacity = 134217727;
  TBaseArray(std::int32_t initialCapacity, std::int32_t itemSize);
  virtual ~TBaseArray();
  TBaseArray(const TBaseArray&) = delete;
  TBaseArray& operator=(const TBaseArray&) = delete;

  std::int32_t Count() const { return count_; }
  std::int32_t Capacity() const { return capacity_; }
  void Clear();
  void SetCapacity(std::int32_t n);

 protected:
  void Grow();
  void InsertAt(std::int32_t index, const void* item);
  void* Slot(std::int32_t index);
  const void* Slot(std::int32_t index) const;

  unsigned char* storage_ = nullptr;
  std::int32_t capacity_ = 0;
  std::int32_t itemSize_;
  std::int32_t count_ = 0;
};

class TIntArray : public TBaseArray {
 public:
  explicit TIntArray(std::int32_t initialCapacity = 0);
  std::int32_t Add(std::int32_t value);
  std::int32_t Get(std::int32_t index) const;  // 0 .. Count() accepted
  void Put(std::int32_t index, std::int32_t value);
  void Assign(const TIntArray& source);
};

// The memory guard's limit in bytes (free RAM + free swap); tests may lower it.
std::int64_t ArrayMemoryLimit();
void SetArrayMemoryLimit(std::int64_t bytes);

}  // namespace vellumine
