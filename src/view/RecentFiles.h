#pragma once

// The list of recently opened archives behind "Zuletzt geöffnet": newest
// first, each path once, at most kRecentFileCount.

#include <cstddef>
#include <string>
#include <vector>

namespace sf6 {

inline constexpr std::size_t kRecentFileCount = 8;

// The list after path was opened: path first, an earlier entry of the same
// path removed, the oldest dropped beyond kRecentFileCount.
std::vector<std::string> RememberRecentFile(std::vector<std::string> recent,
                                            const std::string &path);

} // namespace sf6
