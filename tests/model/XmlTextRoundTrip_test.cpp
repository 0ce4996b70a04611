// Texts that are stored as lines or carry line breaks (the notes,
// information texts, remarks, formula assignments, code sets) come back from
// the tagged form as they were saved: a loaded catalog saves to the text it
// was loaded from, however often this is repeated.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "model/Catalog.h"
#include "model/XmlStorage.h"

namespace sf6 {
namespace {

LineList notesAfterSaveAndLoad(const LineList &notes) {
  Tlup6Dataobject root;
  root.NOTE = notes;
  Tlup6Dataobject loaded;
  LoadCatalogFromXml(loaded, SaveCatalogToXml(root));
  return loaded.NOTE;
}

LineList notesOfDocument(const std::string &document) {
  Tlup6Dataobject root;
  LoadCatalogFromXml(root, document);
  return root.NOTE;
}

TEST(XmlTextRoundTrip, NoteKeepsItsTrailingEmptyLinesOverRepeatedSaves) {
  const LineList notes = {"Zeile 1", "", ""};
  LineList current = notes;
  for (int save = 0; save < 3; ++save) {
    current = notesAfterSaveAndLoad(current);
    EXPECT_EQ(current, notes) << "after save " << save + 1;
  }
  // The edge forms: one empty line, only empty lines, no notes at all.
  for (const LineList &edge : {LineList{""}, LineList{"", ""}, LineList{"a", "", "b", ""},
                               LineList{" ", "\t"}, LineList{}})
    EXPECT_EQ(notesAfterSaveAndLoad(edge), edge);
}

TEST(XmlTextRoundTrip, NotesStoredWithoutAFinalLineBreakLoadAsBefore) {
  EXPECT_EQ(notesOfDocument("<LUP6><NOTE>Zeile 1&#13;&#10;Zeile 2</NOTE></LUP6>"),
            (LineList{"Zeile 1", "Zeile 2"}));
  EXPECT_EQ(notesOfDocument("<LUP6><NOTE>Zeile 1&#13;&#10;&#13;&#10;&#13;&#10;</NOTE></LUP6>"),
            (LineList{"Zeile 1", "", ""}));
  EXPECT_EQ(notesOfDocument("<LUP6><NOTE>a\nb\rc</NOTE></LUP6>"), (LineList{"a", "b", "c"}));
  EXPECT_TRUE(notesOfDocument("<LUP6><NOTE></NOTE></LUP6>").empty());
}

TEST(XmlTextRoundTrip, FuzzFindingWithManyTrailingLineBreaksIsAFixedPoint) {
  const std::filesystem::path seed =
      std::filesystem::path(FUZZ_SEEDS_DIR) / "fuzz_model_xml" / "note-trailing-empty-lines.xml";
  std::ifstream in(seed, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(text.empty()) << seed;
  Tlup6Dataobject first;
  LoadCatalogFromXml(first, text);
  const std::string saved = SaveCatalogToXml(first);
  Tlup6Dataobject second;
  LoadCatalogFromXml(second, saved);
  EXPECT_EQ(second.NOTE, first.NOTE);
  EXPECT_EQ(SaveCatalogToXml(second), saved);
}

// Random texts made of what the form has to escape or keep: line breaks in
// every spelling, markup characters, bytes above 123, control bytes,
// blanks at either end.
class TextSource {
public:
  explicit TextSource(unsigned seed) : m_random(seed) {}

  std::string text(bool withLineBreaks) {
    static const char *const kPieces[] = {
        "\r\n", "\r",   "\n",   "&",    "<",    ">",    "'",     "\"", "&amp;", "&#13;", " ", "\t",
        "\x01", "\x7C", "\x7F", "\x80", "\xE4", "\xFF", "Zeile", "x",  "]]>",   "<NOTE>"};
    constexpr int kBreakPieces = 3;
    std::string out;
    const int count = pick(0, 8);
    for (int i = 0; i < count; ++i) {
      const int first = withLineBreaks ? 0 : kBreakPieces;
      out += kPieces[pick(first, static_cast<int>(std::size(kPieces)) - 1)];
    }
    return out;
  }

  LineList lines(bool withLineBreaks) {
    LineList out(static_cast<std::size_t>(pick(0, 5)));
    for (std::string &line : out)
      line = pick(0, 2) == 0 ? std::string() : text(withLineBreaks);
    return out;
  }

  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

private:
  std::mt19937 m_random;
};

// Every kind of stored text of the catalog set from source.
void fillTexts(Tlup6Dataobject &root, TextSource &source, bool noteLinesWithBreaks) {
  root.Clear(true);
  root.NOTE = source.lines(noteLinesWithBreaks);
  auto *address = root.Addresses().AddNew();
  address->Comment = source.text(true);
  root.PriceDesignations().Items(0)->BE = source.text(true);
  auto *lens = root.Lenses().AddLens();
  lens->SetEDV("L1");
  auto *coating = root.Coatings().AddNew();
  coating->SetEDV("C1");
  for (int slot = 1; slot <= Tlup6DataInfo::kSlots; slot += 4)
    for (int type = 0; type < Tlup6DataInfo::kTypes; type += 3) {
      lens->Info().SetLine(slot, type, source.text(true));
      coating->Info().SetLine(slot, type, source.text(true));
    }
  lens->FormulaAssignment().FZUE = source.lines(true);
  coating->FormulaAssignment().FZUE = source.lines(true);
  for (const std::string &text : source.lines(true))
    coating->SpecialProducts().Add(text);
  auto *group = root.ProductGroups().AddNextFree();
  group->BE = source.text(true);
  for (const std::string &text : source.lines(true))
    group->DeliverableLenses().Add(text);
  root.LensCodeSubstitutions().AddNew()->BEM = source.text(true);
  root.CoatingCodeSubstitutions().AddNew()->BEM = source.text(true);
  root.Protocol().AddEntry(lens->OID(), source.text(true), 45000.5, source.text(true));
}

TEST(XmlTextRoundTrip, RandomNotesLoadAsTheSavedLines) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    TextSource source(seed);
    const LineList notes = source.lines(false);
    EXPECT_EQ(notesAfterSaveAndLoad(notes), notes) << "seed " << seed;
  }
}

TEST(XmlTextRoundTrip, RandomTextsAreAFixedPointOfSaveAndLoadAfterTheFirstSave) {
  for (unsigned seed = 1; seed <= 80; ++seed) {
    TextSource source(seed);
    Tlup6Dataobject root;
    // Also notes whose lines hold line breaks themselves: they are saved as
    // the lines they split into.
    fillTexts(root, source, seed % 2 == 0);
    const std::string first = SaveCatalogToXml(root);
    Tlup6Dataobject loaded;
    LoadCatalogFromXml(loaded, first);
    const std::string second = SaveCatalogToXml(loaded);
    Tlup6Dataobject again;
    LoadCatalogFromXml(again, second);
    ASSERT_EQ(second, first) << "seed " << seed;
    ASSERT_EQ(SaveCatalogToXml(again), second) << "seed " << seed;

    // Texts other than the notes come back byte for byte.
    const auto *lens = root.Lenses().Items(0);
    const auto *lensAgain = again.Lenses().Items(0);
    for (int slot = 1; slot <= Tlup6DataInfo::kSlots; ++slot)
      for (int type = 0; type < Tlup6DataInfo::kTypes; ++type)
        ASSERT_EQ(lensAgain->Info().GetLine(slot, type), lens->Info().GetLine(slot, type))
            << "seed " << seed << " slot " << slot << " type " << type;
    EXPECT_EQ(lensAgain->FormulaAssignment().FZUE, lens->FormulaAssignment().FZUE);
    EXPECT_EQ(again.Coatings().Items(0)->SpecialProducts().Texts(),
              root.Coatings().Items(0)->SpecialProducts().Texts());
    EXPECT_EQ(again.Addresses().Items(0)->Comment, root.Addresses().Items(0)->Comment);
    EXPECT_EQ(again.Protocol().Items(0)->B, root.Protocol().Items(0)->B);
  }
}

} // namespace
} // namespace sf6
