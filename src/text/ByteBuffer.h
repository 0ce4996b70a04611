#pragma once

// The bytes of an archive entry as read or inflated. Reading and inflating
// overwrite every byte they add, so growing the buffer leaves the new bytes
// uninitialised: zero-filling tens of megabytes first would double the
// memory traffic of loading a catalog.

#include <cstddef>
#include <memory>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

namespace sf6 {

// std::allocator whose value-less construct default-initialises, so that
// resize() of a vector of bytes does not fill.
template <class T> struct UninitialisedAllocator : std::allocator<T> {
  using value_type = T;
  template <class U> struct rebind { using other = UninitialisedAllocator<U>; };
  UninitialisedAllocator() noexcept = default;
  template <class U>
  UninitialisedAllocator(const UninitialisedAllocator<U> &other) noexcept
      : std::allocator<T>(other) {}

  template <class U> void construct(U *p) noexcept { ::new (static_cast<void *>(p)) U; }
  template <class U, class... Args> void construct(U *p, Args &&...args) {
    ::new (static_cast<void *>(p)) U(std::forward<Args>(args)...);
  }
};

using ByteBuffer = std::vector<char, UninitialisedAllocator<char>>;

inline std::string_view AsView(const ByteBuffer &bytes) {
  return {bytes.data(), bytes.size()};
}

inline void AppendBytes(ByteBuffer &bytes, std::string_view more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
}

inline ByteBuffer ToByteBuffer(std::string_view text) {
  return ByteBuffer(text.begin(), text.end());
}

} // namespace sf6
