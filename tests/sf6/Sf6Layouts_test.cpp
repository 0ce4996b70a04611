#include "sf6/Sf6Layout.h"
#include "sf6/Sf6Procs.h"

#include <gtest/gtest.h>

#include <string>

namespace sf6 {
namespace {

// A line of blanks with `text` put at 1-based `column`, grown as needed.
struct LineBuilder {
  std::string line;
  LineBuilder &at(int column, std::string_view text) {
    const size_t end = static_cast<size_t>(column - 1) + text.size();
    if (line.size() < end)
      line.resize(end, ' ');
    line.replace(static_cast<size_t>(column - 1), text.size(), text);
    return *this;
  }
};

// Every layout: numbering, captions and places are consistent, field n sits
// inside the written line, and anything outside the layout answers empty.
TEST(Sf6Layouts, EveryLayoutAnswersEmptyOutsideItsFields) {
  for (const Sf6Layout &layout : Sf6Layouts()) {
    SCOPED_TRACE(layout.fileName);
    const Sf6AnyRecord record = layout.parse("");
    EXPECT_EQ(layout.caption(0), "");
    EXPECT_EQ(layout.caption(layout.fieldCount + 1), "");
    EXPECT_EQ(layout.text(0, record), "");
    EXPECT_EQ(layout.text(layout.fieldCount + 1, record), "");
    EXPECT_EQ(layout.place(-3).number, 0);
    int previousEnd = 1;
    for (int n = 1; n <= layout.fieldCount; ++n) {
      const Sf6FieldPlace place = layout.place(n);
      EXPECT_EQ(place.number, n);
      EXPECT_GE(place.column, previousEnd - 4) << n; // groups overlap by their marker
      previousEnd = place.column + place.width;
    }
    // A record of another file renders as empty text.
    const Sf6AnyRecord other{TSf6DataCombination{}};
    if (std::string_view(layout.fileName) != "Combination.Dat") {
      EXPECT_EQ(layout.text(1, other), "");
    }
  }
}

TEST(Sf6Layouts, FindsLayoutByFileNameWithoutRegardToCase) {
  ASSERT_NE(FindSf6Layout("lenstype.dat"), nullptr);
  EXPECT_STREQ(FindSf6Layout("LENSPRICE.DAT")->fileName, "LensPrice.Dat");
  EXPECT_EQ(FindSf6Layout("CodeSubstitution.Dat")->rebuild, nullptr);
  EXPECT_EQ(FindSf6Layout("Head.dat"), nullptr);
  EXPECT_EQ(FindSf6Layout("LensType"), nullptr);
  EXPECT_EQ(Sf6Layouts().size(), 12u);
}

TEST(Sf6Layouts, BuildersWriteTheirFullLineLength) {
  EXPECT_EQ(BuildLensTypeLine({}).size(), 137u);
  EXPECT_EQ(BuildLensRangeLine({}).size(), 106u);
  EXPECT_EQ(BuildLensGeoLine({}).size(), 96u);
  EXPECT_EQ(BuildOptionsLine({}).size(), 136u);
  EXPECT_EQ(BuildOptionsColorLine({}).size(), 93u);
  EXPECT_EQ(BuildCombinationLine({}).size(), 25u);
  EXPECT_EQ(BuildOrderOptionsLine(false, "", TSf6OrderFieldType::NichtGefuellt, 0).size(), 12u);
}

// Parsing a built line gives the record back, for a record with every kind
// of value set (texts cut to their width are the exception, not used here).
TEST(Sf6Layouts, LensTypeRoundTrip) {
  TSf6DataLensType r;
  r.Code = "ABC123";
  r.Name = "Progressiv 1.6";
  TryEncodeDate(2024, 3, 1, r.ValidFrom);
  r.LensKind = TSf6LensKind::Gleitsicht;
  r.BalanceLens = true;
  r.BalanceConditionLens = 12;
  r.Material = TSf6Material::Kunststoff;
  r.RefractiveIndex = 1.6;
  r.Density = 1.3;
  r.AbbeNumber = 42.5;
  r.AntiReflection = TSf6AntiReflection::Super;
  r.Tint = TSf6Tint::DreifachVerlauf;
  r.SmallDiameter = TSf6Inclusion::ImPlusbereich;
  r.RoadUse = TSf6RoadUse::NichtKfzTauglich;
  r.UvEdge = 380;
  r.Uva = 9.5;
  r.SingleLensOrder = TSf6SingleLensOrder::MitFiktivemGegenglas;
  r.TS = true;
  r.SortOrder = 7;
  r.ShortDescription = " kurz          ";
  r.MinDiameter = 55;
  r.DiameterStep = 5;
  r.FilterCategoryExposed = 3;
  const std::string line = BuildLensTypeLine(r);
  ASSERT_EQ(line.size(), 137u);
  EXPECT_EQ(line.substr(72, 5), "16000");
  const TSf6DataLensType back = ParseLensTypeLine(line);
  EXPECT_EQ(BuildLensTypeLine(back), line);
  EXPECT_EQ(back.Name, "Progressiv 1.6");
  EXPECT_EQ(back.ShortDescription, " kurz          ");
  EXPECT_DOUBLE_EQ(back.RefractiveIndex, 1.6);
  EXPECT_EQ(back.Tint, TSf6Tint::DreifachVerlauf);
  EXPECT_EQ(LensTypeFieldText(3, back), "01.03.2024");
  EXPECT_EQ(LensTypeFieldText(35, back), "Ja");
  EXPECT_EQ(LensTypeFieldCaption(35), "");
  EXPECT_EQ(LensTypeFieldCaption(29), "Einschr\xE4nkung im Stra\xDF" "enverkehr");
}

TEST(Sf6Layouts, LensTypeShortLineLeavesLaterFieldsEmpty) {
  const TSf6DataLensType r = ParseLensTypeLine(std::string(46, 'x'));
  EXPECT_EQ(LensTypeFieldText(3, r), "");
  EXPECT_EQ(LensTypeFieldText(5, r), "Einst\xE4rken");
  EXPECT_EQ(LensTypeFieldText(6, r), "Nein");
  EXPECT_EQ(LensTypeFieldText(7, r), "0");
  EXPECT_EQ(LensTypeFieldText(10, r), "egal");
  EXPECT_EQ(LensTypeFieldText(11, r), "0.0000");
  EXPECT_EQ(LensTypeFieldText(29, r), "keine Angabe");
  EXPECT_EQ(LensTypeFieldText(34, r), "nicht m\xF6glich");
}

TEST(Sf6Layouts, LensTypeScaledNumbersAndFieldForty) {
  const std::string line = LineBuilder{}
                               .at(72, "7")
                               .at(73, "15250")
                               .at(101, "380")
                               .at(104, "0950")
                               .at(137, "12")
                               .line;
  TSf6DataLensType r = ParseLensTypeLine(line);
  EXPECT_EQ(LensTypeFieldText(10, r), "Silikat");
  EXPECT_EQ(LensTypeFieldText(11, r), "1.5250");
  EXPECT_EQ(LensTypeFieldText(30, r), "380");
  EXPECT_EQ(LensTypeFieldText(31, r), "9.50");
  EXPECT_EQ(LensTypeFieldText(40, r), "12");
  const std::string built = BuildLensTypeLine(r);
  EXPECT_EQ(built.substr(72, 5), "15250");
  EXPECT_EQ(built.back(), '2');
  EXPECT_EQ(built.size(), 137u);
  EXPECT_EQ(LensTypeLayout().place(40).width, 2);
}

TEST(Sf6Layouts, FieldColumnsReadBlanksCommasAndFlags) {
  // Scaled numbers tolerate blanks and "," or "."; flags are true above 0.
  const TSf6DataLensType r = ParseLensTypeLine(LineBuilder{}
                                                   .at(64, "2")
                                                   .at(78, "1,5")
                                                   .at(81, "1.5 ")
                                                   .at(85, "-")
                                                   .at(104, "ab")
                                                   .line);
  EXPECT_TRUE(r.BalanceLens);
  EXPECT_DOUBLE_EQ(r.Density, 0.015);
  EXPECT_DOUBLE_EQ(r.AbbeNumber, 0.015);
  EXPECT_FALSE(r.Aspheric);
  EXPECT_DOUBLE_EQ(r.Uva, 0);
}

TEST(Sf6Layouts, DatesReadAndWriteEightCharacters) {
  TSf6DataLensRange blank = ParseLensRangeLine(LineBuilder{}.at(80, "00000000").line);
  EXPECT_EQ(LensRangeFieldText(20, blank), "");
  EXPECT_EQ(LensRangeFieldText(21, blank), "");
  const std::string built = BuildLensRangeLine(blank);
  EXPECT_EQ(built.substr(79, 16), std::string(16, ' '));
  TSf6DataLensRange dated = ParseLensRangeLine(LineBuilder{}.at(88, "20251231").line);
  EXPECT_EQ(LensRangeFieldText(21, dated), "31.12.2025");
  EXPECT_EQ(BuildLensRangeLine(dated).substr(87, 8), "20251231");
}

TEST(Sf6Layouts, LensRangeDiameterRowsAndSignedPowers) {
  TSf6DataLensRange r = ParseLensRangeLine(LineBuilder{}.at(7, "6570E").at(12, "+0125").line);
  EXPECT_EQ(LensRangeFieldText(2, r), "65/70");
  EXPECT_EQ(LensRangeFieldText(3, r), "E");
  EXPECT_EQ(LensRangeFieldText(4, r), "+1.25");
  EXPECT_EQ(LensRangeFieldText(5, r), "0.00");
  EXPECT_EQ(LensRangeFieldText(13, r), "Stufe 1.0 dpt");
  r = ParseLensRangeLine(LineBuilder{}.at(7, "70   ").line);
  EXPECT_EQ(LensRangeFieldText(2, r), "70");
  EXPECT_EQ(LensRangeFieldText(3, r), "");

  TSf6DataLensRange w;
  w.Diameter = {65, 70, true};
  w.SphFrom = 1.25;
  w.SphTo = -4;
  w.CylFrom = -2;
  w.Coating1 = "AR";
  const std::string line = BuildLensRangeLine(w);
  EXPECT_EQ(line.substr(6, 5), "6570E");
  EXPECT_EQ(line.substr(11, 10), "+0125-0400");
  EXPECT_EQ(line.substr(21, 4), "-200");
  EXPECT_EQ(line.substr(47, 1), "1"); // add step 0 is written as code 1
  const TSf6DataLensRange back = ParseLensRangeLine("  " + line.substr(2));
  EXPECT_DOUBLE_EQ(back.CylFrom, -2);
  EXPECT_EQ(back.Coating1, "AR");
  EXPECT_EQ(ParseLensRangeLine(LineBuilder{}.at(49, "  AB  ").line).Coating1, "AB");
}

TEST(Sf6Layouts, LensGeoCentredDiametersHideDiameterAndSemiAxes) {
  const TSf6DataLensGeo r =
      ParseLensGeoLine(LineBuilder{}.at(7, "00   ").at(12, "+0100-0200").at(22, "25002600").line);
  EXPECT_EQ(r.DiameterMode, 1);
  EXPECT_EQ(LensGeoFieldText(2, r), "alle zentrischen Durchmesser");
  EXPECT_EQ(LensGeoFieldText(3, r), "");
  EXPECT_EQ(LensGeoFieldText(4, r), "1.00");
  EXPECT_EQ(LensGeoFieldText(5, r), "-2.00");
  EXPECT_EQ(LensGeoFieldText(6, r), "");
  EXPECT_EQ(LensGeoFieldText(7, r), "");
  const std::string line = BuildLensGeoLine(r);
  EXPECT_EQ(line.substr(6, 5), "00   ");
  EXPECT_EQ(line.substr(11, 10), "+0100-0200");
  EXPECT_EQ(line.substr(21, 8), std::string(8, ' '));
  EXPECT_EQ(line.size(), 96u);
}

TEST(Sf6Layouts, LensGeoDecentredAndNoPowerRange) {
  const TSf6DataLensGeo r = ParseLensGeoLine(LineBuilder{}.at(7, "0000E").at(31, "-0150").line);
  EXPECT_EQ(r.DiameterMode, 2);
  EXPECT_FALSE(r.Diameter.E);
  EXPECT_TRUE(r.NoPowerRange);
  EXPECT_EQ(LensGeoFieldText(2, r), "alle dezentrierten Durchmesser");
  EXPECT_EQ(LensGeoFieldText(4, r), "");
  EXPECT_EQ(LensGeoFieldText(5, r), "");
  EXPECT_EQ(LensGeoFieldText(9, r), "-1.50");
  const std::string line = BuildLensGeoLine(r);
  EXPECT_EQ(line.substr(6, 15), "0000 " + std::string(10, ' '));
  EXPECT_EQ(line.substr(30, 5), "-0150");

  TSf6DataLensGeo w;
  w.Diameter = {65, 0, false};
  w.FarRefVertical = 2.25;
  w.SemiAxisVertical = 30;
  w.DiameterMode = 7; // unknown modes write as all centred diameters
  EXPECT_EQ(BuildLensGeoLine(w).substr(6, 5), "00   ");
  w.DiameterMode = 0;
  const std::string one = BuildLensGeoLine(w);
  EXPECT_EQ(one.substr(6, 5), "65   ");
  EXPECT_EQ(one.substr(21, 4), "3000");
  EXPECT_EQ(one.substr(30, 5), "+0225");
  EXPECT_EQ(LensGeoFieldText(6, ParseLensGeoLine(one)), "30.00");
}

TEST(Sf6Layouts, LensPriceLineEndsAtTheLastPresentPrice) {
  TSf6DataLensPrice r;
  r.Code = "GL1";
  r.Diameter = {65, 70, true};
  r.SphGroup = 3;
  r.Price1 = 125.5;
  r.Price2 = 99;
  const std::string line = BuildLensPriceLine(r, {true, false, false, false, false});
  EXPECT_EQ(line, "GL1   " "6570" "03" "00" "000" "0012550");
  EXPECT_EQ(line.size(), 24u);
  const TSf6DataLensPrice back = ParseLensPriceLine(line);
  EXPECT_EQ(back.Diameter, (TSf6Diameter{65, 70, false}));
  EXPECT_EQ(LensPriceFieldText(2, back), "65/70");
  EXPECT_EQ(LensPriceFieldText(6, back), "125.50");
  EXPECT_EQ(LensPriceFieldText(7, back), "0.00");
  EXPECT_EQ(BuildLensPriceLine(r, {false, true, false, false, false}),
            "GL1   " "6570" "03" "00" "000" "       " "0009900");
  EXPECT_EQ(LensPriceLayout().rebuild(line + "   "), line);
}

TEST(Sf6Layouts, OptionsMaterialFlagsCountOnlyOne) {
  TSf6Dataoptions r = ParseOptionsLine(LineBuilder{}.at(64, "0100").line);
  EXPECT_EQ(OptionsFieldText(6, r), "Nein");
  EXPECT_EQ(OptionsFieldText(7, r), "Ja");
  EXPECT_EQ(OptionsFieldText(8, r), "Nein");
  EXPECT_EQ(OptionsFieldText(9, r), "Nein");
  EXPECT_FALSE(r.Materials.Contains(TSf6Material::Egal));
  r = ParseOptionsLine(LineBuilder{}.at(64, "0200").line);
  EXPECT_TRUE(r.Materials.Contains(TSf6Material::Egal));
  EXPECT_EQ(OptionsFieldText(7, r), "Nein");
  EXPECT_EQ(BuildOptionsLine(r).substr(63, 4), "0000");
  r = ParseOptionsLine(LineBuilder{}.at(64, "1001").line);
  EXPECT_EQ(FirstMaterial(r.Materials), TSf6Material::Silikat);
  EXPECT_EQ(BuildOptionsLine(r).substr(63, 4), "1001");
}

TEST(Sf6Layouts, OptionsFieldsAfterTheMaterials) {
  const TSf6Dataoptions r = ParseOptionsLine(LineBuilder{}
                                                 .at(1, " AR1  ")
                                                 .at(80, "11")
                                                 .at(92, "3800095")
                                                 .at(103, "-0800+0200")
                                                 .at(113, "6575012")
                                                 .at(120, "kurz")
                                                 .line);
  EXPECT_EQ(r.Code, "AR1");
  EXPECT_EQ(OptionsFieldText(22, r), "oval statt rund");
  EXPECT_EQ(OptionsFieldText(23, r), "Ja");
  EXPECT_EQ(OptionsFieldText(34, r), "380");
  EXPECT_EQ(OptionsFieldText(35, r), "9.50");
  EXPECT_EQ(OptionsFieldText(37, r), "-8.00");
  EXPECT_EQ(OptionsFieldText(38, r), "2.00");
  EXPECT_EQ(OptionsFieldText(41, r), "12");
  EXPECT_EQ(OptionsFieldText(42, r), "kurz");
  const std::string line = BuildOptionsLine(r);
  EXPECT_EQ(line.size(), 136u);
  EXPECT_EQ(line.substr(91, 11), "38000950000");
  EXPECT_EQ(line.substr(102, 10), "-0800+0200");
  EXPECT_EQ(line.substr(112, 4), "6575");
}

TEST(Sf6Layouts, OptionsColorComponentsWrapAndRoundTrip) {
  const TSf6DataoptionsColor r =
      ParseOptionsColorLine(LineBuilder{}.at(54, "255128000300").at(83, "380").line);
  EXPECT_EQ(OptionsColorFieldText(6, r), "255");
  EXPECT_EQ(OptionsColorFieldText(7, r), "128");
  EXPECT_EQ(OptionsColorFieldText(8, r), "0");
  EXPECT_EQ(OptionsColorFieldText(9, r), "44");
  EXPECT_EQ(r.ColourTop, 255u + 256u * 128u);
  EXPECT_EQ(OptionsColorFieldText(17, r), "380.00");
  const std::string line = BuildOptionsColorLine(r);
  EXPECT_EQ(line.size(), 93u);
  EXPECT_EQ(line.substr(53, 12), "255128000044");
  EXPECT_EQ(OptionsColorFieldCaption(7), "RGB Wert gr\xFCn oben");
}

TEST(Sf6Layouts, OptionsPriceMaterialsAndPrices) {
  const TSf6DataoptionsPrice r =
      ParseOptionsPriceLine(LineBuilder{}.at(1, "AR1").at(13, "21    ").at(19, "0001000").line);
  EXPECT_EQ(r.LensCode, "");
  EXPECT_EQ(OptionsPriceFieldText(3, r), "Torisch");
  EXPECT_EQ(OptionsPriceFieldText(4, r), "Einst.");
  for (int n = 5; n <= 8; ++n)
    EXPECT_EQ(OptionsPriceFieldText(n, r), "Nein") << n;
  EXPECT_TRUE(r.Materials.Contains(TSf6Material::Egal));
  EXPECT_EQ(OptionsPriceFieldText(9, r), "10.00");
  const std::string line = BuildOptionsPriceLine(r, {true, true, false, false, false});
  EXPECT_EQ(line.size(), 32u); // ends with price 2 in columns 26-32
  EXPECT_EQ(line, "AR1   " "      " "21" "0000" "0001000" "0000000");
}

TEST(Sf6Layouts, CombinationAvailabilityAndPadding) {
  EXPECT_EQ(CombinationFieldText(2, ParseCombinationLine("GL1   ")), "nicht lieferbar");
  EXPECT_EQ(CombinationFieldText(2, ParseCombinationLine("GL1   5")), "lieferbar");
  TSf6DataCombination r;
  r.LensCode = "GL1";
  r.Availability = TSf6Availability::NurLieferbar;
  r.Coating1 = "AR";
  EXPECT_EQ(BuildCombinationLine(r), "GL1   2AR    " + std::string(12, ' '));
}

TEST(Sf6Layouts, InformationTypesTextsAndBuilder) {
  TSf6DataInformation r = ParseInformationLine("2GL1   40001Bild");
  EXPECT_EQ(InformationFieldText(1, r), "Beschichtung");
  EXPECT_EQ(InformationFieldText(3, r), "Url Image");
  EXPECT_EQ(InformationFieldText(4, r), "1");
  EXPECT_EQ(InformationFieldText(5, r), "Bild");
  r = ParseInformationLine(" GL1   41");
  EXPECT_EQ(InformationFieldText(1, r), "Glas");
  EXPECT_EQ(InformationFieldText(3, r), "Technische Produktbeschreibung");

  EXPECT_EQ(BuildInformationLine(false, "GL1", 2, 7, ""), "0GL1   02007");
  const std::string text(300, 'x');
  const std::string line = BuildInformationLine(true, "AR", 40, 1, text + "  ");
  EXPECT_EQ(line.size(), 12u + 250u);
  EXPECT_EQ(BuildInformationLine(true, "AR", 40, 1, "abc   "), "1AR    40001abc");
  // The viewer's 255-character line leaves 243 characters for the text.
  EXPECT_EQ(ParseInformationLine(ViewerLine(line)).Text.size(), 243u);
}

TEST(Sf6Layouts, OrderOptionsFieldTypeAndPriority) {
  TSf6DataOrderOptions r = ParseOrderOptionsLine("0GL1   00105");
  EXPECT_EQ(OrderOptionsFieldText(3, r), "010: HSA");
  EXPECT_EQ(OrderOptionsFieldText(4, r), "Feld/Wert kann per DF\xDC \xFC" "bertragen werden");
  r = ParseOrderOptionsLine("1AR    00113");
  EXPECT_EQ(OrderOptionsFieldText(1, r), "Beschichtung");
  EXPECT_EQ(OrderOptionsFieldText(3, r), "000: Nicht gef\xFCllt");
  EXPECT_EQ(OrderOptionsFieldText(4, r), "");
  EXPECT_EQ(BuildOrderOptionsLine(true, "AR", TSf6OrderFieldType::Additionsmessverfahren, 6),
            "1AR    01306");
  EXPECT_EQ(OrderOptionsLayout().rebuild("7AR    0020"), "1AR    00200");
}

TEST(Sf6Layouts, ProductGroupAndCodeSubstitution) {
  const TSf6DataProductgroup g =
      ParseProductGroupLine("0GL1   " + std::string(30, 'n') + "fuenf");
  EXPECT_EQ(ProductGroupFieldText(3, g).size(), 30u);
  TSf6DataCodeSubst s = ParseCodeSubstitutionLine("0OLD1  2NEW1");
  EXPECT_EQ(CodeSubstitutionFieldText(3, s), "Produktvorschlag");
  EXPECT_EQ(CodeSubstitutionFieldText(4, s), "NEW1");
  EXPECT_EQ(CodeSubstitutionFieldText(5, s), "");
  EXPECT_EQ(CodeSubstitutionFieldText(6, s), "");
  s = ParseCodeSubstitutionLine("0OLD1   ");
  EXPECT_EQ(CodeSubstitutionFieldText(3, s), "Code ersetzen");
}

TEST(Sf6Layouts, RecordsSurviveTheTypeErasedHolder) {
  const Sf6Layout *layout = FindSf6Layout("Combination.Dat");
  ASSERT_NE(layout, nullptr);
  const Sf6AnyRecord any = layout->parse("GL1   2AR");
  ASSERT_NE(any.get<TSf6DataCombination>(), nullptr);
  EXPECT_EQ(any.get<TSf6DataLensType>(), nullptr);
  EXPECT_EQ(layout->text(3, any), "AR");
  EXPECT_EQ(layout->text(2, any), "nur lieferbar");
  EXPECT_TRUE(Sf6AnyRecord().empty());
}

TEST(Sf6Layouts, ViewerLineIsPaddedByAtMost250Blanks) {
  EXPECT_EQ(ViewerLine(""), std::string(250, ' '));
  EXPECT_EQ(ViewerLine("abc").size(), 253u);
  EXPECT_EQ(ViewerLine(std::string(300, 'x')).size(), 255u);
}

} // namespace
} // namespace sf6

