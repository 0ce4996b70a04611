#include "sf4/Sf4Object.h"

#include "text/CodePage.h"

namespace sf6 {

TSf4Object::TSf4Object(Tlup6Dataobject &root) : m_root(root) {}

void TSf4Object::LoadFromDirectory(std::string_view directory) {
  loadFiles(directory);
  build();
}

void TSf4Object::loadFiles(std::string_view directory) {
  m_paths = resolveSf4Files(sf4DirectoryPath(directory));
  for (std::size_t i = 0; i < kSf4FileCount; ++i)
    LoadOemTextFile(m_lines[i], m_paths[i]);
}

} // namespace sf6
