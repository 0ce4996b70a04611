// The typed view of the layouts: field kinds, value types and the values of
// decoded lines, where they differ from what the field grid shows.

#include "sf6/Sf6FieldValue.h"
#include "sf6/Sf6Layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace sf6 {
namespace {

// The values of one line of the named file.
std::vector<Sf6FieldValue> valuesOf(const char *file, std::string_view line) {
  const Sf6Layout &layout = *FindSf6Layout(file);
  std::vector<Sf6FieldValue> values(static_cast<size_t>(layout.fieldCount));
  layout.values(layout.parse(line), values);
  return values;
}

TEST(Sf6FieldValue, EveryLayoutDescribesEachFieldOnce) {
  for (const Sf6Layout &layout : Sf6Layouts()) {
    SCOPED_TRACE(layout.fileName);
    const auto fields = layout.fields();
    ASSERT_EQ(fields.size(), static_cast<size_t>(layout.fieldCount));
    for (size_t i = 0; i < fields.size(); ++i) {
      EXPECT_EQ(fields[i].number, static_cast<int>(i) + 1);
      EXPECT_EQ(fields[i].caption, layout.caption(fields[i].number));
      EXPECT_EQ(fields[i].type, Sf6ValueTypeOf(fields[i].kind));
      EXPECT_EQ(fields[i].enumTable != nullptr, fields[i].type == Sf6ValueType::Enumeration);
      EXPECT_FALSE(Sf6FieldKindName(fields[i].kind).empty());
    }
  }
}

TEST(Sf6FieldValue, GivesTypedValuesOfEachKind) {
  std::string lensType(137, ' ');
  lensType.replace(0, 6, "BSP001");
  lensType.replace(46, 8, "20240101");
  lensType.replace(71, 6, "716000"); // material code 7, index 1.6
  auto v = valuesOf("LensType.Dat", lensType);
  EXPECT_EQ(v[0].text, "BSP001");
  EXPECT_EQ(v[2].text, "2024-01-01");
  EXPECT_TRUE(v[2].hasDate());
  EXPECT_FALSE(v[3].hasDate()); // blank: no date
  EXPECT_EQ(v[3].text, "");
  EXPECT_EQ(v[9].type, Sf6ValueType::Enumeration);
  EXPECT_EQ(v[9].integer, 1); // outside the list: the default's code
  EXPECT_EQ(v[9].text, "Silikat");
  EXPECT_DOUBLE_EQ(v[10].real, 1.6);
  EXPECT_EQ(v[36].text, std::string(15, ' ')); // the short description is kept untrimmed

  v = valuesOf("LensRange.Dat", "BSP0016570E+0125    0000000000000000000");
  EXPECT_EQ(v[1].text, "65/70");
  EXPECT_TRUE(v[2].flag());
  EXPECT_DOUBLE_EQ(v[3].real, 1.25);
  EXPECT_EQ(v[12].integer, 1); // add step code 0 reads as "Stufe 1.0 dpt", code 1

  v = valuesOf("LensGeo.Dat", "BSP00100             01000100");
  EXPECT_EQ(v[1].text, "alle zentrischen Durchmesser");
  EXPECT_EQ(v[5].real, 0.0); // no semi-axes for all diameters

  v = valuesOf("Options.Dat", std::string(63, ' ') + "0120");
  EXPECT_EQ(v[5].integer + 2 * v[6].integer + 4 * v[7].integer + 8 * v[8].integer, 2);
  EXPECT_EQ(v[5].type, Sf6ValueType::Flag);

  v = valuesOf("OptionsColor.Dat", std::string(53, ' ') + "300128");
  EXPECT_EQ(v[5].integer, 44);
  EXPECT_EQ(v[6].integer, 128);

  v = valuesOf("OrderOptions.Dat", "2BSP00100205");
  EXPECT_EQ(v[0].integer, 2); // product type as read
  EXPECT_EQ(v[2].text, "020: Normal PD");
  EXPECT_EQ(v[3].integer, 5); // the priority, not its text

  v = valuesOf("Information.Dat", "0BSP00102001" + std::string(300, 'x'));
  EXPECT_EQ(v[4].text.size(), 250u); // the whole field, not the viewer's cut
}

TEST(Sf6FieldValue, ARecordOfAnotherFileGivesEmptyValues) {
  const Sf6Layout &lensType = *FindSf6Layout("LensType.Dat");
  std::vector<Sf6FieldValue> values(static_cast<size_t>(lensType.fieldCount));
  lensType.values(lensType.parse("BSP001Name"), values);
  ASSERT_EQ(values[1].text, "Name");
  lensType.values(FindSf6Layout("Options.Dat")->parse("X"), values);
  for (const Sf6FieldValue &value : values) {
    EXPECT_TRUE(value.text.empty());
    EXPECT_EQ(value.integer, 0);
    EXPECT_EQ(value.real, 0.0);
  }
}

TEST(Sf6FieldValue, IsoDatesLeaveOutWhatTheBuildersWriteAsBlanks) {
  EXPECT_EQ(IsoDateText(0), "");
  EXPECT_EQ(IsoDateText(-5), "");
  EXPECT_EQ(IsoDateText(1), "1899-12-31");
  EXPECT_EQ(IsoDateText(45658), "2025-01-01");
}

} // namespace
} // namespace sf6
