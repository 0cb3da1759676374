#include "platform/zeroed_array.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace platform {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Smaller blocks come from the ordinary heap: a huge page would mostly hold
// nothing.
constexpr std::size_t kMappedFrom = std::size_t{1} << 20;

// Under AddressSanitizer every block comes from the heap, where the
// sanitizer watches its bounds.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kHeapOnly = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kHeapOnly = true;
#else
constexpr bool kHeapOnly = false;
#endif
#else
constexpr bool kHeapOnly = false;
#endif

bool from_heap(std::size_t bytes) { return kHeapOnly || bytes < kMappedFrom; }

std::size_t whole_huge_pages(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

// Maps one huge page more than needed and keeps the part that starts on a
// huge page boundary, so that every page of the block can be a huge one.
void* map_aligned(std::size_t length) {
  const std::size_t mapped = length + kHugePage;
  void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  const auto raw_address = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t start = (raw_address + kHugePage - 1) / kHugePage * kHugePage;
  const std::size_t head = start - raw_address;
  if (head > 0) ::munmap(raw, head);
  const std::size_t tail = mapped - head - length;
  if (tail > 0) ::munmap(reinterpret_cast<void*>(start + length), tail);
  return reinterpret_cast<void*>(start);
}

}  // namespace

void* allocate_zeroed(std::size_t bytes) {
  if (from_heap(bytes)) {
    void* block = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (block == nullptr) throw std::bad_alloc();
    return block;
  }
  const std::size_t length = whole_huge_pages(bytes);
  void* block = map_aligned(length);
#ifdef MADV_HUGEPAGE
  // Advice only: where huge pages are off, the block keeps small pages.
  ::madvise(block, length, MADV_HUGEPAGE);
#endif
  return block;  // fresh anonymous memory reads as zero
}

void release_zeroed(void* block, std::size_t bytes) {
  if (block == nullptr) return;
  if (from_heap(bytes)) {
    std::free(block);
  } else {
    ::munmap(block, whole_huge_pages(bytes));
  }
}

}  // namespace platform
