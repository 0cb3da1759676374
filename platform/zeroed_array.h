#pragma once
// Memory for the arrays that grow with the length of the line (the track
// plan holds two doubles a metre, up to 16 MB). Such an array is filled once,
// front to back, right after it is created, and the first touch of fresh
// memory is what costs: one page fault per 4 KiB page, a few megabytes of
// them for a long line. A large block is therefore mapped on its own and
// advised for huge pages, so that it faults in per 2 MiB instead.

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

namespace platform {

// At least bytes of zeroed memory, aligned for any number type. Throws
// std::bad_alloc when there is none. release_zeroed() takes the block back
// with the same size.
void* allocate_zeroed(std::size_t bytes);
void release_zeroed(void* block, std::size_t bytes);

// A fixed-size array of a plain value type, all zero at creation. Copies
// are deep; a moved-from array is empty.
template <typename T>
class ZeroedArray {
  static_assert(std::is_trivially_copyable_v<T>, "the array is copied and zeroed byte by byte");

 public:
  ZeroedArray() = default;
  explicit ZeroedArray(std::size_t count)
      : data_(count == 0 ? nullptr : static_cast<T*>(allocate_zeroed(count * sizeof(T)))), size_(count) {}
  ~ZeroedArray() { release_zeroed(data_, size_ * sizeof(T)); }

  ZeroedArray(const ZeroedArray& other) : ZeroedArray(other.size_) {
    if (size_ > 0) std::memcpy(data_, other.data_, size_ * sizeof(T));
  }
  ZeroedArray& operator=(const ZeroedArray& other) {
    if (this != &other) *this = ZeroedArray(other);
    return *this;
  }
  ZeroedArray(ZeroedArray&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  ZeroedArray& operator=(ZeroedArray&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  T& operator[](std::size_t index) { return data_[index]; }
  const T& operator[](std::size_t index) const { return data_[index]; }

 private:
  T* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace platform
