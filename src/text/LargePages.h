#pragma once

// Memory for the big buffers of a catalog (inflated entries, the model's
// item pool): written once from start to end, they are best backed by large
// pages, so that tens of megabytes cost a few hundred page faults instead of
// tens of thousands. One implementation per platform (LargePagesPosix.cpp).

#include <cstddef>
#include <memory_resource>

namespace sf6 {

// Tells the system that data .. data + size would best be backed by large
// pages. Only a hint; buffers of less than a few megabytes are left alone.
void AdviseLargeBuffer(void *data, std::size_t size);

// Hands out blocks of a few megabytes and more aligned to the large-page size
// and advised as above; smaller blocks come from the heap as usual. The
// upstream of the model's item pool.
std::pmr::memory_resource *LargePageMemory();

} // namespace sf6
