// The tagged form's escaping and its event reader, including bad input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/XmlReader.h"
#include "model/XmlWriter.h"
#include "text/Errors.h"

namespace sf6 {
namespace {

TEST(XmlWriter, EscapesInTheFixedOrderAndEveryByteAbove123) {
  const struct {
    std::string text;
    std::string escaped;
  } cases[] = {
      {"", ""},
      {"plain 123 {", "plain 123 {"}, // "{" is 123 and stays
      {"|}~\x7F", "&#124;&#125;&#126;&#127;"},
      {"a&b", "a&amp;b"},
      {"&amp;", "&amp;amp;"},
      {"x\r\ny", "x&#13;&#10;y"},
      {"<a>'\"", "&lt;a&gt;&apos;&quot;"},
      {"Gl\xE4ser \xFF\x80", "Gl&#228;ser &#255;&#128;"},
      {std::string("\x01\t", 2), std::string("\x01\t", 2)},
  };
  for (const auto &c : cases)
    EXPECT_EQ(EscapeXmlText(c.text), c.escaped) << c.text;
}

TEST(XmlWriter, WritesLongPiecesWhole) {
  std::string out;
  XmlWriter writer(out);
  const std::string note(20000, 'n');
  writer.Element("NOTE", note);
  EXPECT_EQ(out, "<NOTE>" + note + "</NOTE>");
}

std::vector<std::string> events(std::string_view text) {
  XmlReader reader(text);
  XmlEvent e;
  std::vector<std::string> out;
  while (reader.Next(e)) {
    const char *kind = e.kind == XmlPart::StartTag ? "+" : e.kind == XmlPart::EndTag ? "-" : "=";
    out.push_back(kind + std::string(e.name) + (e.kind == XmlPart::Content ? ":" + e.value : "") +
                  "@" + std::to_string(e.depth));
  }
  return out;
}

TEST(XmlReader, GivesContentOnlyForElementsWithoutChildren) {
  EXPECT_EQ(events("<A><B>x</B><C></C><D/>  <E><F>1</F></E></A>"),
            (std::vector<std::string>{"+A@1", "+B@2", "=B:x@2", "-B@2", "+C@2", "=C:@2", "-C@2",
                                      "+D@2", "=D:@2", "-D@2", "+E@2", "+F@3", "=F:1@3", "-F@3",
                                      "-E@2", "-A@1"}));
}

TEST(XmlReader, SkipsDeclarationCommentsAndByteOrderMark) {
  EXPECT_EQ(events("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- c --><A><!-- in --><B>v</B></A>\n"),
            (std::vector<std::string>{"+A@1", "+B@2", "=B:v@2", "-B@2", "-A@1"}));
}

TEST(XmlReader, DecodesReferencesToWindows1252Bytes) {
  const auto e = events("<A>&amp;&lt;&gt;&apos;&quot;&#13;&#10;&#228;&#xE4;&#255;&#0;\xE4</A>");
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[1], std::string("=A:&<>'\"\r\n\xE4\xE4\xFF", 13) + std::string(1, '\0') + "\xE4@1");
}

TEST(XmlReader, KeepsControlBytesAndWhitespaceOfValues) {
  const auto e = events(std::string("<A> \x01\t </A>"));
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[1], std::string("=A: \x01\t @1"));
}

TEST(XmlReader, RejectsBadInputWithItsPosition) {
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"", "line 1, column 1: the document holds no element"},
      {"   \n ", "the document holds no element"},
      {"<A><B></A>", "column 7: end tag </A> does not close <B>"},
      {"<A>\n<B>x", "line 2, column 5: document ends inside <B>"},
      {"<A><B", "document ends inside"},
      {"<A></A><B></B>", "column 8: text after the end of the root element"},
      {"x<A/>", "column 1: text outside the root element"},
      {"</A>", "end tag </A> without a start tag"},
      {"<A b=\"1\"></A>", "column 4: attributes are not part of a catalog document"},
      {"<A>&nbsp;</A>", "column 4: unknown reference &nbsp;"},
      {"<A>a & b</A>", "\"&\" that starts no reference"},
      {"<A>&#256;</A>", "is not a Windows-1252 byte"},
      {"<A>&#2560;</A>", "is not a Windows-1252 byte"},
      {"<A>&#x;</A>", "character reference without digits"},
      {"<A>&#1a;</A>", "bad character reference"},
      {"<!DOCTYPE A><A/>", "declarations are not part of a catalog document"},
      {"<A><!-- open", "comment without end"},
      {"<1A/>", "a tag name was expected"},
      {"<A>< B/></A>", "a tag name was expected"},
  };
  for (const auto &c : cases) {
    try {
      events(c.text);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const Sf6Error &e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
          << c.text << " gave: " << e.what();
    }
  }
}

TEST(XmlReader, BoundsTheNestingDepth) {
  std::string deep;
  for (int i = 0; i < XmlReader::kMaxDepth; ++i)
    deep += "<A>";
  for (int i = 0; i < XmlReader::kMaxDepth; ++i)
    deep += "</A>";
  EXPECT_NO_THROW(events(deep));
  std::string tooDeep;
  for (int i = 0; i < 100000; ++i)
    tooDeep += "<A>";
  EXPECT_THROW(events(tooDeep), Sf6Error);
}

TEST(XmlReader, BoundsTheLengthOfTagNames) {
  const std::string name(XmlReader::kMaxNameLength + 1, 'N');
  EXPECT_THROW(events("<" + name + "/>"), Sf6Error);
}

} // namespace
} // namespace sf6
