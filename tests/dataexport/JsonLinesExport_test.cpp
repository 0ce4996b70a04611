// JSON Lines read back with a JSON parser: one object per line of every
// entry, the same columns and values as the database.

#include "ExportTestSupport.h"

#include "dataexport/ExportColumns.h"
#include "dataexport/JsonLinesExport.h"
#include "dataexport/SqliteExport.h"
#include "text/Errors.h"
#include "zip/VXZip.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <sstream>

namespace sf6 {
namespace {

using Json = nlohmann::ordered_json;
using test::Database;
using test::ScratchDir;

std::vector<Json> parseLines(const std::string &text) {
  std::vector<Json> objects;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    objects.push_back(Json::parse(line)); // throws on anything that is not JSON
  return objects;
}

TEST(JsonLinesExport, EveryRecordParsesAndMatchesTheDatabase) {
  ScratchDir dir;
  const CatalogArchive archive = LoadCatalogArchive(test::WriteTestCatalog(dir));
  ExportCatalogToJsonLines(archive, dir / "catalog.jsonl");
  ExportCatalogToSqlite(archive, dir / "catalog.db");
  const std::string text = test::ReadFileBytes(dir / "catalog.jsonl");
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  const std::vector<Json> objects = parseLines(text);
  const Database db(dir / "catalog.db");

  std::size_t next = 0;
  // Head.dat first, then the data files in file-set order.
  for (const auto &row : db.query("SELECT line, key, value FROM head ORDER BY line")) {
    ASSERT_LT(next, objects.size());
    const Json &object = objects[next++];
    EXPECT_EQ(object["entry"], "Head.dat");
    EXPECT_EQ(object["line"], row[0].integer);
    EXPECT_EQ(object["fields"]["key"], row[1].text);
    EXPECT_EQ(object["fields"]["value"], row[2].text);
  }
  for (const ExportTable &table : ExportTables()) {
    const auto fields = table.layout->fields();
    for (const auto &row :
         db.query("SELECT * FROM " + std::string(table.tableName) + " ORDER BY line")) {
      ASSERT_LT(next, objects.size());
      const Json &object = objects[next++];
      std::vector<std::string> keys;
      for (const auto &item : object.items())
        keys.push_back(item.key());
      ASSERT_EQ(keys, (std::vector<std::string>{"entry", "line", "fields"}));
      EXPECT_EQ(object["entry"], std::string(Sf6EntryName(table.entry)));
      EXPECT_EQ(object["line"], row[0].integer);
      const Json &values = object["fields"];
      ASSERT_EQ(values.size(), table.columns.size());
      std::size_t c = 0;
      for (const auto &item : values.items()) {
        const ExportColumn &column = table.columns[c];
        const test::Cell &cell = row[++c];
        SCOPED_TRACE(std::string(table.tableName) + "." + column.name + " line " +
                     std::to_string(row[0].integer));
        ASSERT_EQ(item.key(), column.name);
        const Json &value = item.value();
        const Sf6ValueType type = fields[column.fieldIndex].type;
        if (cell.isNull()) {
          EXPECT_TRUE(value.is_null());
        } else if (cell.type == SQLITE_TEXT) {
          EXPECT_EQ(value, cell.text);
        } else if (cell.type == SQLITE_FLOAT) {
          ASSERT_TRUE(value.is_number_float());
          EXPECT_EQ(value.get<double>(), cell.real);
        } else if (type == Sf6ValueType::Flag) {
          ASSERT_TRUE(value.is_boolean());
          EXPECT_EQ(value.get<bool>(), cell.integer == 1);
        } else {
          ASSERT_TRUE(value.is_number_integer());
          EXPECT_EQ(value.get<std::int64_t>(), cell.integer);
        }
      }
    }
  }
  EXPECT_EQ(next, objects.size());
}

TEST(JsonLinesExport, WritesNothingForADamagedArchive) {
  ScratchDir dir;
  test::RawEntry damaged{.name = "Options.Dat", .data = "X"};
  damaged.crc = 99;
  const auto path = dir / "damaged.zip";
  test::WriteFileBytes(path,
                       test::BuildArchive({{.name = "Head.dat", .data = "k"}, damaged}).bytes);
  const CatalogArchive archive = LoadCatalogArchive(path);
  std::string written;
  EXPECT_THROW(WriteCatalogJsonLines(archive, [&](std::string_view piece) { written += piece; }),
               Sf6Error);
  EXPECT_TRUE(written.empty());
  test::WriteFileBytes(dir / "out.jsonl", "old");
  EXPECT_THROW(ExportCatalogToJsonLines(archive, dir / "out.jsonl"), Sf6Error);
  EXPECT_EQ(test::ReadFileBytes(dir / "out.jsonl"), "old");
  EXPECT_EQ(dir.files().size(), 2u);
}

} // namespace
} // namespace sf6
