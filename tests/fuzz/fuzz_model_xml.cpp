// Fuzzed bytes as a tagged catalog document, loaded into a fresh catalog. A
// load may fail only with Sf6Error; a document that loads must save and load
// again, and then save to the same bytes: whatever was loaded, the first save
// is a fixed point of loading and saving.

#include "model/Catalog.h"
#include "model/XmlStorage.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  sf6::Tlup6Dataobject root;
  try {
    sf6::LoadCatalogFromXml(root, text);
  } catch (const sf6::Sf6Error &) {
    return 0;
  }
  const std::string first = sf6::SaveCatalogToXml(root);
  sf6::Tlup6Dataobject again;
  sf6::LoadCatalogFromXml(again, first);
  if (sf6::SaveCatalogToXml(again) != first)
    std::abort();
  return 0;
}
