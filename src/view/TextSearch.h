#pragma once

// Finding text in a pane's document, as the find bar does: case-insensitive
// by default with the Windows-1252 letter case of the whole alphabet, or
// matching case exactly. Matches never span lines (catalog lines are
// records). Searches run over the lines' bytes with memchr-style scanning,
// so a pass over a million lines costs about what grep does.

#include "view/TextDocument.h"

#include <functional>
#include <optional>
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
};

// The next match of needle after `from` (forward: starting at from itself;
// backward: ending before from), wrapping around the text once. nullopt for
// an empty needle, no match or a stopped search.
std::optional<TextMatch> FindText(const TextDocument &document, std::string_view needle,
                                  TextPos from, const SearchOptions &options = {});

// The first match in one line at or after column, or -1.
int FindInLine(std::string_view line, std::string_view needle, int column, bool matchCase);

} // namespace sf6
