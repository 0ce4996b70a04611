// The value operations and the header rows over arbitrary bytes: diameter
// group and text in both directions, enumeration lookups of any code, and
// Head.dat rows of any lines.

#include "sf6/Sf6Enums.h"
#include "sf6/Sf6Procs.h"
#include "text/LineList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);

  const sf6::TSf6Diameter group = sf6::DiameterFromGroup(text);
  if (sf6::DiameterToGroup(group).size() != 5)
    std::abort();
  const sf6::TSf6Diameter fromText = sf6::DiameterFromText(text);
  (void)sf6::DiameterToText(fromText);
  (void)sf6::DiameterToText(group);

  if (size >= 4) {
    int32_t code = 0;
    std::memcpy(&code, data, sizeof code);
    const sf6::Sf6EnumTable *tables[] = {&sf6::EnumTableOf<sf6::TSf6AddStep>(),
                                         &sf6::EnumTableOf<sf6::TSf6OrderFieldType>(),
                                         &sf6::EnumTableOf<sf6::TSf6InfoType>(),
                                         &sf6::EnumTableOf<sf6::TSf6Material>()};
    for (const sf6::Sf6EnumTable *table : tables) {
      const int ordinal = sf6::EnumOrdinalOfCode(*table, code);
      if (ordinal < 0 || ordinal >= sf6::EnumCount(*table))
        std::abort();
      (void)sf6::EnumText(*table, code); // any int as an ordinal
      (void)sf6::EnumShortCode(*table, code);
      (void)sf6::EnumCode(*table, code);
    }
  }

  const sf6::LineList lines = sf6::SplitLines(text);
  const std::vector<sf6::Sf6HeadRow> rows = sf6::HeadRows(lines);
  if (rows.size() != lines.size())
    std::abort();
  for (const sf6::Sf6HeadRow &row : rows)
    if (row.name.size() > 30 || row.value.size() > 255)
      std::abort();
  return 0;
}
