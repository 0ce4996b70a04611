// The database as SQLite itself reads it: every cell against the record
// layer's field grid, the fields and head tables, the indexes, and a failed
// export that leaves nothing behind.

#include "ExportTestSupport.h"

#include "dataexport/ExportColumns.h"
#include "dataexport/SqliteExport.h"
#include "text/CodePage.h"
#include "text/Errors.h"
#include "text/FieldText.h"
#include "zip/VXZip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace sf6 {
namespace {

using test::Cell;
using test::Database;
using test::ScratchDir;

struct ExportedCatalog {
  ScratchDir dir;
  std::filesystem::path archivePath = test::WriteTestCatalog(dir);
  CatalogArchive archive = LoadCatalogArchive(archivePath);
  std::filesystem::path dbPath = dir / "catalog.db";
  ExportedCatalog() { ExportCatalogToSqlite(archive, dbPath); }
};

std::vector<std::string> entryLines(const CatalogEntry &entry) {
  std::vector<std::string> lines;
  VisitEntryLines(AsView(entry.bytes), [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

// "dd.MM.yyyy" as the grid shows a date, in the database's form.
std::string isoOfGridDate(const std::string &grid) {
  return grid.substr(6, 4) + "-" + grid.substr(3, 2) + "-" + grid.substr(0, 2);
}

// One cell against what the field grid shows for the same line; the storage
// class must be the one of the field's kind.
void expectCellMatchesGrid(const Cell &cell, const ExportColumn &column, const Sf6FieldInfo &field,
                           const std::string &grid, std::string_view line) {
  SCOPED_TRACE(column.name + " grid \"" + Cp1252ToUtf8(grid) + "\"");
  if (column.enumerationText) {
    ASSERT_EQ(cell.type, SQLITE_TEXT);
    EXPECT_EQ(cell.text, Cp1252ToUtf8(grid));
    return;
  }
  switch (field.kind) {
  case Sf6FieldKind::Text:
  case Sf6FieldKind::Diameter:
    ASSERT_EQ(cell.type, SQLITE_TEXT);
    EXPECT_EQ(cell.text, Cp1252ToUtf8(grid));
    return;
  case Sf6FieldKind::Integer:
  case Sf6FieldKind::Colour:
    ASSERT_EQ(cell.type, SQLITE_INTEGER);
    // The order-option priority shows words; its value is the digit as read.
    if (grid.empty() || !std::isdigit(static_cast<unsigned char>(grid.back())))
      EXPECT_EQ(cell.integer, TextToInt(Columns(line, 12, 1)));
    else
      EXPECT_EQ(IntToText(cell.integer), grid);
    return;
  case Sf6FieldKind::ProductType:
    ASSERT_EQ(cell.type, SQLITE_INTEGER);
    EXPECT_EQ(cell.integer, TextToInt(Columns(line, 1, 1)));
    EXPECT_EQ(cell.integer == 0, grid == "Glas");
    return;
  case Sf6FieldKind::Scaled:
    ASSERT_EQ(cell.type, SQLITE_FLOAT);
    // An empty cell (LensGeo without power range or diameter) holds 0.
    EXPECT_NEAR(cell.real, grid.empty() ? 0.0 : std::strtod(grid.c_str(), nullptr), 0.00005);
    return;
  case Sf6FieldKind::Flag:
  case Sf6FieldKind::MaterialFlag:
    ASSERT_EQ(cell.type, SQLITE_INTEGER);
    EXPECT_EQ(cell.integer, grid == "Ja" ? 1 : 0);
    return;
  case Sf6FieldKind::DiameterE:
    ASSERT_EQ(cell.type, SQLITE_INTEGER);
    EXPECT_EQ(cell.integer, grid == "E" ? 1 : 0);
    return;
  case Sf6FieldKind::Date:
    if (grid.empty()) {
      EXPECT_TRUE(cell.isNull());
      return;
    }
    ASSERT_EQ(cell.type, SQLITE_TEXT);
    EXPECT_EQ(cell.text, isoOfGridDate(grid));
    return;
  case Sf6FieldKind::Enumeration:
    ASSERT_EQ(cell.type, SQLITE_INTEGER);
    // The code of an ordinal in the list, whose text is the grid's.
    EXPECT_EQ(EnumText(*field.enumTable,
                       EnumOrdinalOfCode(*field.enumTable, static_cast<int>(cell.integer))),
              grid);
    EXPECT_EQ(EnumCode(*field.enumTable,
                       EnumOrdinalOfCode(*field.enumTable, static_cast<int>(cell.integer))),
              cell.integer);
    return;
  }
}

TEST(SqliteExport, EveryCellAgreesWithTheFieldGridOfItsLine) {
  const ExportedCatalog exported;
  const Database db(exported.dbPath);
  for (const ExportTable &table : ExportTables()) {
    SCOPED_TRACE(std::string(table.tableName));
    const std::vector<std::string> lines = entryLines(exported.archive.entry(table.entry));
    const auto rows = db.query("SELECT * FROM " + std::string(table.tableName) + " ORDER BY line");
    ASSERT_EQ(rows.size(), lines.size());
    ASSERT_GT(rows.size(), 1u);
    const Sf6Layout &layout = *table.layout;
    const auto fields = layout.fields();
    for (std::size_t r = 0; r < rows.size(); ++r) {
      SCOPED_TRACE("line " + std::to_string(r + 1));
      ASSERT_EQ(rows[r].size(), table.columns.size() + 1);
      EXPECT_EQ(rows[r][0].type, SQLITE_INTEGER);
      EXPECT_EQ(rows[r][0].integer, static_cast<sqlite3_int64>(r + 1));
      const Sf6AnyRecord record = layout.parse(lines[r]);
      for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const ExportColumn &column = table.columns[c];
        expectCellMatchesGrid(rows[r][c + 1], column, fields[column.fieldIndex],
                              layout.text(column.fieldNumber, record), lines[r]);
      }
    }
  }
}

TEST(SqliteExport, StoresTheDecodedValuesOfTheEdgeLines) {
  const ExportedCatalog exported;
  const Database db(exported.dbPath);
  auto one = [&](const std::string &sql) { return db.scalar(sql); };

  // A code outside the list: the default's code next to its text.
  EXPECT_EQ(one("SELECT material || material_text FROM lens_type WHERE hst_code_grundglas = "
                "'BSP099'")
                .text,
            "1Silikat");

  // A short line: no dates (NULL), empty texts ('' rather than NULL), UTF-8 letters.
  const auto shortLine = db.query("SELECT typeof(lieferbar_ab), typeof(kurzbeschreibung), "
                                  "kurzbeschreibung, bezeichnung, material, field_35 FROM "
                                  "lens_type WHERE hst_code_grundglas = 'KURZ'");
  ASSERT_EQ(shortLine.size(), 1u);
  EXPECT_EQ(shortLine[0][0].text, "null");
  EXPECT_EQ(shortLine[0][1].text, "text");
  EXPECT_EQ(shortLine[0][2].text, "");
  EXPECT_EQ(shortLine[0][3].text, "Nur Code und Name \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F");
  EXPECT_EQ(shortLine[0][4].integer, 0);
  EXPECT_EQ(shortLine[0][5].integer, 0);

  // NULL appears in date columns only.
  for (const ExportTable &table : ExportTables())
    for (const ExportColumn &column : table.columns) {
      if (column.kindName == "date")
        continue;
      EXPECT_EQ(one("SELECT count(*) FROM " + std::string(table.tableName) + " WHERE " +
                    column.name + " IS NULL")
                    .integer,
                0)
          << table.tableName << "." << column.name;
    }

  EXPECT_EQ(one("SELECT preis_1 FROM lens_price WHERE durchmesser = '65/70'").real, 125.5);
  EXPECT_EQ(
      one("SELECT typeof(preis_3) || preis_3 FROM lens_price WHERE durchmesser = '65/70'").text,
      "real0.0");
  EXPECT_EQ(
      one("SELECT count(*) FROM lens_price WHERE hst_code_grundglas = '' AND preis_1 = 0").integer,
      1);
  EXPECT_EQ(one("SELECT lieferbarkeit || lieferbarkeit_text FROM combination WHERE schicht_1 = "
                "'BSP100' AND schicht_2 = ''")
                .text,
            "0nicht lieferbar");
  // The whole information text (250 columns), not the viewer's 243.
  EXPECT_EQ(
      one("SELECT length(informationszeile) FROM information WHERE informationstyp = 40").integer,
      250);
  EXPECT_EQ(one("SELECT informationstyp_text FROM information WHERE informationstyp = 40").text,
            "Url Image");
  EXPECT_EQ(one("SELECT feldtyp || '|' || feldtyp_text || '|' || prioritaet FROM order_options "
                "WHERE herstellercode = 'BSP001' AND prioritaet = 3")
                .text,
            "0|000: Nicht gef\xC3\xBCllt|3");
  EXPECT_EQ(one("SELECT aktion_text || '|' || herstellercode_neu_2 || '|' || herstellercode_neu_3 "
                "FROM code_substitution WHERE "
                "herstellercode_neu_1 = 'BSP002'")
                .text,
            "Produktvorschlag|BSP003|");
}

TEST(SqliteExport, DescribesEveryFieldColumnAndKeepsTheHeaderLines) {
  const ExportedCatalog exported;
  const Database db(exported.dbPath);

  const auto fieldColumns = db.query("PRAGMA table_info(fields)");
  std::vector<std::string> names;
  for (const auto &row : fieldColumns)
    names.push_back(row[1].text);
  EXPECT_EQ(names, (std::vector<std::string>{"table_name", "column_name", "field_number", "caption",
                                             "kind"}));

  const auto rows = db.query("SELECT * FROM fields ORDER BY rowid");
  std::size_t r = 0;
  for (const ExportTable &table : ExportTables()) {
    const auto columns = db.query("PRAGMA table_info(" + std::string(table.tableName) + ")");
    ASSERT_EQ(columns.size(), table.columns.size() + 1);
    EXPECT_EQ(columns[0][1].text, "line");
    EXPECT_EQ(columns[0][2].text, "INTEGER");
    for (std::size_t c = 0; c < table.columns.size(); ++c, ++r) {
      const ExportColumn &column = table.columns[c];
      EXPECT_EQ(columns[c + 1][1].text, column.name);
      ASSERT_LT(r, rows.size());
      EXPECT_EQ(rows[r][0].text, table.tableName);
      EXPECT_EQ(rows[r][1].text, column.name);
      EXPECT_EQ(rows[r][2].integer, column.fieldNumber);
      EXPECT_EQ(rows[r][3].text, Cp1252ToUtf8(column.caption));
      EXPECT_EQ(rows[r][4].text, column.kindName);
    }
  }
  EXPECT_EQ(r, rows.size());
  EXPECT_EQ(db.scalar("SELECT caption FROM fields WHERE table_name = 'lens_geo' AND column_name = "
                      "'vert_halbachse'")
                .text,
            "\xC3\x98 vert. Halbachse");

  // Every lens-code and option-code column leads an index.
  for (const ExportTable &table : ExportTables())
    for (const ExportColumn &column : table.columns) {
      if (!column.indexed)
        continue;
      bool leads = false;
      for (const auto &index : db.query("PRAGMA index_list(" + std::string(table.tableName) + ")"))
        leads |=
            db.scalar("SELECT name FROM pragma_index_info('" + index[1].text + "') WHERE seqno = 0")
                .text == column.name;
      EXPECT_TRUE(leads) << table.tableName << "." << column.name;
    }

  const auto head = db.query("SELECT line, key, value FROM head ORDER BY line");
  const std::vector<std::string> headLines = entryLines(exported.archive.entry(Sf6Entry::Head));
  ASSERT_EQ(head.size(), headLines.size());
  EXPECT_EQ(head[0][1].text, "version");
  const auto &comment = head[head.size() - 3];
  EXPECT_EQ(comment[1].text, "comment");
  EXPECT_EQ(comment[2].text, "Stra\xC3\x9F"
                             "e " +
                                 std::string(280, 'v'));
  EXPECT_EQ(head[head.size() - 2][1].text, "short");
  EXPECT_EQ(head[head.size() - 2][2].text, "");
  EXPECT_EQ(head.back()[1].text, "");
  EXPECT_EQ(head.back()[0].integer, static_cast<sqlite3_int64>(headLines.size()));
}

TEST(SqliteExport, AnswersTheReadmeQuery) {
  const ExportedCatalog exported;
  const Database db(exported.dbPath);
  const auto rows =
      db.query("SELECT t.hst_code_grundglas, t.bezeichnung, max(p.preis_1) AS preis "
               "FROM lens_price p JOIN lens_type t ON t.hst_code_grundglas = p.hst_code_grundglas "
               "GROUP BY t.hst_code_grundglas ORDER BY preis DESC LIMIT 5");
  ASSERT_FALSE(rows.empty());
  EXPECT_LE(rows.size(), 5u);
  for (std::size_t i = 1; i < rows.size(); ++i)
    EXPECT_GE(rows[i - 1][2].real, rows[i][2].real);
  EXPECT_EQ(rows[0][0].text, "BSP001"); // carries the edge line's 125.50
}

TEST(SqliteExport, MissingEntriesGiveEmptyTables) {
  ScratchDir dir;
  const auto archivePath = dir / "partial.zip";
  test::WriteFileBytes(
      archivePath, test::BuildArchive({{.name = "LensPrice.Dat", .data = "BSP0017001\r\n"}}).bytes);
  ExportCatalogToSqlite(LoadCatalogArchive(archivePath), dir / "partial.db");
  const Database db(dir / "partial.db");
  EXPECT_EQ(db.scalar("SELECT count(*) FROM lens_price").integer, 1);
  EXPECT_EQ(db.scalar("SELECT count(*) FROM lens_type").integer, 0);
  EXPECT_EQ(db.scalar("SELECT count(*) FROM head").integer, 0);
}

// A failed export leaves the target as it was and no file beside it.
TEST(SqliteExport, FailureLeavesTheTargetUntouchedAndNoFileBehind) {
  ScratchDir dir;
  const auto good = test::WriteTestCatalog(dir);
  const auto target = dir / "out.db";
  test::WriteFileBytes(target, "the previous database");
  const auto filesBefore = dir.files().size();

  // A damaged entry: an export without its lines would be quietly incomplete.
  test::RawEntry damaged{.name = "LensPrice.Dat", .data = "BSP0017001\r\n"};
  damaged.crc = 1234;
  const auto bad = dir / "damaged.zip";
  test::WriteFileBytes(bad, test::BuildArchive({{.name = "Head.dat", .data = "x"}, damaged}).bytes);
  const CatalogArchive damagedArchive = LoadCatalogArchive(bad);
  try {
    ExportCatalogToSqlite(damagedArchive, target);
    FAIL() << "exported a damaged archive";
  } catch (const Sf6Error &e) {
    EXPECT_NE(std::string(e.what()).find("LensPrice.Dat"), std::string::npos) << e.what();
  }
  EXPECT_EQ(test::ReadFileBytes(target), "the previous database");
  EXPECT_EQ(dir.files().size(), filesBefore + 1); // only damaged.zip was added

  // Folders that cannot take the file.
  const CatalogArchive archive = LoadCatalogArchive(good);
  EXPECT_THROW(ExportCatalogToSqlite(archive, dir / "no-such-folder" / "out.db"), Sf6Error);
  EXPECT_THROW(ExportCatalogToSqlite(archive, target / "out.db"), Sf6Error); // a file as folder
  EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
  EXPECT_EQ(dir.files().size(), filesBefore + 1);
  EXPECT_EQ(test::ReadFileBytes(target), "the previous database");

  // The same export succeeds over the old file.
  ExportCatalogToSqlite(archive, target);
  EXPECT_GT(Database(target).scalar("SELECT count(*) FROM lens_type").integer, 0);
  EXPECT_EQ(dir.files().size(), filesBefore + 1);
}

} // namespace
} // namespace sf6
