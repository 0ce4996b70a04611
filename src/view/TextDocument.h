#pragma once

// The text of a file pane: the entry's bytes as they were loaded plus an
// index of where each line starts, so that showing a catalog of a million
// lines costs the bytes and 8 bytes per line. Edited lines move into a
// store of their own; the loaded bytes are never changed. Lines are
// Windows-1252 bytes without their terminators; one byte is one character.

#include "text/ByteBuffer.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

// A place in the text: 0-based line and 0-based column (a byte offset into the line).
struct TextPos {
  int line = 0;
  int column = 0;
  friend bool operator==(const TextPos &, const TextPos &) = default;
  friend auto operator<=>(const TextPos &, const TextPos &) = default;
};

class TextDocument {
public:
  TextDocument();

  // Replaces the text by bytes, split at CR LF, a lone CR and a lone LF. A
  // terminator at the very end is followed by an empty last line (where an
  // editor's caret can stand); the empty text is one empty line.
  void setBytes(ByteBuffer bytes);
  // setBytes of a copy of text (small texts and tests).
  void setBytes(std::string_view text) { setBytes(ToByteBuffer(text)); }
  // Replaces the text by lines (terminators already removed).
  void setLines(const std::vector<std::string> &lines);

  // At least 1.
  int lineCount() const { return static_cast<int>(m_lines.size()); }
  // The line's text; "" for a line outside the text. Valid until the next change.
  std::string_view line(int index) const;
  int lineLength(int index) const { return static_cast<int>(line(index).size()); }
  // The length of the longest line seen since the last setBytes (lines only
  // grow it, so it may be larger than the current longest).
  int maxLineLength() const { return m_maxLength; }

  // pos moved into the text: line into 0..lineCount-1, column into 0..length.
  TextPos clamp(TextPos pos) const;

  // Inserts text (lines separated by CR LF, CR or LF) at pos and returns the
  // place right after it.
  TextPos insert(TextPos pos, std::string_view text);
  // Removes the characters from `from` up to `to` (in either order).
  void erase(TextPos from, TextPos to);
  // The characters between two places, lines joined by "\n".
  std::string text(TextPos from, TextPos to) const;

  // Bytes held for the text: the loaded bytes, the edited lines and the index.
  size_t memoryUse() const;

private:
  // A loaded line: its start in m_bytes and its length. An edited line:
  // length kEdited and start its index in m_edited. Entries are below 4 GB
  // (the zip access refuses larger ones), so 32 bits suffice.
  static constexpr uint32_t kEdited = 0xFFFFFFFF;
  struct LineRef {
    uint32_t start;
    uint32_t length;
    bool edited() const { return length == kEdited; }
  };
  void replaceLine(int index, std::string text);
  void addLine(size_t start, size_t end);
  // Index the loaded bytes: by LF alone (returns how many CR stood before
  // one), or by CR LF, CR and LF.
  size_t indexLineFeeds();
  void indexAllBreaks();

  ByteBuffer m_bytes;
  std::vector<std::string> m_edited;
  std::vector<LineRef> m_lines;
  int m_maxLength = 0;
};

} // namespace sf6
