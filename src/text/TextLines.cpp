#include "text/TextLines.h"

#include "text/LineList.h"

#include <utility>

namespace sf6 {

TextLines::TextLines(ByteBuffer bytes, std::size_t maxLineLength)
    : m_bytes(std::move(bytes)), m_lines(SplitLineViews(AsView(m_bytes))) {
  for (std::string_view &line : m_lines)
    line = line.substr(0, maxLineLength);
}

} // namespace sf6
