#include "sf6/Sf6Enums.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

struct LookupCase {
  const char *name;
  const Sf6EnumTable &table;
  int code;
  int ordinal;
  const char *text; // Windows-1252
};

// Code -> ordinal -> text through the real tables, including codes outside
// each list (which give the default ordinal).
TEST(Sf6Enums, ReadsCodesToOrdinalsAndTexts) {
  const LookupCase cases[] = {
      {"lens kind", EnumTableOf<TSf6LensKind>(), 3, 3, "Gleitsicht"},
      {"lens kind unknown", EnumTableOf<TSf6LensKind>(), 9, 0, "Einst\xE4rken"},
      {"material code 7 is Silikat", EnumTableOf<TSf6Material>(), 7, 1, "Silikat"},
      {"material code 0", EnumTableOf<TSf6Material>(), 0, 0, "egal"},
      {"anti-reflection code 5", EnumTableOf<TSf6AntiReflection>(), 5, 2, "mehrfach ET"},
      {"anti-reflection code 1 not listed", EnumTableOf<TSf6AntiReflection>(), 1, 0, "keine"},
      {"tint code 4", EnumTableOf<TSf6Tint>(), 4, 3, "einfach Verlauf"},
      {"add step code 0 not listed", EnumTableOf<TSf6AddStep>(), 0, 0, "Stufe 1.0 dpt"},
      {"add step code 8", EnumTableOf<TSf6AddStep>(), 8, 3, "Stufe 0.125 dpt"},
      {"availability code 7", EnumTableOf<TSf6Availability>(), 7, 1, "lieferbar"},
      {"availability code 0", EnumTableOf<TSf6Availability>(), 0, 0, "nicht lieferbar"},
      {"price type 91", EnumTableOf<TSf6PriceType>(), 91, 9, "Sonstiges VK"},
      {"order field 10", EnumTableOf<TSf6OrderFieldType>(), 10, 1, "010: HSA"},
      {"order field 11 not listed", EnumTableOf<TSf6OrderFieldType>(), 11, 0,
       "000: Nicht gef\xFCllt"},
      {"order field 130", EnumTableOf<TSf6OrderFieldType>(), 130, 23,
       "130: Additionsmessverfahren"},
      {"info type 40", EnumTableOf<TSf6InfoType>(), 40, 6, "Url Image"},
      {"info type 41 not listed", EnumTableOf<TSf6InfoType>(), 41, 0,
       "Technische Produktbeschreibung"},
      {"subst action 2", EnumTableOf<TSf6SubstAction>(), 2, 1, "Produktvorschlag"},
      {"subst action 0 not listed", EnumTableOf<TSf6SubstAction>(), 0, 0, "Code ersetzen"},
      {"diameter change two blanks", EnumTableOf<TSf6DiameterChange>(), 2, 2,
       "gr\xF6\xDF" "erer  Durchmesser"},
      {"view direction", EnumTableOf<TSf6ViewDirection>(), 1, 1, "Hauptblickrichtung"},
  };
  for (const LookupCase &c : cases) {
    SCOPED_TRACE(c.name);
    const int ordinal = EnumOrdinalOfCode(c.table, c.code);
    EXPECT_EQ(ordinal, c.ordinal);
    EXPECT_EQ(EnumText(c.table, ordinal), c.text);
  }
}

TEST(Sf6Enums, EveryEnumerationWritesBackTheCodeItReads) {
  const Sf6EnumTable *tables[] = {
      &EnumTableOf<TSf6LensKind>(),        &EnumTableOf<TSf6Material>(),
      &EnumTableOf<TSf6BrandClass>(),      &EnumTableOf<TSf6AntiReflection>(),
      &EnumTableOf<TSf6Tint>(),            &EnumTableOf<TSf6Inclusion>(),
      &EnumTableOf<TSf6RoadUse>(),         &EnumTableOf<TSf6SingleLensOrder>(),
      &EnumTableOf<TSf6AddStep>(),         &EnumTableOf<TSf6SegmentType>(),
      &EnumTableOf<TSf6ViewDirection>(),   &EnumTableOf<TSf6Edging>(),
      &EnumTableOf<TSf6DiameterChange>(),  &EnumTableOf<TSf6ThicknessChange>(),
      &EnumTableOf<TSf6FormChange>(),      &EnumTableOf<TSf6SphTor>(),
      &EnumTableOf<TSf6SingleMulti>(),     &EnumTableOf<TSf6Availability>(),
      &EnumTableOf<TSf6PriceType>(),       &EnumTableOf<TSf6OrderFieldType>(),
      &EnumTableOf<TSf6InfoType>(),        &EnumTableOf<TSf6SubstAction>()};
  for (const Sf6EnumTable *table : tables) {
    SCOPED_TRACE(table->name);
    for (int o = 0; o < EnumCount(*table); ++o) {
      EXPECT_EQ(EnumOrdinalOfCode(*table, EnumCode(*table, o)), o);
      EXPECT_FALSE(EnumText(*table, o).empty());
    }
  }
}

