#include "model/XmlWriter.h"

namespace sf6 {

// One pass gives the same text as the replacements done one after another:
// no replacement produces a byte that a later replacement would change (all
// of them are ASCII below 124, and "&" is handled first).
void AppendEscapedXmlText(std::string &out, std::string_view text) {
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    switch (ch) {
    case '&':
      out += "&amp;";
      continue;
    case '\r':
      out += "&#13;";
      continue;
    case '\n':
      out += "&#10;";
      continue;
    case '<':
      out += "&lt;";
      continue;
    case '>':
      out += "&gt;";
      continue;
    case '\'':
      out += "&apos;";
      continue;
    case '"':
      out += "&quot;";
      continue;
    default:
      break;
    }
    if (byte <= 123) {
      out += ch;
      continue;
    }
    out += "&#";
    out += std::to_string(byte);
    out += ';';
  }
}

std::string EscapeXmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEscapedXmlText(out, text);
  return out;
}

void XmlWriter::Open(std::string_view tag) {
  m_out += '<';
  m_out += tag;
  m_out += '>';
}

void XmlWriter::Close(std::string_view tag) {
  m_out += "</";
  m_out += tag;
  m_out += '>';
}

void XmlWriter::Element(std::string_view key, std::string_view value) {
  Open(key);
  AppendEscapedXmlText(m_out, value);
  Close(key);
}

} // namespace sf6
