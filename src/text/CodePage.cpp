#include "text/CodePage.h"

#include "text/ByteBuffer.h"

#include <array>
#include <fstream>
#include <iterator>

namespace sf6 {
namespace {

// Unicode of the Windows-1252 bytes 0x80..0x9F; the rest of the page equals
// Latin-1. The five undefined bytes stand for the C1 controls of their value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Unicode of the code page 850 bytes 0x80..0xFF.
constexpr char16_t kCp850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// The closest form of characters a target page lacks, as the best-fit
// mapping of the OEM/ANSI conversion gives them: box drawing becomes its
// ASCII outline, typographic marks their plain forms, accented capitals
// without their accent. Anything not listed becomes "?".
char bestFit(char32_t code) {
  switch (code) {
  case 0x2500:
  case 0x2550:
    return '-';
  case 0x2502:
  case 0x2551:
    return '|';
  case 0x250C:
  case 0x2510:
  case 0x2514:
  case 0x2518:
  case 0x251C:
  case 0x2524:
  case 0x252C:
  case 0x2534:
  case 0x253C:
  case 0x2554:
  case 0x2557:
  case 0x255A:
  case 0x255D:
  case 0x2560:
  case 0x2563:
  case 0x2566:
  case 0x2569:
  case 0x256C:
    return '+';
  case 0x0131:
    return 'i';
  case 0x2017:
    return '_';
  case 0x201A:
    return ',';
  case 0x201E:
  case 0x201C:
  case 0x201D:
    return '"';
  case 0x2018:
  case 0x2019:
  case 0x2039:
  case 0x203A:
    return code == 0x2039 ? '<' : code == 0x203A ? '>' : '\'';
  case 0x2026:
    return '.';
  case 0x2020:
  case 0x2021:
    return '+';
  case 0x02C6:
    return '^';
  case 0x2030:
    return '%';
  case 0x0160:
    return 'S';
  case 0x0161:
    return 's';
  case 0x0152:
    return 'O';
  case 0x0153:
    return 'o';
  case 0x017D:
    return 'Z';
  case 0x017E:
    return 'z';
  case 0x0178:
    return 'Y';
  case 0x2013:
  case 0x2014:
    return '-';
  case 0x02DC:
    return '~';
  case 0x2122:
    return 'T';
  case 0x20AC:
    return 'E';
  default:
    return '?';
  }
}

using ByteTable = std::array<unsigned char, 256>;

unsigned char toCp850(char32_t code) {
  if (code < 0x80)
    return static_cast<unsigned char>(code);
  for (int i = 0; i < 128; ++i)
    if (kCp850High[i] == code)
      return static_cast<unsigned char>(0x80 + i);
  return 0;
}

ByteTable buildOemToAnsi() {
  ByteTable table{};
  for (int b = 0; b < 256; ++b) {
    const char32_t code = b < 0x80 ? static_cast<char32_t>(b) : kCp850High[b - 0x80];
    char mapped = UnicodeToCp1252(code);
    if (mapped == '?' && code != U'?')
      mapped = bestFit(code);
    table[static_cast<size_t>(b)] = static_cast<unsigned char>(mapped);
  }
  return table;
}

ByteTable buildAnsiToOem() {
  ByteTable table{};
  for (int b = 0; b < 256; ++b) {
    const char32_t code = Cp1252ToUnicode(static_cast<unsigned char>(b));
    unsigned char mapped = toCp850(code);
    if (mapped == 0 && code != 0)
      mapped = static_cast<unsigned char>(bestFit(code));
    table[static_cast<size_t>(b)] = mapped;
  }
  return table;
}

const ByteTable &oemToAnsiTable() {
  static const ByteTable table = buildOemToAnsi();
  return table;
}

std::string translate(std::string_view text, const ByteTable &table) {
  std::string result(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i)
    result[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
  return result;
}

} // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0)
    return kCp1252High[byte - 0x80];
  return byte;
}

char UnicodeToCp1252(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
    return static_cast<char>(code);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == code)
      return static_cast<char>(0x80 + i);
  return '?';
}

void AppendCp1252AsUtf8(std::string_view text, std::string &out) {
  for (char ch : text) {
    const unsigned char byte = static_cast<unsigned char>(ch);
    if (byte < 0x80) {
      out += ch;
      continue;
    }
    const char32_t code = Cp1252ToUnicode(byte);
    if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
      continue;
    }
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  AppendCp1252AsUtf8(text, out);
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    int length = lead >= 0xF0 && lead < 0xF5   ? 4
                 : lead >= 0xE0                ? 3
                 : lead >= 0xC2 && lead < 0xE0 ? 2
                                               : 0;
    if (lead >= 0xF5)
      length = 0;
    char32_t code = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool valid = length > 0 && i + static_cast<size_t>(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((next & 0xC0) != 0x80)
        valid = false;
      else
        code = (code << 6) | (next & 0x3F);
    }
    if (valid &&
        ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
         (code >= 0xD800 && code <= 0xDFFF)))
      valid = false;
    if (!valid) {
      // A malformed sequence costs one byte and becomes "?".
      out += '?';
      ++i;
      continue;
    }
    out += UnicodeToCp1252(code);
    i += static_cast<size_t>(length);
  }
  return out;
}

std::string OemToAnsi(std::string_view text) {
  return translate(text, oemToAnsiTable());
}

std::string AnsiToOem(std::string_view text) {
  static const ByteTable table = buildAnsiToOem();
  return translate(text, table);
}

void LoadOemTextFile(TextLines &lines, const std::filesystem::path &fileName) {
  constexpr size_t kMaxLineLength = 10000;
  lines.clear();
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error))
    return;
  std::ifstream file(fileName, std::ios::binary | std::ios::ate);
  if (!file)
    return;
  const std::streamoff size = file.tellg();
  if (size <= 0)
    return;
  // One read and one translation of the whole file: code page 850 keeps CR
  // and LF where they are, so the lines split the same afterwards.
  ByteBuffer bytes(static_cast<size_t>(size));
  file.seekg(0);
  file.read(bytes.data(), size);
  bytes.resize(static_cast<size_t>(file.gcount()));
  const ByteTable &table = oemToAnsiTable();
  for (char &c : bytes)
    c = static_cast<char>(table[static_cast<unsigned char>(c)]);
  lines = TextLines(std::move(bytes), kMaxLineLength);
}

} // namespace sf6
