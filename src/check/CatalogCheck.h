#pragma once

// The catalog check: every rule of CheckRules.h over a catalog archive read
// whole. Nothing here uses a toolkit; sf6tool check and the viewer's problem
// list both run it.
//
// Lines and columns count from 1, as editors and compilers count them: the
// column is the byte position in the line (catalog text has one byte per
// character). A problem that belongs to a whole entry or to the archive has
// line 0 and column 0. Texts (entry names, captions, messages) are
// Windows-1252, like all catalog text in the core.

#include "catalog/CatalogArchive.h"
#include "check/CheckRules.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace sf6::check {

struct CatalogProblem {
  // The file-set name of the entry ("LensPrice.Dat"), the stored name of an
  // entry outside the file set, or the archive's path for the archive itself.
  std::string entry;
  uint32_t line = 0;
  uint32_t column = 0;
  int field = 0;       // the field's number (Head.dat: the key's number); 0 for none
  std::string caption; // the field's caption as the grid shows it (Head.dat: the key)
  Severity severity = Severity::Error;
  RuleId rule = RuleId::ArchiveUnreadable;
  std::string message; // German, naming the field by its caption
  // Position of the entry in the output: 0 the archive, 1..13 the file set,
  // then the other entries in archive order.
  uint32_t entryOrder = 0;
};

inline constexpr std::size_t kAllProblems = SIZE_MAX;

struct CheckOptions {
  // Called now and then with the bytes checked so far and in all. May throw
  // to cancel: the exception leaves CheckCatalog unchanged.
  std::function<void(uint64_t done, uint64_t total)> progress;
  // At most this many problems are listed per rule (the first ones in output
  // order); all others are still counted.
  std::size_t maxPerRule = kAllProblems;
};

struct CheckResult {
  // Sorted by entry (entryOrder), line, column, then rule.
  std::vector<CatalogProblem> problems;
  // Every problem found, also those left out of the list by maxPerRule.
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::size_t leftOut = 0; // found but not listed because of maxPerRule
};

// Checks an archive that has been read. Reads every line of every present
// entry once; memory beyond the archive's bytes is the indexes of codes and
// keys (a few dozen bytes per key line) and the listed problems.
CheckResult CheckCatalog(const CatalogArchive &archive, const CheckOptions &options = {});

// Reads the archive at path and checks it; the progress callback sees the
// read (bytes of the archive) and then the check. An archive that is missing or
// cannot be read gives a result with the one problem archive.unreadable
// (entry: the path) instead of an exception; only the progress callback's
// exception leaves this function.
CheckResult CheckCatalogFile(const std::filesystem::path &path, const CheckOptions &options = {});

} // namespace sf6::check
