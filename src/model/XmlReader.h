#pragma once

// Reading the model's tagged storage form as a stream of events. The reader
// knows exactly the element-only form the writer produces: elements without
// attributes, character data, the five named references and "&#N;" /
// "&#xN;" references. A leading "<?xml ...?>" declaration, comments and a
// UTF-8 byte order mark are skipped.
//
// Character data is taken as Windows-1252 bytes: any raw byte stands for
// itself, and "&#N;" gives the byte N (N up to 255).
//
// Events: StartTag when an element opens; for an element without child
// elements (a key), Content with its decoded text (possibly empty) just
// before its EndTag; EndTag when it closes ("<K/>" gives all three). The text
// between child elements is dropped.
//
// Bad input throws Sf6Error naming the line and column (1-based, bytes):
// unbalanced or misspelt tags, attributes, a document that ends early, more
// than one root element, text outside the root, unknown references, a
// reference above 255, nesting deeper than kMaxDepth. The reader never reads
// outside the text and holds at most one element's text at a time.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

enum class XmlPart { StartTag, Content, EndTag };

struct XmlEvent {
  XmlPart kind = XmlPart::StartTag;
  std::string_view name; // the element's tag; valid until the next Next()
  std::string value;     // Content only
  int depth = 0;         // 1 for the root element
};

class XmlReader {
public:
  static constexpr int kMaxDepth = 64;
  static constexpr std::size_t kMaxNameLength = 256;

  // text must outlive the reader.
  explicit XmlReader(std::string_view text);

  // The next event; false after the root element has closed and only
  // whitespace, comments or processing instructions followed.
  bool Next(XmlEvent &event);

  // "line L, column C" of a byte offset.
  std::string PositionText(std::size_t offset) const;
  // Offset of the markup the last event came from.
  std::size_t Offset() const { return m_markup; }

private:
  [[noreturn]] void fail(std::size_t offset, const std::string &what) const;
  bool atEnd() const { return m_pos >= m_text.size(); }
  void skipMisc();                    // whitespace, comments, declarations
  bool skipCommentOrPi();             // at "<!--" or "<?": skipped, true
  std::string_view readName();        // at the first character of a name
  void readText();                    // character data up to "<" into m_text buffer
  void appendReference();             // at "&"
  bool nextPending(XmlEvent &event);  // the Content or EndTag owed from the last call
  bool atRootStart();                 // before the root: false at the document's end
  void readEndTag(XmlEvent &event);   // after "<", at "/"
  void readStartTag(XmlEvent &event); // after "<", at the name

  std::string_view m_text;
  std::size_t m_pos = 0;
  std::size_t m_markup = 0;
  bool m_started = false;
  bool m_finished = false;
  struct Open {
    std::string_view name;
    bool hasChildren = false;
  };
  std::vector<Open> m_open;
  std::string m_buffer; // character data of the innermost element
  // An element that closed and still owes its Content ("<K/>") and EndTag.
  bool m_pendingContent = false;
  bool m_pendingEnd = false;
  std::string_view m_pendingName;
  int m_pendingDepth = 0;
};

} // namespace sf6
