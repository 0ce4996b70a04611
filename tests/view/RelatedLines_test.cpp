// Jumps between related lines and the field under a column: which code the
// caret names in each kind of line, where its lines are, and what a jump
// without a target says.

#include "view/FieldColumns.h"
#include "view/RelatedLines.h"

#include <gtest/gtest.h>

#include <map>

namespace sf6 {
namespace {

// A line with text placed at 1-based columns, blanks between.
std::string lineWith(std::initializer_list<std::pair<int, std::string_view>> parts) {
  std::string line;
  for (const auto &[column, text] : parts) {
    if (line.size() < static_cast<size_t>(column - 1))
      line.resize(static_cast<size_t>(column - 1), ' ');
    line.replace(static_cast<size_t>(column - 1), text.size(), text);
  }
  return line;
}

TEST(FieldColumns, FindsTheFieldOfAColumnAndTheNarrowestWhereFieldsOverlap) {
  const auto fields = LensRangeLayout().fields();
  EXPECT_EQ(FieldAtColumn(fields, 1)->number, 1);
  EXPECT_EQ(FieldAtColumn(fields, 6)->number, 1);
  EXPECT_EQ(FieldAtColumn(fields, 7)->number, 2);
  EXPECT_EQ(FieldAtColumn(fields, 11)->number, 3); // the E inside the diameter group
  EXPECT_EQ(FieldAtColumn(fields, 49)->number, 14);
  EXPECT_EQ(FieldAtColumn(fields, 106)->number, 28);
  EXPECT_EQ(FieldAtColumn(fields, 107), nullptr);
  EXPECT_EQ(FieldAtColumn(fields, 0), nullptr);
  // A caret stands before its column's character; at the end of the last
  // field it still counts as in that field.
  EXPECT_EQ(FieldAtCaret(fields, 0)->number, 1);
  EXPECT_EQ(FieldAtCaret(fields, 6)->number, 2);
  EXPECT_EQ(FieldAtCaret(fields, 106)->number, 28);
  EXPECT_EQ(FieldAtCaret(fields, 200), nullptr);
}

TEST(RelatedLines, TheFieldUnderTheCaretDecidesElseTheLinesFirstCode) {
  const Sf6Layout &range = LensRangeLayout();
  const std::string line = lineWith({{1, "GL0001"}, {49, "  AR1 "}, {61, "HC7"}});
  auto code = CodeAtCaret(range, line, 50); // in "Schicht 1"
  ASSERT_TRUE(code);
  EXPECT_EQ(code->kind, CodeKind::Option);
  EXPECT_EQ(code->code, "AR1");
  EXPECT_EQ(code->field, 14);
  code = CodeAtCaret(range, line, 54); // blank "Schicht 2": the line's lens code
  ASSERT_TRUE(code);
  EXPECT_EQ(code->kind, CodeKind::Lens);
  EXPECT_EQ(code->code, "GL0001");
  code = CodeAtCaret(range, line, 3, CodeKind::Option); // asked for an option: the first coating
  ASSERT_TRUE(code);
  EXPECT_EQ(code->code, "AR1");
  EXPECT_FALSE(CodeAtCaret(range, "", 0));

  // A product code is a lens or an option as the product type says.
  const Sf6Layout &group = ProductGroupLayout();
  EXPECT_EQ(CodeAtCaret(group, "0GL0001Gruppe", 0)->kind, CodeKind::Lens);
  EXPECT_EQ(CodeAtCaret(group, "1AR1   Gruppe", 0)->kind, CodeKind::Option);
  EXPECT_EQ(CodeAtCaret(group, "1AR1   Gruppe", 0)->code, "AR1");

  // An options price names its option first and its lens second.
  const auto codes = CodesOfLine(OptionsPriceLayout(), lineWith({{1, "AR1"}, {7, "GL0001"}}));
  ASSERT_EQ(codes.size(), 2u);
  EXPECT_EQ(codes[0].kind, CodeKind::Option);
  EXPECT_EQ(codes[1].kind, CodeKind::Lens);
}

TEST(RelatedLines, EveryLensAndOptionCodeFieldOfTheLayoutsIsMarked) {
  // Fields captioned as a maker's code or a coating slot name a lens or an
  // option; the colour code of OptionsColor.Dat is the one code that does not.
  int marked = 0;
  for (const Sf6Layout &layout : Sf6Layouts())
    for (const Sf6FieldInfo &field : layout.fields()) {
      const std::string caption = field.caption;
      const bool codeCaption =
          (caption.find("ode") != std::string::npos && caption != "Hst-Code Farbe") ||
          caption.rfind("Schicht ", 0) == 0;
      const bool isCode = field.kind == Sf6FieldKind::Text && codeCaption;
      EXPECT_EQ(field.codeRef != Sf6CodeRef::None, isCode) << layout.fileName << " " << caption;
      marked += field.codeRef != Sf6CodeRef::None;
    }
  EXPECT_EQ(marked, 24);
}

class RelatedLinesTest : public ::testing::Test {
protected:
  void SetUp() override {
    set(Sf6Entry::LensType, "GL0001Glas eins\r\nGL0002Glas zwei\r\n");
    set(Sf6Entry::LensPrice, "GL0002  6501010010001000\r\nGL0001  6501010010002000\r\n"
                             "GL0001  7001010010003000\r\n");
    set(Sf6Entry::Options, "  AR1 Entspiegelung\r\nHC7   Hartschicht\r\n");
    set(Sf6Entry::OptionsPrice, "HC7   GL0001\r\n");
  }
  void set(Sf6Entry entry, std::string bytes) { m_documents[entry].setBytes(std::move(bytes)); }

