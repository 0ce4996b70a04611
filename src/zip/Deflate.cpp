#include "zip/Deflate.h"

#include <libdeflate.h>

#include "zip/ZipPlatform.h"

#include <memory>
#include <new>

namespace sf6 {
namespace {

struct DecompressorFree {
  void operator()(libdeflate_decompressor *d) const { libdeflate_free_decompressor(d); }
};
struct CompressorFree {
  void operator()(libdeflate_compressor *c) const { libdeflate_free_compressor(c); }
};

} // namespace

uint32_t Crc32(std::string_view bytes, uint32_t crc) {
  return libdeflate_crc32(crc, bytes.data(), bytes.size());
}

uint64_t MaxInflatedSize(uint64_t compressedSize) {
  return compressedSize * 1032 + 1024;
}

InflateResult RawInflate(std::string_view compressed, size_t capacity, ByteBuffer &out) {
  std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(
      libdeflate_alloc_decompressor());
  if (!decompressor)
    throw std::bad_alloc();
  const size_t start = out.size();
  out.reserve(start + capacity);
  AdviseLargeBuffer(out.data() + start, capacity);
  out.resize(start + capacity);
  size_t produced = 0;
  const libdeflate_result result =
      libdeflate_deflate_decompress(decompressor.get(), compressed.data(), compressed.size(),
                                    out.data() + start, capacity, &produced);
  if (result == LIBDEFLATE_SUCCESS) {
    out.resize(start + produced);
    return InflateResult::Ok;
  }
  out.resize(start);
  return result == LIBDEFLATE_INSUFFICIENT_SPACE ? InflateResult::TooLarge : InflateResult::BadData;
}

ByteBuffer RawDeflate(std::string_view data, int level) {
  std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
      libdeflate_alloc_compressor(level));
  if (!compressor)
    throw std::bad_alloc();
  if (data.empty())
    return {};
  // Room for one byte less than the data: whatever does not fit is stored.
  // Only the bytes written are ever touched.
  ByteBuffer out(data.size() - 1);
  if (out.empty())
    return {};
  const size_t size = libdeflate_deflate_compress(compressor.get(), data.data(), data.size(),
                                                  out.data(), out.size());
  out.resize(size);
  return out;
}

} // namespace sf6
