#pragma once

#include "view/TextDocument.h"

#include <string_view>

namespace sf6 {

// A document holding text, as a load would fill it.
inline TextDocument documentOf(std::string_view text) {
  TextDocument document;
  document.setBytes(text);
  return document;
}

} // namespace sf6
