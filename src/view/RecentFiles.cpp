#include "view/RecentFiles.h"

#include <algorithm>

namespace sf6 {

std::vector<std::string> RememberRecentFile(std::vector<std::string> recent,
                                            const std::string &path) {
  recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
  recent.insert(recent.begin(), path);
  if (recent.size() > kRecentFileCount)
    recent.resize(kRecentFileCount);
  return recent;
}

} // namespace sf6
