// Every data-file layout over arbitrary bytes: the first byte picks the file,
// the rest is one line. Decoding, every field text and caption, the viewer's
// padded line and build-after-parse must neither crash nor read outside the
// line, and a builder must write its layout's exact length.

#include "sf6/Sf6Layout.h"
#include "sf6/Sf6Procs.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// The written length of each file's lines; 0 where lines end after their
// last filled part (the maximum is then checked).
struct Expected {
  const char *fileName;
  size_t exact;
  size_t maximum;
};
constexpr Expected kLengths[] = {
    {"LensType.Dat", 137, 137},   {"LensRange.Dat", 106, 106},   {"LensGeo.Dat", 96, 96},
    {"LensPrice.Dat", 0, 52},     {"Options.Dat", 136, 136},     {"OptionsColor.Dat", 93, 93},
    {"OptionsPrice.Dat", 0, 53},  {"Combination.Dat", 25, 25},   {"Information.Dat", 0, 262},
    {"OrderOptions.Dat", 12, 12}, {"ProductGroup.Dat", 0, 0},    {"CodeSubstitution.Dat", 0, 0},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0)
    return 0;
  const auto layouts = sf6::Sf6Layouts();
  const size_t which = data[0] % layouts.size();
  const sf6::Sf6Layout &layout = layouts[which];
  const std::string_view line(reinterpret_cast<const char *>(data + 1), size - 1);

  for (const std::string &decoded : {std::string(line), sf6::ViewerLine(line)}) {
    const sf6::Sf6AnyRecord record = layout.parse(decoded);
    for (int n = -1; n <= layout.fieldCount + 1; ++n) {
      (void)layout.caption(n);
      (void)layout.text(n, record);
      (void)layout.place(n);
    }
  }
  if (!layout.rebuild)
    return 0;
  const std::string built = layout.rebuild(line);
  const Expected &expected = kLengths[which];
  if ((expected.exact && built.size() != expected.exact) || built.size() > expected.maximum)
    std::abort();
  // The built line decodes and builds again without harm.
  (void)layout.rebuild(built);
  return 0;
}
