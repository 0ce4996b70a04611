// The form of field text by kind, one table for every kind, and the field
// descriptions and Head.dat keys the checker takes from the record layer.

#include "check/CheckRules.h"
#include "check/FieldSyntax.h"
#include "sf6/Sf6Enums.h"
#include "sf6/Sf6HeadKeys.h"
#include "sf6/Sf6Layout.h"
#include "sf6/Sf6Procs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace sf6::check {
namespace {

Sf6FieldInfo Field(Sf6FieldKind kind, int width, bool isSigned = false,
                   const Sf6EnumTable *table = nullptr) {
  Sf6FieldInfo f;
  f.number = 1;
  f.caption = "Feld";
  f.column = 1;
  f.width = width;
  f.writeWidth = width;
  f.kind = kind;
  f.isSigned = isSigned;
  f.divisor = kind == Sf6FieldKind::Scaled ? 100 : 1;
  f.enumTable = table;
  return f;
}

struct SyntaxCase {
  Sf6FieldInfo field;
  const char *text;
  std::optional<FaultReason> reason; // nothing: well-formed
  int offset = 0;
};

TEST(FieldSyntax, JudgesEachKindByWhatTheWriterWritesAndTheReaderTakes) {
  using K = Sf6FieldKind;
  using R = FaultReason;
  const Sf6EnumTable &addStep = EnumTableOf<TSf6AddStep>();
  const Sf6EnumTable &lensKind = EnumTableOf<TSf6LensKind>();
  const SyntaxCase cases[] = {
      {Field(K::Integer, 3), "012", {}},
      {Field(K::Integer, 3), "   ", {}},
      {Field(K::Integer, 3), " 12", {}},
      {Field(K::Integer, 3), "12 ", {}},
      {Field(K::Integer, 3), "-07", {}},
      {Field(K::Integer, 3), "1 2", R::InnerBlank, 1},
      {Field(K::Integer, 3), "1x2", R::NotADigit, 1},
      {Field(K::Integer, 3), "-  ", R::NoDigits, 0},
      {Field(K::Scaled, 7), "0012550", {}},
      {Field(K::Scaled, 7), "0012,55", R::DecimalSeparator, 4},
      {Field(K::Scaled, 7), "12.5   ", R::DecimalSeparator, 2},
      {Field(K::Scaled, 5, true), "+0125", {}},
      {Field(K::Scaled, 5, true), "-0400", {}},
      {Field(K::Scaled, 5, true), "00125", R::SignMissing, 0},
      {Field(K::Scaled, 5, true), "     ", {}},
      {Field(K::Flag, 1), "1", {}},
      {Field(K::Flag, 1), " ", {}},
      {Field(K::Flag, 1), "-", R::FlagValue, 0},
      {Field(K::MaterialFlag, 1), "2", R::FlagValue, 0},
      {Field(K::ProductType, 1), "1", {}},
      {Field(K::ProductType, 1), "9", R::ProductTypeValue, 0},
      {Field(K::Date, 8), "        ", {}},
      {Field(K::Date, 8), "00000000", {}},
      {Field(K::Date, 8), "20240229", {}},
      {Field(K::Date, 8), "20230229", R::DateInvalid, 0},
      {Field(K::Date, 8), "2024 229", R::DateForm, 4},
      {Field(K::Enumeration, 1, false, &addStep), "4", {}},
      {Field(K::Enumeration, 1, false, &addStep), "3", R::EnumCode, 0},
      {Field(K::Enumeration, 1, false, &addStep), " ", R::EnumCode, 0},
      {Field(K::Enumeration, 1, false, &lensKind), " ", {}},
      {Field(K::Diameter, 5), "6570E", {}},
      {Field(K::Diameter, 5), "70   ", {}},
      {Field(K::Diameter, 5), "0000 ", {}},
      {Field(K::Diameter, 5), "7 0  ", R::DiameterFirst, 1},
      {Field(K::Diameter, 5), "657  ", R::DiameterSecond, 3},
      {Field(K::Diameter, 5), "6570X", R::DiameterMarker, 4},
      {Field(K::Diameter, 4), "65  ", {}},
      {Field(K::Colour, 3), "255", {}},
      {Field(K::Colour, 3), "256", R::ColourRange, 0},
      {Field(K::Text, 6), "AB\x7F", R::ControlCharacter, 2},
      {Field(K::Text, 6), "\xE4\xF6\xFC", {}},
      // A line that ends inside a number leaves it to the line-length rule.
      {Field(K::Scaled, 7), "00x", {}},
  };
  for (const SyntaxCase &c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    const std::optional<FieldFault> fault = CheckFieldSyntax(c.field, c.text);
    ASSERT_EQ(fault.has_value(), c.reason.has_value());
    if (!fault)
      continue;
    EXPECT_EQ(fault->reason, *c.reason);
    EXPECT_EQ(fault->offset, c.offset);
    EXPECT_FALSE(DescribeFieldFault(c.field, c.text, *fault).empty());
  }
}

TEST(FieldSyntax, DecimalSeparatorMessageShowsWhatReadersGet) {
  const Sf6FieldInfo price = Field(Sf6FieldKind::Scaled, 7);
  const auto fault = CheckFieldSyntax(price, "0012,55");
  ASSERT_TRUE(fault);
  EXPECT_NE(DescribeFieldFault(price, "0012,55", *fault).find("0.1255"), std::string::npos);
}

TEST(FieldDescriptions, AgreeWithTheLayoutsPlacesAndCaptions) {
  for (const Sf6Layout &layout : Sf6Layouts()) {
    SCOPED_TRACE(layout.fileName);
    ASSERT_NE(layout.fields, nullptr);
    const auto fields = layout.fields();
    ASSERT_EQ(static_cast<int>(fields.size()), layout.fieldCount);
    for (const Sf6FieldInfo &f : fields) {
      const Sf6FieldPlace place = layout.place(f.number);
      EXPECT_EQ(place.column, f.column);
      EXPECT_EQ(place.width, f.width);
      EXPECT_EQ(layout.caption(f.number), f.caption);
      EXPECT_EQ(f.kind == Sf6FieldKind::Enumeration, f.enumTable != nullptr);
    }
  }
  // The reader takes two columns of field 40 of LensType.Dat, the writer one.
  const Sf6FieldInfo &last = LensTypeLayout().fields().back();
  EXPECT_EQ(last.width, 2);
  EXPECT_EQ(last.writeWidth, 1);
}

TEST(HeadKeys, AreTheKeysTheWriterWritesInItsOrder) {
  LineList lines;
  WriteHeadLines(TSf6DataHead{}, lines);
  const auto keys = Sf6HeadKeys();
  ASSERT_EQ(lines.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(HeadRowOfLine(lines[i]).name, keys[i].key);
    EXPECT_EQ(keys[i].number, static_cast<int>(i + 1));
  }
}

TEST(CheckRules, DocumentationListsEveryRuleWithItsSeverity) {
  std::ifstream in(std::string(TEST_DATA_DIR) + "/../../docs/checks.md");
  ASSERT_TRUE(in) << "docs/checks.md";
  std::stringstream text;
  text << in.rdbuf();
  const std::string doc = text.str();
  for (const CheckRule &rule : CheckRules()) {
    SCOPED_TRACE(rule.name);
    EXPECT_EQ(&Rule(rule.id), &rule) << "table in RuleId order";
    const std::string row = std::string("| `") + rule.name + "` | " +
                            (rule.severity == Severity::Error ? "error" : "warning") + " |";
    EXPECT_NE(doc.find(row), std::string::npos) << "missing row: " << row;
  }
}

} // namespace
} // namespace sf6::check
