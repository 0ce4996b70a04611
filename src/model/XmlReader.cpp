#include "model/XmlReader.h"

#include <algorithm>

#include "text/Errors.h"

namespace sf6 {

namespace {
bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}
bool isNameChar(char c) {
  return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
bool startsWith(std::string_view text, std::size_t pos, std::string_view prefix) {
  return text.size() - pos >= prefix.size() && text.substr(pos, prefix.size()) == prefix;
}
std::string shown(std::string_view name) {
  return "<" + std::string(name) + ">";
}
} // namespace

XmlReader::XmlReader(std::string_view text) : m_text(text) {
  if (startsWith(m_text, 0, "\xEF\xBB\xBF"))
    m_pos = 3;
}

std::string XmlReader::PositionText(std::size_t offset) const {
  offset = std::min(offset, m_text.size());
  std::size_t line = 1;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < offset; ++i)
    if (m_text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  return "line " + std::to_string(line) + ", column " + std::to_string(offset - lineStart + 1);
}

void XmlReader::fail(std::size_t offset, const std::string &what) const {
  throw Sf6Error("Tagged catalog document, " + PositionText(offset) + ": " + what);
}

bool XmlReader::skipCommentOrPi() {
  if (startsWith(m_text, m_pos, "<!--")) {
    const std::size_t end = m_text.find("-->", m_pos + 4);
    if (end == std::string_view::npos)
      fail(m_pos, "comment without end");
    m_pos = end + 3;
    return true;
  }
  if (startsWith(m_text, m_pos, "<?")) {
    const std::size_t end = m_text.find("?>", m_pos + 2);
    if (end == std::string_view::npos)
      fail(m_pos, "declaration without end");
    m_pos = end + 2;
    return true;
  }
  return false;
}

void XmlReader::skipMisc() {
  while (!atEnd()) {
    if (isSpace(m_text[m_pos])) {
      ++m_pos;
      continue;
    }
    if (m_text[m_pos] == '<' && skipCommentOrPi())
      continue;
    return;
  }
}

std::string_view XmlReader::readName() {
  const std::size_t start = m_pos;
  if (atEnd())
    fail(m_pos, "document ends inside a tag");
  if (!isNameStart(m_text[m_pos]))
    fail(m_pos, "a tag name was expected");
  while (!atEnd() && isNameChar(m_text[m_pos]))
    ++m_pos;
  if (m_pos - start > kMaxNameLength)
    fail(start, "tag name too long");
  return m_text.substr(start, m_pos - start);
}

void XmlReader::appendReference() {
  const std::size_t start = m_pos;
  // References are short: a ";" further away means a stray "&".
  const std::size_t end = m_text.substr(m_pos, 12).find(';');
  if (end == std::string_view::npos)
    fail(start, "\"&\" that starts no reference");
  const std::string_view ref = m_text.substr(m_pos + 1, end - 1);
  m_pos += end + 1;
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"apos", '\''}, {"quot", '"'}};
  for (const auto &[name, ch] : kNamed)
    if (ref == name) {
      m_buffer += ch;
      return;
    }
  if (ref.size() < 2 || ref[0] != '#')
    fail(start, "unknown reference &" + std::string(ref) + ";");
  const bool hex = ref[1] == 'x' || ref[1] == 'X';
  const std::string_view digits = ref.substr(hex ? 2 : 1);
  if (digits.empty())
    fail(start, "character reference without digits");
  unsigned value = 0;
  for (const char c : digits) {
    unsigned d = 0;
    if (c >= '0' && c <= '9')
      d = static_cast<unsigned>(c - '0');
    else if (hex && c >= 'a' && c <= 'f')
      d = static_cast<unsigned>(c - 'a' + 10);
    else if (hex && c >= 'A' && c <= 'F')
      d = static_cast<unsigned>(c - 'A' + 10);
    else
      fail(start, "bad character reference &" + std::string(ref) + ";");
    value = value * (hex ? 16u : 10u) + d;
    if (value > 255)
      fail(start, "character reference &" + std::string(ref) + "; is not a Windows-1252 byte");
  }
  m_buffer += static_cast<char>(value);
}

