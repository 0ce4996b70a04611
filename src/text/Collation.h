#pragma once

// Letter case in Windows-1252 text, one set of rules for the whole program.
//
// Names and texts fold the whole alphabet of the code page by the Windows
// ANSI rules: a-z, the accented Latin-1 letters 0xE0-0xFE (not 0xF7, the
// division sign) and š œ ž ÿ fold to their capitals; ß and the other bytes
// stay as they are. Codes (lens and option codes, entry names, file names of
// the file set) are compared by A-Z folding only, so a code never matches
// another that differs in an accented letter.

#include <string>
#include <string_view>

namespace sf6 {

// The capital / small letter of one byte; other bytes are returned as they are.
unsigned char UpperCase1252(unsigned char byte);
unsigned char LowerCase1252(unsigned char byte);
std::string UpperCase1252(std::string_view text);
std::string LowerCase1252(std::string_view text);

// Orders texts by their upper-case folds compared byte by byte as unsigned
// values, a text that is a prefix of another first: <0, 0, >0. The order is
// fixed, the same in every locale, so sorted output is reproducible.
int CompareNoCase1252(std::string_view a, std::string_view b);
inline bool EqualsNoCase1252(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareNoCase1252(a, b) == 0;
}

// Codes: equal when they differ in nothing but the case of A-Z.
bool EqualsAsciiNoCase(std::string_view a, std::string_view b);

} // namespace sf6
