#include "view/TextDocument.h"

#include "text/LargePages.h"
#include "text/LineList.h"

#include <algorithm>
#include <cstring>

namespace sf6 {

namespace {

// The pieces of text between line terminators (CR LF, CR, LF).
std::vector<std::string_view> splitPieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n')
      continue;
    pieces.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      ++i;
    start = i + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

constexpr uint32_t kMaxLineLength = 0x7FFFFFFF; // kept below TextDocument::kEdited

} // namespace

TextDocument::TextDocument() {
  m_lines.push_back({0, 0});
}

void TextDocument::setBytes(ByteBuffer bytes) {
  m_bytes = std::move(bytes);
  // Offsets are 32 bits; the zip access never delivers an entry this large.
  if (m_bytes.size() >= kEdited)
    m_bytes.resize(kEdited - 1);
  m_edited.clear();
  // Lines end in LF or CR LF in catalogs: one index entry per LF is allocated
  // once and never copied while the index grows (only texts with lines ended
  // by a lone CR grow it further).
  const LineBreakCounts breaks = CountLineBreaks(AsView(m_bytes));
  m_lines = std::vector<LineRef>();
  m_lines.reserve(breaks.lf + 1);
  AdviseLargeBuffer(m_lines.data(), m_lines.capacity() * sizeof(LineRef));
  // When every CR stands before an LF, the lines are found by their LF alone;
  // a text with a lone CR is indexed again, looking for both.
  m_maxLength = 0;
  if (indexLineFeeds() != breaks.cr) {
    m_lines.clear();
    m_maxLength = 0;
    indexAllBreaks();
  }
}

void TextDocument::addLine(size_t start, size_t end) {
  const uint32_t length = static_cast<uint32_t>(std::min<size_t>(end - start, kMaxLineLength));
  m_lines.push_back({static_cast<uint32_t>(start), length});
  m_maxLength = std::max(m_maxLength, static_cast<int>(length));
}

size_t TextDocument::indexLineFeeds() {
  const char *data = m_bytes.data();
  const size_t size = m_bytes.size();
  size_t crs = 0;
  size_t start = 0;
  // (An empty text has no data pointer to search.)
  while (start < size) {
    const void *found = std::memchr(data + start, '\n', size - start);
    if (found == nullptr)
      break;
    const size_t lf = static_cast<size_t>(static_cast<const char *>(found) - data);
    const bool cr = lf > start && data[lf - 1] == '\r';
    crs += cr ? 1 : 0;
    addLine(start, cr ? lf - 1 : lf);
    start = lf + 1;
  }
  addLine(start, size);
  return crs;
}

void TextDocument::indexAllBreaks() {
  const char *data = m_bytes.data();
  const size_t size = m_bytes.size();
  size_t start = 0;
  size_t i = 0;
  while (i < size) {
    // Find the next CR or LF quickly: memchr for LF, then a look for CR before it.
    const void *lf = std::memchr(data + i, '\n', size - i);
    const size_t lfAt = lf ? static_cast<size_t>(static_cast<const char *>(lf) - data) : size;
    const void *cr = std::memchr(data + i, '\r', lfAt - i);
    const size_t end = cr ? static_cast<size_t>(static_cast<const char *>(cr) - data) : lfAt;
    if (end >= size)
      break;
    addLine(start, end);
    i = end + 1;
    if (data[end] == '\r' && i < size && data[i] == '\n')
      ++i;
    start = i;
  }
  addLine(start, size);
}

void TextDocument::setLines(const std::vector<std::string> &lines) {
  size_t total = 0;
  for (const std::string &l : lines)
    total += l.size() + 1;
  ByteBuffer bytes;
  bytes.reserve(total);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0)
      bytes.push_back('\n');
    AppendBytes(bytes, lines[i]);
  }
  setBytes(std::move(bytes));
}

std::string_view TextDocument::line(int index) const {
  if (index < 0 || index >= lineCount())
    return {};
  const LineRef &ref = m_lines[index];
  if (ref.edited())
    return m_edited[ref.start];
  return AsView(m_bytes).substr(ref.start, ref.length);
}

TextPos TextDocument::clamp(TextPos pos) const {
  pos.line = std::clamp(pos.line, 0, lineCount() - 1);
  pos.column = std::clamp(pos.column, 0, lineLength(pos.line));
  return pos;
}

void TextDocument::replaceLine(int index, std::string text) {
  m_maxLength =
      std::max(m_maxLength, static_cast<int>(std::min<size_t>(text.size(), kMaxLineLength)));
  LineRef &ref = m_lines[index];
  if (ref.edited()) {
    m_edited[ref.start] = std::move(text);
    return;
  }
  ref = {static_cast<uint32_t>(m_edited.size()), kEdited};
  m_edited.push_back(std::move(text));
}

TextPos TextDocument::insert(TextPos pos, std::string_view text) {
  pos = clamp(pos);
  const std::string_view current = line(pos.line);
  const std::string head(current.substr(0, pos.column));
  const std::string tail(current.substr(pos.column));
  const std::vector<std::string_view> pieces = splitPieces(text);
  if (pieces.size() == 1) {
    replaceLine(pos.line, head + std::string(pieces[0]) + tail);
    return {pos.line, pos.column + static_cast<int>(pieces[0].size())};
  }
  // New lines go in as edited lines right after the caret's line.
  std::vector<LineRef> added;
  for (size_t i = 1; i < pieces.size(); ++i) {
    added.push_back({static_cast<uint32_t>(m_edited.size()), kEdited});
    m_edited.emplace_back();
  }
  m_lines.insert(m_lines.begin() + pos.line + 1, added.begin(), added.end());
  replaceLine(pos.line, head + std::string(pieces[0]));
  for (size_t i = 1; i + 1 < pieces.size(); ++i)
    replaceLine(pos.line + static_cast<int>(i), std::string(pieces[i]));
  const int last = pos.line + static_cast<int>(pieces.size()) - 1;
  replaceLine(last, std::string(pieces.back()) + tail);
  return {last, static_cast<int>(pieces.back().size())};
}

void TextDocument::erase(TextPos from, TextPos to) {
  from = clamp(from);
  to = clamp(to);
  if (to < from)
    std::swap(from, to);
  if (from == to)
    return;
  std::string joined(line(from.line).substr(0, from.column));
  joined += line(to.line).substr(to.column);
  replaceLine(from.line, std::move(joined));
  if (to.line > from.line)
    m_lines.erase(m_lines.begin() + from.line + 1, m_lines.begin() + to.line + 1);
}

std::string TextDocument::text(TextPos from, TextPos to) const {
  from = clamp(from);
  to = clamp(to);
  if (to < from)
    std::swap(from, to);
  if (from.line == to.line)
    return std::string(line(from.line).substr(from.column, to.column - from.column));
  std::string out(line(from.line).substr(from.column));
  for (int i = from.line + 1; i < to.line; ++i) {
    out += '\n';
    out += line(i);
  }
  out += '\n';
  out += line(to.line).substr(0, to.column);
  return out;
}

size_t TextDocument::memoryUse() const {
  // The index's reserve beyond its entries is never touched (see setBytes).
  size_t total = m_bytes.capacity() + m_lines.size() * sizeof(LineRef);
  for (const std::string &l : m_edited)
    total += sizeof(std::string) + l.capacity();
  return total;
}

} // namespace sf6
