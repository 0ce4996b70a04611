// Column names from captions, and the tables every export shares.

#include "dataexport/ExportColumns.h"
#include "sf6/Sf6FieldValue.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace sf6 {
namespace {

TEST(ColumnNames, FollowTheNamingRule) {
  const struct {
    std::string caption;
    int number;
    std::string name;
  } cases[] = {
      {"Hst-Code Grundglas", 1, "hst_code_grundglas"},
      {"Ein/Mehrst.", 5, "ein_mehrst"},
      {"Einschr\xE4nkung im Stra\xDF"
       "enverkehr",
       29, "einschraenkung_im_strassenverkehr"},
      {"\xC4nderung \xD6l \xDC"
       "ber",
       1, "aenderung_oel_ueber"},
      {"H\xF6he des N\xFC"
       "tzlichen",
       1, "hoehe_des_nuetzlichen"},
      {"\xD8 vert. Halbachse", 6, "vert_halbachse"}, // a letter outside the rule separates
      {"  --Preis   1--  ", 6, "preis_1"},
      {"kl.Durchmesser", 24, "kl_durchmesser"},
      {"", 35, "field_35"},
      {"--- / ---", 7, "field_7"},
      {"\xE9t\xE9", 3, "t"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ColumnNameOfCaption(c.caption, c.number), c.name) << c.caption;
}

TEST(ExportTables, NameEveryFileInFileSetOrder) {
  const std::vector<std::string> expected = {"lens_type",     "lens_range",    "lens_geo",
                                             "lens_price",    "options",       "options_color",
                                             "options_price", "combination",   "information",
                                             "order_options", "product_group", "code_substitution"};
  ASSERT_EQ(ExportTables().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ExportTables()[i].tableName, expected[i]);
    EXPECT_EQ(ExportTables()[i].layout, &Sf6Layouts()[i]);
  }
}

// Every layout: names unique and never "line", each the caption's name or
// that name with a repeat number, an enumeration's text column right after
// its code column, every field present once in field order.
TEST(ExportTables, ColumnsAreUniqueAndFollowTheirCaptions) {
  const std::regex shape("[a-z0-9]+(_[a-z0-9]+)*");
  for (const ExportTable &table : ExportTables()) {
    SCOPED_TRACE(std::string(table.tableName));
    std::set<std::string> names{"line"};
    const auto fields = table.layout->fields();
    int nextField = 1;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      const ExportColumn &column = table.columns[c];
      EXPECT_TRUE(names.insert(column.name).second) << column.name;
      EXPECT_TRUE(std::regex_match(column.name, shape)) << column.name;
      const Sf6FieldInfo &field = fields[column.fieldIndex];
      EXPECT_EQ(field.number, column.fieldNumber);
      EXPECT_EQ(column.caption, field.caption);
      std::string base = ColumnNameOfCaption(field.caption, field.number);
      if (column.enumerationText) {
        ASSERT_GT(c, 0u);
        EXPECT_EQ(table.columns[c - 1].fieldNumber, column.fieldNumber);
        EXPECT_EQ(field.type, Sf6ValueType::Enumeration);
        base = table.columns[c - 1].name + "_text";
      } else {
        EXPECT_EQ(column.fieldNumber, nextField++);
      }
      EXPECT_TRUE(column.name == base || std::regex_match(column.name, std::regex(base + "_[2-9]")))
          << column.name << " from " << base;
    }
    EXPECT_EQ(nextField - 1, table.layout->fieldCount);
  }
}

TEST(ExportTables, IndexTheLensAndOptionCodeColumns) {
  std::set<std::string> indexed;
  for (const ExportTable &table : ExportTables())
    for (const ExportColumn &column : table.columns)
      if (column.indexed)
        indexed.insert(std::string(table.tableName) + "." + column.name);
  const std::set<std::string> expected = {"lens_type.hst_code_grundglas",
                                          "lens_range.hst_code_grundglas",
                                          "lens_range.schicht_1",
                                          "lens_range.schicht_2",
                                          "lens_range.schicht_3",
                                          "lens_range.schicht_4",
                                          "lens_range.schicht_5",
                                          "lens_geo.hst_code_grundglas",
                                          "lens_price.hst_code_grundglas",
                                          "options.hst_code_schicht",
                                          "options_color.hst_code_schicht",
                                          "options_price.hst_code_schicht",
                                          "options_price.hst_code_grundglas",
                                          "combination.hst_code_grundglas",
                                          "combination.schicht_1",
                                          "combination.schicht_2",
                                          "combination.schicht_3",
                                          "information.herstellercode_glas_besch",
                                          "order_options.herstellercode",
                                          "product_group.herstellercode",
                                          "code_substitution.herstellercode_alt",
                                          "code_substitution.herstellercode_neu_1",
                                          "code_substitution.herstellercode_neu_2",
                                          "code_substitution.herstellercode_neu_3"};
  EXPECT_EQ(indexed, expected);
}

} // namespace
} // namespace sf6
