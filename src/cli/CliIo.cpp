#include "cli/CliIo.h"

#include "text/CodePage.h"
#include "zip/VXZip.h"

#include <cstdint>
#include <cstring>
#include <istream>
#include <ostream>

namespace sf6::cli {

bool IsAscii(std::string_view text) {
  // Eight bytes at a time: cat and csv run this over every line of large entries.
  uint64_t high = 0;
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    high |= word;
  }
  for (; i < text.size(); ++i)
    high |= static_cast<unsigned char>(text[i]);
  return (high & 0x8080808080808080ull) == 0;
}

OutputBuffer::OutputBuffer(std::ostream &out) : m_out(out) {
  m_buffer.reserve(kOutputChunk + 4096);
}

void OutputBuffer::text(std::string_view cp1252) {
  if (IsAscii(cp1252))
    m_buffer += cp1252;
  else
    m_buffer += Cp1252ToUtf8(cp1252);
}

void OutputBuffer::csvField(std::string_view cp1252) {
  if (cp1252.find_first_of(",\"\r\n") == std::string_view::npos) {
    text(cp1252);
    return;
  }
  std::string quoted = "\"";
  for (const char c : cp1252) {
    quoted += c;
    if (c == '"')
      quoted += '"';
  }
  quoted += '"';
  text(quoted);
}

void OutputBuffer::write() {
  if (!m_buffer.empty())
    m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
  m_buffer.clear();
}

void OutputBuffer::flush() {
  write();
  m_out.flush();
}

LineList ReadInputLines(std::istream &in) {
  std::string input;
  std::string chunk(kOutputChunk, '\0');
  while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
    input.append(chunk, 0, static_cast<size_t>(in.gcount()));
  LineList lines;
  size_t pos = 0;
  while (pos < input.size()) {
    size_t lf = input.find('\n', pos);
    const size_t next = lf == std::string::npos ? input.size() : lf + 1;
    if (lf == std::string::npos)
      lf = input.size();
    else if (lf > pos && input[lf - 1] == '\r')
      --lf;
    lines.push_back(Utf8ToCp1252(std::string_view(input).substr(pos, lf - pos)));
    pos = next;
  }
  return lines;
}

void OpenZip(TVXZip &zip, const std::string &archive, const CliCommand &command, CommandIo &io) {
  zip.ZipName(archive);
  zip.setMessageSink(
      [&io, name = command.name](const std::string &caption, const std::string &text) {
        io.err << "sf6tool " << name << ": " << Cp1252ToUtf8(caption) << ": " << Cp1252ToUtf8(text)
               << '\n';
      });
}

} // namespace sf6::cli
