#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

TEST(LanguageTable, ProgramTableIsCompleteAndAnswersBySlot) {
  const TLup6LanguageObj &table = TLup6LanguageObj::Instance();
  EXPECT_EQ(table.FindEmptySlot(), -1);
  EXPECT_EQ(table.ConsistencyMessage(), "");
  EXPECT_EQ(table.GetText(0), "ErsterEintrag");
  EXPECT_EQ(table.GetText(1174), "LetzterEintrag");
  EXPECT_EQ(table.GetText(12), "Bifo");
  EXPECT_EQ(table.GetText(11), "Einst\xE4rken");
  EXPECT_EQ(table.GetText(60), "gr\xF6\xDF" "erer  Durchmesser");
  EXPECT_EQ(table.GetText(146), "Standardlieferbereich");
  EXPECT_EQ(table.GetText(209), "Bitte geben Sie Wirkungsbereiche zum Glas ein.");
  for (int slot = 0; slot < TLup6LanguageObj::kSlotCount; ++slot)
    EXPECT_EQ(table.GetText(slot).find("(Language-error)"), std::string::npos) << slot;
}

TEST(LanguageTable, MalformedEntryIsKeptWholeWithAMark) {
  TLup6LanguageObj table;
  table.AddEntry(5, "000-001:Text");
  table.AddEntry(6, "000_001");
  EXPECT_EQ(table.GetText(5), "000-001:Text (Language-error)");
  EXPECT_EQ(table.GetText(6), "000_001 (Language-error)");
}

TEST(LanguageTable, ExpandsLineBreaksAndCutsLongTexts) {
  TLup6LanguageObj table;
  table.AddEntry(1, "000_001:eins#13zwei");
  table.AddEntry(2, "000_002:" + std::string(1200, 'a') + "#13");
  EXPECT_EQ(table.GetText(1), "eins\r\nzwei");
  EXPECT_EQ(table.GetText(2), std::string(1000, 'a'));
  EXPECT_EQ(table.GetText(-1), "");
  EXPECT_EQ(table.GetText(1175), "");
}

TEST(LanguageTable, CheckReportsTheHighestEmptySlot) {
  TLup6LanguageObj table;
  for (int slot = 0; slot < TLup6LanguageObj::kSlotCount; ++slot)
    if (slot != 17 && slot != 400)
      table.AddEntry(slot, "000_001:x");
  EXPECT_EQ(table.FindEmptySlot(), 400);
  // A bare code is malformed, so it is kept whole and fills its slot.
  table.AddEntry(400, "000_002:");
  EXPECT_EQ(table.FindEmptySlot(), 17);
  EXPECT_EQ(table.ConsistencyMessage(), "Konstistenztest lup6Lng fehlgeschlagen. (17)");
}

} // namespace
} // namespace sf6
