#pragma once

// Writing the model's tagged storage form: elements without attributes,
// declaration or line breaks, "<" tag ">" value "</" tag ">". Texts are
// Windows-1252 bytes; every byte above 123 is written as "&#N;", so the
// output is plain ASCII apart from control bytes a text may carry.
//
// Every piece is written whole: a long note or information text is never cut.

#include <string>
#include <string_view>

namespace sf6 {

// The escaped form of a text value, in this order over the whole text:
// "&" -> "&amp;", CR -> "&#13;", LF -> "&#10;", "<" -> "&lt;", ">" -> "&gt;",
// "'" -> "&apos;", "\"" -> "&quot;"; then every byte above 123 -> "&#" +
// its decimal code + ";". Other bytes are copied as they are.
std::string EscapeXmlText(std::string_view text);
void AppendEscapedXmlText(std::string &out, std::string_view text);

// Appends the document to a caller-owned string (which must outlive the
// writer).
class XmlWriter {
public:
  explicit XmlWriter(std::string &out) : m_out(out) {}

  // "<tag>" / "</tag>"; tags are written as given (never escaped).
  void Open(std::string_view tag);
  void Close(std::string_view tag);
  // "<key>" escaped value "</key>".
  void Element(std::string_view key, std::string_view value);

  std::string &Out() { return m_out; }

private:
  std::string &m_out;
};

} // namespace sf6
