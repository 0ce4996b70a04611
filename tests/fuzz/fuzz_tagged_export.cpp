// Fuzzed bytes as a catalog kept in the tagged form, converted to the SF6
// entries as `sf6tool convert --model` converts it: every price goes through
// the evaluation of formula groups, local formulas and variables. A load may
// fail only with Sf6Error; the export never fails, and must end in time
// however the prices refer to each other (libFuzzer's -timeout catches a
// stall).

#include "export/Sf6Export.h"
#include "model/Catalog.h"
#include "model/XmlStorage.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  sf6::Tlup6Dataobject root;
  try {
    sf6::LoadCatalogFromXml(root, text);
  } catch (const sf6::Sf6Error &) {
    return 0;
  }
  sf6::Sf6ExportSettings settings;
  settings.softwareId = "fuzz";
  const sf6::Sf6ExportLines lines =
      sf6::BuildSf6ExportLines(&root, root.Addresses().Items(0), "fuzz.zip", settings);
  // With an address the header always has its lines.
  if (root.Addresses().Items(0) != nullptr && lines[0].empty())
    std::abort();
  return 0;
}