  std::map<Sf6Entry, TextDocument> m_documents;
  int m_lookups = 0;
  RelatedLines m_related{[this](Sf6Entry entry) -> const TextDocument * {
    ++m_lookups;
    const auto found = m_documents.find(entry);
    return found == m_documents.end() ? nullptr : &found->second;
  }};
};

TEST_F(RelatedLinesTest, JumpsToTheDefiningLineAndTheFirstPrices) {
  const std::string range = lineWith({{1, "GL0001"}, {49, "AR1"}, {55, "HC7"}});
  auto jump = m_related.resolve(JumpKind::Definition, Sf6Entry::LensRange, range, 2);
  ASSERT_TRUE(jump.target);
  EXPECT_EQ(jump.target->entry, Sf6Entry::LensType);
  EXPECT_EQ(jump.target->line, 0);
  jump = m_related.resolve(JumpKind::Prices, Sf6Entry::LensRange, range, 2);
  ASSERT_TRUE(jump.target);
  EXPECT_EQ(jump.target->entry, Sf6Entry::LensPrice);
  EXPECT_EQ(jump.target->line, 1); // the first of its two price lines
  jump = m_related.resolve(JumpKind::Definition, Sf6Entry::LensRange, range, 56); // in Schicht 2
  ASSERT_TRUE(jump.target);
  EXPECT_EQ(jump.target->entry, Sf6Entry::Options);
  EXPECT_EQ(jump.target->line, 1);
  jump = m_related.resolve(JumpKind::Prices, Sf6Entry::LensRange, range, 56);
  ASSERT_TRUE(jump.target);
  EXPECT_EQ(jump.target->entry, Sf6Entry::OptionsPrice);
  // "Zur Option" from the lens field: the line's first option, blanks around
  // an Options.Dat code ignored.
  jump = m_related.resolve(JumpKind::Option, Sf6Entry::LensRange, range, 2);
  ASSERT_TRUE(jump.target);
  EXPECT_EQ(jump.target->line, 0);
  jump = m_related.resolve(JumpKind::Lens, Sf6Entry::LensRange, range, 56);
  ASSERT_TRUE(jump.target);
  EXPECT_EQ(jump.target->entry, Sf6Entry::LensType);
}

TEST_F(RelatedLinesTest, SaysWhyThereIsNoTarget) {
  auto jump =
      m_related.resolve(JumpKind::Definition, Sf6Entry::LensGeo, lineWith({{1, "GL0009"}}), 0);
  EXPECT_FALSE(jump.target);
  EXPECT_EQ(jump.message, "Glascode \x84GL0009\x93 ist in LensType.Dat nicht definiert");
  jump = m_related.resolve(JumpKind::Prices, Sf6Entry::Options, "XX9   Neu", 0);
  EXPECT_EQ(jump.message, "Keine Preise zu Optionscode \x84XX9\x93 in OptionsPrice.Dat");
  jump = m_related.resolve(JumpKind::Option, Sf6Entry::LensType, "GL0001Glas eins", 0);
  EXPECT_EQ(jump.message, "Kein Optionscode in dieser Zeile");
  jump = m_related.resolve(JumpKind::Definition, Sf6Entry::Head, "version  6.8", 0);
  EXPECT_FALSE(jump.target);
}

TEST_F(RelatedLinesTest, IndexesEachFileOnceUntilItsTextChanges) {
  const std::string price = lineWith({{1, "GL0002"}});
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(m_related.resolve(JumpKind::Lens, Sf6Entry::LensPrice, price, 0).target->line, 1);
  EXPECT_EQ(m_lookups, 1);
  set(Sf6Entry::LensType, "GL0002Nun zuerst\r\n");
  EXPECT_EQ(m_related.resolve(JumpKind::Lens, Sf6Entry::LensPrice, price, 0).target->line, 1);
  m_related.invalidate(Sf6Entry::LensType);
  EXPECT_EQ(m_related.resolve(JumpKind::Lens, Sf6Entry::LensPrice, price, 0).target->line, 0);
  EXPECT_EQ(m_lookups, 2);
}

} // namespace
} // namespace sf6
