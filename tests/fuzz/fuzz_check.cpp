// The catalog check over arbitrary entry texts: the input is cut at every
// "\xFF\xFE" into the texts of Head.dat, LensType.Dat, ... in file-set order
// (missing pieces are missing entries). The check must neither crash nor
// read outside the texts, every problem must point into its entry, and the
// per-rule cap must hold.

#include "catalog/CatalogArchive.h"
#include "check/CatalogCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string_view input(reinterpret_cast<const char *>(data), size);
  sf6::CatalogArchive archive;
  for (std::size_t i = 0; i < sf6::kSf6EntryCount; ++i) {
    sf6::CatalogEntry &entry = archive.entries[i];
    entry.id = static_cast<sf6::Sf6Entry>(i);
    if (input.data() == nullptr || (input.empty() && i > 0))
      continue;
    const std::size_t cut = input.find("\xFF\xFE");
    entry.bytes = sf6::ToByteBuffer(input.substr(0, cut));
    entry.storedName = std::string(entry.name());
    entry.state = sf6::CatalogEntryState::Present;
    input = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 2);
  }
  if (!input.empty())
    archive.otherEntries.push_back("CodesSubst.Dat");

  sf6::check::CheckOptions options;
  options.maxPerRule = 50;
  const sf6::check::CheckResult result = sf6::check::CheckCatalog(archive, options);
  std::size_t perRule[sf6::check::kRuleCount] = {};
  for (const sf6::check::CatalogProblem &p : result.problems) {
    if (++perRule[static_cast<std::size_t>(p.rule)] > options.maxPerRule)
      std::abort();
    if (p.message.empty() || (p.line == 0 && p.column != 0))
      std::abort();
    if (p.entryOrder >= 1 && p.entryOrder <= sf6::kSf6EntryCount && p.line > 0) {
      const sf6::CatalogEntry &entry = archive.entries[p.entryOrder - 1];
      if (p.column > entry.bytes.size() + 1) {
        std::fprintf(stderr, "%s:%u:%u [%s] %s\n", p.entry.c_str(), p.line, p.column,
                     sf6::check::Rule(p.rule).name, p.message.c_str());
        std::abort();
      }
    }
  }
  if (result.problems.size() + result.leftOut != result.errors + result.warnings)
    std::abort();
  return 0;
}
