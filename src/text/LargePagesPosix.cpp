// POSIX implementation of LargePages.h.

#include "text/LargePages.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace sf6 {
namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

class LargePageResource final : public std::pmr::memory_resource {
  void *do_allocate(std::size_t bytes, std::size_t alignment) override {
    if (bytes < kLargePage)
      return ::operator new (bytes, std::align_val_t{alignment});
    void *memory = ::operator new (bytes, std::align_val_t{kLargePage});
    AdviseLargeBuffer(memory, bytes);
    return memory;
  }
  void do_deallocate(void *memory, std::size_t bytes, std::size_t alignment) override {
    ::operator delete (memory, std::align_val_t{bytes < kLargePage ? alignment : kLargePage});
  }
  bool do_is_equal(const std::pmr::memory_resource &other) const noexcept override {
    return this == &other;
  }
};

} // namespace

void AdviseLargeBuffer(void *data, std::size_t size) {
  if (size < 2 * kLargePage)
    return;
  const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + pageSize - 1) / pageSize * pageSize;
  const std::uintptr_t last = (begin + size) / pageSize * pageSize;
#ifdef MADV_HUGEPAGE
  if (last > first)
    ::madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
#else
  (void)first;
  (void)last;
#endif
}

std::pmr::memory_resource *LargePageMemory() {
  // Stateless: one instance serves every catalog.
  static LargePageResource resource;
  return &resource;
}

} // namespace sf6
