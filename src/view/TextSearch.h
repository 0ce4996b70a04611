#pragma once

// Finding text in a pane's document, as the find bar does: case-insensitive
// by default with the Windows-1252 letter case of the whole alphabet, or
// matching case exactly. Matches never span lines (catalog lines are
// records). Searches run over the lines' bytes with memchr scanning for the
// needle's first letter, so a pass over a million lines costs about what
// grep does.

#include "view/TextDocument.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sf6 {

struct TextMatch {
  TextPos start;        // first character of the match
  int length = 0;       // bytes
  bool wrapped = false; // the search passed the end (or start) of the text
};

struct SearchOptions {
  bool matchCase = false;
  bool forward = true;
  // Called every few thousand lines with the lines searched so far; returns
  // false to stop (the search then gives no match).
  std::function<bool(int linesDone)> progress;
  // The text's byte counts (SampleByteCounts) when the caller keeps them
  // between searches; sampled for each search otherwise.
  const std::array<uint32_t, 256> *counts = nullptr;
};

// How often each byte occurs in the first lines of a text: what a search
// uses to pick the needle's rarest byte as the one it scans for.
using ByteCounts = std::array<uint32_t, 256>;
ByteCounts SampleByteCounts(const TextDocument &document);

// A needle prepared once for searching many lines: folded to upper case
// unless case matters. Lines are scanned with memchr for one byte of the
// needle (in both its cases), the one the counts say is rarest (without
// counts: the first), and the needle is compared where it stands. Zero-
// padded numbers make some bytes very common in catalog lines, so the
// choice matters: scanning for "0" stops every few bytes, for "7" far less.
// Searching allocates nothing.
class LineMatcher {
public:
  LineMatcher(std::string_view needle, bool matchCase, const ByteCounts *counts = nullptr);

  bool empty() const { return m_needle.empty(); }
  int length() const { return static_cast<int>(m_needle.size()); }
  // The first match in line starting at or after column (0-based), or -1.
  int find(std::string_view line, int column) const;
  // The last match in line starting before `before`, or -1.
  int findLast(std::string_view line, int before) const;

private:
  bool matchesAt(const char *at) const;

  std::string m_needle;
  bool m_matchCase;
  size_t m_anchor = 0;        // the needle's byte scanned for
  unsigned char m_first = 0;  // that byte as given (or folded)
  unsigned char m_second = 0; // its other case; equal to m_first when it has none
};

// The next match of needle after `from` (forward: starting at from itself;
// backward: ending before from), wrapping around the text once. nullopt for
// an empty needle, no match or a stopped search.
std::optional<TextMatch> FindText(const TextDocument &document, std::string_view needle,
                                  TextPos from, const SearchOptions &options = {});

// The first match in one line at or after column, or -1.
int FindInLine(std::string_view line, std::string_view needle, int column, bool matchCase);

} // namespace sf6
