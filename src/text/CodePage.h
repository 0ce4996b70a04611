#pragma once

// Code pages: catalog text is Windows-1252 inside the program; UTF-8 (the
// command line) and the OEM page 850 (SF4 files, ZIP entry names) are
// converted at the boundaries.

#include "text/LineList.h"
#include "text/TextLines.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace sf6 {

// Windows-1252 to UTF-8. The five bytes 1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as Windows does.
std::string Cp1252ToUtf8(std::string_view text);
// Appends text, Windows-1252, to out as UTF-8 (out keeps its capacity, so a
// caller converting many texts into one buffer allocates little).
void AppendCp1252AsUtf8(std::string_view text, std::string &out);
// UTF-8 to Windows-1252; a character 1252 lacks, or a malformed sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view text);
// The Unicode code point of a Windows-1252 byte.
char32_t Cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a code point, or '?' when 1252 lacks it.
char UnicodeToCp1252(char32_t code);

// OEM (code page 850) to ANSI (1252) and back, byte for byte, as Windows'
// OemToChar/CharToOem do: a character the target page lacks becomes its
// closest form, or "?".
std::string OemToAnsi(std::string_view text);
std::string AnsiToOem(std::string_view text);

// Loads the lines of fileName (ending at CR LF, CR or LF) into lines,
// converted from OEM to ANSI and each cut to 10000 characters; a missing file
// clears the list.
void LoadOemTextFile(TextLines &lines, const std::filesystem::path &fileName);

} // namespace sf6
