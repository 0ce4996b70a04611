#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

// An ordered list of 8-bit text lines in Windows-1252, the unit in which
// catalog files are read and written.
using LineList = std::vector<std::string>;

// How often byte occurs in text: eight bytes at a time, for sizing the line
// indexes of texts of tens of megabytes before they are built.
size_t CountByte(std::string_view text, char byte);
// How many LF and how many CR text holds, in one pass.
struct LineBreakCounts {
  size_t lf = 0;
  size_t cr = 0;
};
LineBreakCounts CountLineBreaks(std::string_view text);

// Splits bytes into lines at CR LF, a lone CR or a lone LF. A final line
// without a terminator is kept; a terminator at the very end adds no empty line.
LineList SplitLines(std::string_view bytes);
// The same lines as views into bytes.
std::vector<std::string_view> SplitLineViews(std::string_view bytes);

} // namespace sf6