#include "sf6/Sf6FieldTable.h"

namespace sf6 {
namespace {

// The direct paths of scaled columns must give exactly what the general
// conversions give, for every column text a catalog can hold.
TEST(Sf6ScaledFields, DirectPathsMatchTheGeneralConversions) {
  const int divisors[] = {1, 10, 100, 10000};
  const int decimals[] = {0, 2, 4};
  const char *texts[] = {"0012550", "0000000", "15250", "380", "0095", "9999999", "0000001",
                         "+0125",   "-0400",   "-200",  " 1,5", "1.5 ", "ab",     "",
                         "0000005", "1234567", "999999999999999"};
  for (const char *text : texts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(detail::scaledFromText(text), TextToFloat(text));
    for (int divisor : divisors)
      for (int d : decimals)
        for (bool plus : {false, true}) {
          const double v = TextToFloat(text) / divisor;
          EXPECT_EQ(detail::scaledDisplay(v, d, plus), FloatToFixed(v, d, plus, false))
              << divisor << " " << d;
          EXPECT_EQ(detail::scaledDisplay(-v, d, plus), FloatToFixed(-v, d, plus, false));
        }
  }
  for (int i = 0; i < 200000; i += 7) {
    const double v = i / 100.0;
    ASSERT_EQ(detail::scaledDisplay(v, 2, false), FloatToFixed(v, 2, false, false)) << i;
    ASSERT_EQ(detail::scaledDisplay(v, 1, false), FloatToFixed(v, 1, false, false)) << i;
  }
}

} // namespace
} // namespace sf6

namespace sf6 {
namespace {

TEST(Sf6AnyRecordHolder, CopiesKeepTheRecord) {
  Sf6AnyRecord a{TSf6DataCodeSubst{}};
  a.get<TSf6DataCodeSubst>()->OldCode = "OLD";
  Sf6AnyRecord b(a); // a non-const lvalue copies, it does not nest
  ASSERT_NE(b.get<TSf6DataCodeSubst>(), nullptr);
  EXPECT_EQ(b.get<TSf6DataCodeSubst>()->OldCode, "OLD");
  b = LensTypeLayout().parse("GL1");
  EXPECT_EQ(b.get<TSf6DataCodeSubst>(), nullptr);
  EXPECT_EQ(LensTypeLayout().text(1, b), "GL1");
}

} // namespace
} // namespace sf6
