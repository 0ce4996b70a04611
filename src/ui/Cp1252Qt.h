#pragma once

// Windows-1252 bytes of the core to and from the QString of the widgets.

#include "text/CodePage.h"

#include <QString>

#include <string>
#include <string_view>

namespace sf6 {

inline QString fromCp1252(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar *out = text.data();
  for (unsigned char byte : bytes)
    *out++ = byte < 0x80 ? QChar(byte) : QChar(static_cast<char16_t>(Cp1252ToUnicode(byte)));
  return text;
}

inline std::string toCp1252(const QString &text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (QChar ch : text) {
    const char16_t code = ch.unicode();
    bytes += code < 0x80 ? static_cast<char>(code) : UnicodeToCp1252(code);
  }
  return bytes;
}

} // namespace sf6
