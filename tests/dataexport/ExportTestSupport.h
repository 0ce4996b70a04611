#pragma once

// The catalog the export tests run on: the example catalog's thirteen
// entries with lines added that exercise the corners of every kind (a short
// line, codes outside their lists, blank dates, texts beyond the viewer's
// 255 columns, Windows-1252 letters), and a small reader of SQLite results.

#include "catalog/CatalogArchive.h"
#include "zip/ZipTestSupport.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace sf6::test {

// A fixed-column line: each text placed at its 1-based column, blanks between.
inline std::string Line(std::initializer_list<std::pair<int, std::string>> parts) {
  std::string line;
  for (const auto &[column, text] : parts) {
    if (line.size() < static_cast<size_t>(column - 1))
      line.resize(static_cast<size_t>(column - 1), ' ');
    line.replace(static_cast<size_t>(column - 1), text.size(), text);
  }
  return line;
}

// Extra lines per entry name, appended to the example catalog's lines.
inline std::map<std::string, std::vector<std::string>> EdgeLines() {
  return {
      {"Head.dat",
       {"comment                       Stra\xDF"
        "e " +
            std::string(280, 'v') + "   ",
        "short", ""}},
      {"LensType.Dat",
       {// Only code and name: no dates, 0 and "" for the rest.
        "KURZ  Nur Code und Name \xE4\xF6\xFC\xDF",
        // Material code 7 and anti-reflection code 9 are outside their lists.
        Line({{1, "BSP099"},
              {7, "Beispiel Sonderglas"},
              {47, "20240101"},
              {55, "20251231"},
              {63, "4"},
              {72, "7"},
              {73, "16000"},
              {78, "130"},
              {81, "4200"},
              {87, "9"},
              {113, "2"},
              {118, "ABCDEFGHIJKLMNO"},
              {137, "12"}})}},
      {"LensRange.Dat",
       {Line({{1, "BSP001"},
              {7, "6570E"},
              {12, "+0125"},
              {17, "-0400"},
              {48, "0"},
              {49, "BSP100"}})}},
      // All centred diameters: no semi-axes although columns 22-29 hold digits.
      {"LensGeo.Dat", {Line({{1, "BSP001"}, {7, "00"}, {22, "01000100"}})}},
      {"LensPrice.Dat",
       {Line({{1, "BSP001"},
              {7, "6570"},
              {11, "01"},
              {13, "02"},
              {15, "001"},
              {18, "0012550"},
              {25, "0000100"}}),
        ""}},
      {"Options.Dat",
       {Line({{1, "  X1  "}, {7, "Entspiegelung Spezial"}, {47, "20250101"}, {64, "0120"}})}},
      // A red component of 300 keeps its low 8 bits.
      {"OptionsColor.Dat",
       {Line({{1, "R01"},
              {4, "BSP100"},
              {10, "Braun"},
              {50, "30"},
              {52, "10"},
              {54, "300"},
              {57, "128"},
              {60, "000"}})}},
      {"OptionsPrice.Dat", {Line({{1, "BSP100"}, {7, "BSP001"}, {13, "21"}, {15, "0001"}})}},
      // A blank availability reads as code 0.
      {"Combination.Dat", {Line({{1, "BSP001"}, {8, "BSP100"}})}},
      {"Information.Dat", {"1BSP10040001" + std::string(300, 'x')}},
      {"OrderOptions.Dat", {"0BSP00100113", "1BSP10000205"}},
      {"ProductGroup.Dat", {"0BSP001Einst\xE4rken Premium"}},
      {"CodeSubstitution.Dat", {"0BSP0012BSP002BSP003", "1BSP100 "}},
  };
}

// Writes the test catalog into dir and returns its path.
inline std::filesystem::path WriteTestCatalog(const ScratchDir &dir) {
  const CatalogArchive example = LoadCatalogArchive(EXAMPLE_CATALOG);
  const auto edges = EdgeLines();
  std::vector<RawEntry> entries;
  for (const CatalogEntry &entry : example.entries) {
    std::string data(AsView(entry.bytes));
    for (const std::string &line : edges.at(std::string(entry.name())))
      data += line + "\r\n";
    entries.push_back({.name = std::string(entry.name()), .data = data});
  }
  const auto path = dir.path() / "catalog.zip";
  WriteFileBytes(path, BuildArchive(entries).bytes);
  return path;
}

// One cell of a query result.
struct Cell {
  int type = SQLITE_NULL; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_NULL
  sqlite3_int64 integer = 0;
  double real = 0;
  std::string text; // UTF-8

  bool isNull() const { return type == SQLITE_NULL; }
};
using Row = std::vector<Cell>;

// A database opened read-only by SQLite itself.
class Database {
public:
  explicit Database(const std::filesystem::path &path) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
      ADD_FAILURE() << "cannot open " << path << ": " << sqlite3_errmsg(m_db);
  }
  ~Database() { sqlite3_close(m_db); }
  Database(const Database &) = delete;
  Database &operator=(const Database &) = delete;

  std::vector<Row> query(const std::string &sql) const {
    std::vector<Row> rows;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sql << ": " << sqlite3_errmsg(m_db);
      return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
      Row row;
      for (int c = 0; c < sqlite3_column_count(statement); ++c) {
        Cell cell;
        cell.type = sqlite3_column_type(statement, c);
        cell.integer = sqlite3_column_int64(statement, c);
        cell.real = sqlite3_column_double(statement, c);
        if (const unsigned char *text = sqlite3_column_text(statement, c))
          cell.text = reinterpret_cast<const char *>(text);
        row.push_back(cell);
      }
      rows.push_back(row);
    }
    sqlite3_finalize(statement);
    return rows;
  }

  Cell scalar(const std::string &sql) const {
    const auto rows = query(sql);
    return rows.empty() || rows[0].empty() ? Cell{} : rows[0][0];
  }

private:
  sqlite3 *m_db = nullptr;
};

} // namespace sf6::test