void XmlReader::readText() {
  while (!atEnd()) {
    const char c = m_text[m_pos];
    if (c == '<')
      return;
    if (c == '&') {
      appendReference();
      continue;
    }
    // Copy a run of plain bytes at once.
    const std::size_t stop = m_text.find_first_of("<&", m_pos);
    const std::size_t end = stop == std::string_view::npos ? m_text.size() : stop;
    m_buffer.append(m_text.substr(m_pos, end - m_pos));
    m_pos = end;
  }
}

bool XmlReader::nextPending(XmlEvent &event) {
  if (!m_pendingContent && !m_pendingEnd)
    return false;
  event.kind = m_pendingContent ? XmlPart::Content : XmlPart::EndTag;
  m_pendingEnd = m_pendingContent;
  m_pendingContent = false;
  event.name = m_pendingName;
  event.depth = m_pendingDepth;
  return true;
}

bool XmlReader::atRootStart() {
  skipMisc();
  if (atEnd()) {
    if (!m_started)
      fail(m_pos, "the document holds no element");
    m_finished = true;
    return false;
  }
  if (m_started)
    fail(m_pos, "text after the end of the root element");
  if (m_text[m_pos] != '<')
    fail(m_pos, "text outside the root element");
  return true;
}

void XmlReader::readEndTag(XmlEvent &event) {
  ++m_pos; // "/"
  const std::string_view name = readName();
  while (!atEnd() && isSpace(m_text[m_pos]))
    ++m_pos;
  if (atEnd() || m_text[m_pos] != '>')
    fail(m_pos, "\">\" expected after </" + std::string(name));
  ++m_pos;
  if (m_open.empty())
    fail(m_markup, "end tag </" + std::string(name) + "> without a start tag");
  const Open open = m_open.back();
  if (open.name != name)
    fail(m_markup, "end tag </" + std::string(name) + "> does not close " + shown(open.name));
  const int depth = static_cast<int>(m_open.size());
  m_open.pop_back();
  event.name = name;
  event.depth = depth;
  if (open.hasChildren) {
    event.kind = XmlPart::EndTag;
  } else {
    // A leaf element: its text comes as Content, the EndTag on the next call.
    event.kind = XmlPart::Content;
    event.value = std::move(m_buffer);
    m_pendingEnd = true;
    m_pendingName = name;
    m_pendingDepth = depth;
  }
  m_buffer.clear();
  if (m_open.empty())
    m_started = true;
}

void XmlReader::readStartTag(XmlEvent &event) {
  const std::string_view name = readName();
  while (!atEnd() && isSpace(m_text[m_pos]))
    ++m_pos;
  if (atEnd())
    fail(m_pos, "document ends inside " + shown(name));
  bool empty = false;
  if (m_text[m_pos] == '/') {
    empty = true;
    ++m_pos;
  }
  if (atEnd() || m_text[m_pos] != '>') {
    if (!empty && isNameStart(m_text[m_pos]))
      fail(m_pos, "attributes are not part of a catalog document");
    fail(m_pos, "\">\" expected after <" + std::string(name));
  }
  ++m_pos;
  if (!m_open.empty())
    m_open.back().hasChildren = true;
  m_buffer.clear();
  if (static_cast<int>(m_open.size()) >= kMaxDepth)
    fail(m_markup, "elements nested deeper than " + std::to_string(kMaxDepth));
  m_open.push_back({name, false});
  m_started = true;
  event.kind = XmlPart::StartTag;
  event.name = name;
  event.depth = static_cast<int>(m_open.size());
  if (empty) {
    // An empty Content and the EndTag follow on the next calls.
    m_open.pop_back();
    m_pendingContent = true;
    m_pendingName = name;
    m_pendingDepth = event.depth;
  }
}

bool XmlReader::Next(XmlEvent &event) {
  event.value.clear();
  if (nextPending(event))
    return true;
  if (m_finished)
    return false;
  if (m_open.empty() && !atRootStart())
    return false;
  for (;;) {
    if (!m_open.empty()) {
      readText();
      if (atEnd())
        fail(m_pos, "document ends inside " + shown(m_open.back().name));
    }
    m_markup = m_pos;
    if (skipCommentOrPi())
      continue;
    if (startsWith(m_text, m_pos, "<!"))
      fail(m_pos, "declarations are not part of a catalog document");
    ++m_pos; // "<"
    if (!atEnd() && m_text[m_pos] == '/')
      readEndTag(event);
    else
      readStartTag(event);
    return true;
  }
}

} // namespace sf6