TEST(Sf6Enums, OrdinalOutsideTheListGivesTheOutOfRangeAnswer) {
  EXPECT_EQ(EnumText(static_cast<TSf6LensKind>(5)), "");
  EXPECT_EQ(EnumText(static_cast<TSf6RoadUse>(-1)), "keine Angabe");
  EXPECT_EQ(EnumText(static_cast<TSf6SingleLensOrder>(3)), "nicht m\xF6glich");
  EXPECT_EQ(EnumText(static_cast<TSf6AddStep>(4)), "Stufe 1.0 dpt");
  EXPECT_EQ(EnumCode(static_cast<TSf6AddStep>(4)), 1);
  EXPECT_EQ(EnumCode(static_cast<TSf6Tint>(99)), 0);
  EXPECT_EQ(EnumText(static_cast<TSf6Availability>(3)), "nicht lieferbar");
  EXPECT_EQ(EnumText(static_cast<TSf6OrderFieldType>(24)), "Nicht gefuellt");
  EXPECT_EQ(EnumText(static_cast<TSf6InfoType>(13)), "Nicht gefuellt");
  EXPECT_EQ(InfoTypeShortCode(static_cast<TSf6InfoType>(13)), "TEC");
  EXPECT_EQ(EnumText(static_cast<TSf6SubstAction>(2)), "Code ersetzen");
}

TEST(Sf6Enums, InfoTypesHaveTheirShortCodes) {
  EXPECT_EQ(InfoTypeShortCode(TSf6InfoType::Tec), "TEC");
  EXPECT_EQ(InfoTypeShortCode(TSf6InfoType::Lbe), "LBE");
  EXPECT_EQ(InfoTypeShortCode(TSf6InfoType::Umpg), "UMPG");
  EXPECT_EQ(EnumCode(TSf6InfoType::Umpg), 49);
}

TEST(Sf6Enums, DefaultsAreTheListedOrdinals) {
  EXPECT_EQ(EnumDefault<TSf6Material>(), TSf6Material::Silikat);
  EXPECT_EQ(EnumDefault<TSf6Availability>(), TSf6Availability::Lieferbar);
  EXPECT_EQ(EnumDefault<TSf6Tint>(), TSf6Tint::Keine);
  EXPECT_EQ(EnumFromCode<TSf6PriceType>(21), TSf6PriceType::EmpfVkInklVers);
}

TEST(Sf6MaterialSet, FlagsBuildTheSetAndNoFlagGivesEgal) {
  const TSf6MaterialSet none = MaterialSetFromFlags(false, false, false, false);
  EXPECT_TRUE(none.Contains(TSf6Material::Egal));
  EXPECT_FALSE(none.Contains(TSf6Material::Silikat));
  const TSf6MaterialSet two = MaterialSetFromFlags(false, true, false, true);
  EXPECT_FALSE(two.Contains(TSf6Material::Egal));
  EXPECT_TRUE(two.Contains(TSf6Material::Kunststoff));
  EXPECT_TRUE(two.Contains(TSf6Material::Trivex));
  EXPECT_FALSE(two.Contains(TSf6Material::Polycarbonat));
}

TEST(Sf6MaterialSet, FirstMaterialIsTheLowestMemberOrSilikat) {
  EXPECT_EQ(FirstMaterial(MaterialSetFromFlags(false, true, true, false)),
            TSf6Material::Kunststoff);
  EXPECT_EQ(FirstMaterial(MaterialSetFromFlags(false, false, false, false)), TSf6Material::Egal);
  EXPECT_EQ(FirstMaterial(TSf6MaterialSet{}), TSf6Material::Silikat);
  TSf6MaterialSet set;
  set.Include(static_cast<TSf6Material>(7)); // not a material: ignored
  EXPECT_TRUE(set.Empty());
}

TEST(Sf6Diameter, GroupReadsBothDiametersAndTheMarker) {
  EXPECT_EQ(DiameterFromGroup("6570E"), (TSf6Diameter{65, 70, true}));
  EXPECT_EQ(DiameterFromGroup("6570e"), (TSf6Diameter{65, 70, true}));
  EXPECT_EQ(DiameterFromGroup("70   "), (TSf6Diameter{70, 0, false}));
  EXPECT_EQ(DiameterFromGroup("70"), (TSf6Diameter{70, 0, false}));
  EXPECT_EQ(DiameterFromGroup(""), (TSf6Diameter{}));
  EXPECT_EQ(DiameterFromGroup("xx70X"), (TSf6Diameter{0, 70, false}));
}

TEST(Sf6Diameter, GroupIsAlwaysFiveCharacters) {
  EXPECT_EQ(DiameterToGroup({65, 0, false}), "65   ");
  EXPECT_EQ(DiameterToGroup({65, 70, true}), "6570E");
  EXPECT_EQ(DiameterToGroup({165, 0, true}), "65  E"); // too wide: last digits
  EXPECT_EQ(DiameterToGroup({0, 0, false}), "00   ");
}

TEST(Sf6Diameter, TextAndBack) {
  EXPECT_EQ(DiameterToText({65, 70, true}), "65/70E");
  EXPECT_EQ(DiameterToText({65, 0, true}), "65E");
  EXPECT_EQ(DiameterToText({70, 0, false}), "70");
  EXPECT_EQ(DiameterToText({0, 70, true}), "");
  EXPECT_EQ(DiameterFromText("65/70E"), (TSf6Diameter{65, 70, true}));
  EXPECT_EQ(DiameterFromText("70"), (TSf6Diameter{70, 0, false}));
  EXPECT_EQ(DiameterFromText("65E"), (TSf6Diameter{65, 0, true}));
  EXPECT_EQ(DiameterFromText(""), (TSf6Diameter{}));
}

} // namespace
} // namespace sf6
