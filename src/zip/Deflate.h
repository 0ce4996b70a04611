#pragma once

// Raw DEFLATE (RFC 1951, no zlib or gzip wrapper) and the CRC-32 of the ZIP
// format, on libdeflate.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/ByteBuffer.h"

namespace sf6 {

// CRC-32 (reflected polynomial 0xEDB88320) of bytes, continuing from crc
// (0 for a fresh checksum).
uint32_t Crc32(std::string_view bytes, uint32_t crc = 0);

enum class InflateResult {
  Ok,       // the stream ended; out grew by the decoded bytes
  BadData,  // the stream is corrupt
  TooLarge, // the stream decodes to more than capacity bytes
};

// Decodes one raw DEFLATE stream and appends at most capacity bytes to out.
// On failure out is left as it was.
InflateResult RawInflate(std::string_view compressed, size_t capacity, ByteBuffer &out);

// DEFLATE expands at most about 1032:1; this bounds what a stream of
// compressedSize bytes can decode to.
uint64_t MaxInflatedSize(uint64_t compressedSize);

// Compresses data as one raw DEFLATE stream at level (1..12, 6 the usual
// trade-off). Returns an empty buffer when the result would not be smaller
// than data, so that the caller stores it instead.
ByteBuffer RawDeflate(std::string_view data, int level);

} // namespace sf6
