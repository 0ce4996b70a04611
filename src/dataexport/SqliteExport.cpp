#include "dataexport/SqliteExport.h"

#include "dataexport/CatalogRows.h"
#include "dataexport/ExportColumns.h"
#include "text/Errors.h"
#include "zip/VXZip.h"
#include "zip/ZipPlatform.h"

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

namespace sf6 {
namespace {

struct CloseDatabase {
  void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
struct FinalizeStatement {
  void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using DatabasePtr = std::unique_ptr<sqlite3, CloseDatabase>;
using StatementPtr = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

std::string sqlName(std::string_view identifier) {
  // Our names are [a-z0-9_] only; quoting keeps SQL keywords usable as names.
  std::string name;
  name.reserve(identifier.size() + 2);
  name.append(1, '"').append(identifier).append(1, '"');
  return name;
}

std::string_view columnType(const ExportColumn &column, const Sf6FieldInfo &field) {
  if (column.enumerationText)
    return "TEXT";
  switch (field.type) {
  case Sf6ValueType::Integer:
  case Sf6ValueType::Flag:
  case Sf6ValueType::Enumeration:
    return "INTEGER";
  case Sf6ValueType::Real:
    return "REAL";
  case Sf6ValueType::Text:
  case Sf6ValueType::Date:
    return "TEXT";
  }
  return "TEXT";
}

class DatabaseWriter {
public:
  DatabaseWriter(const std::filesystem::path &path, const std::filesystem::path &target)
      : m_target(target) {
    sqlite3 *db = nullptr;
    const int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    m_db.reset(db);
    check(rc);
    // The file is private until it is renamed over the target, so neither a
    // journal nor syncs are needed while it fills: a failure discards it.
    // The rename follows an fsync of the finished file.
    exec("PRAGMA page_size=16384; PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA "
         "locking_mode=EXCLUSIVE;"
         "PRAGMA temp_store=MEMORY; PRAGMA cache_size=-16384;");
  }

  void exec(const std::string &sql) {
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db.get(), sql.c_str(), nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
      return;
    const std::string text = message ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    fail(text);
  }

  StatementPtr prepare(const std::string &sql) {
    sqlite3_stmt *statement = nullptr;
    check(sqlite3_prepare_v3(m_db.get(), sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement,
                             nullptr));
    return StatementPtr(statement);
  }

  // Runs a bound INSERT and makes it ready for the next row.
  void insert(sqlite3_stmt *statement) {
    const int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE)
      check(rc);
  }

  void check(int rc) {
    if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW)
      return;
    fail(m_db ? sqlite3_errmsg(m_db.get()) : sqlite3_errstr(rc));
  }

  // Closes the database; a failure to write its last pages is reported.
  void close() { check(sqlite3_close(m_db.release())); }

private:
  [[noreturn]] void fail(const std::string &reason) {
    throw Sf6Error("Cannot write database \"" + m_target.string() + "\": " + reason);
  }

  std::filesystem::path m_target;
  DatabasePtr m_db;
};

void createTables(DatabaseWriter &db) {
  db.exec("CREATE TABLE \"fields\" (\"table_name\" TEXT, \"column_name\" TEXT, "
          "\"field_number\" INTEGER, \"caption\" TEXT, \"kind\" TEXT);"
          "CREATE TABLE \"head\" (\"line\" INTEGER PRIMARY KEY, \"key\" TEXT, \"value\" TEXT);");
  for (const ExportTable &table : ExportTables()) {
    const auto fields = table.layout->fields();
    std::string sql = "CREATE TABLE " + sqlName(table.tableName) + " (\"line\" INTEGER PRIMARY KEY";
    for (const ExportColumn &column : table.columns)
      sql += ", " + sqlName(column.name) + " " +
             std::string(columnType(column, fields[column.fieldIndex]));
    db.exec(sql + ");");
  }
}

void bindText(sqlite3_stmt *statement, int index, std::string_view cp1252, std::string &scratch) {
  if (IsAsciiText(cp1252)) {
    sqlite3_bind_text(statement, index, cp1252.data(), static_cast<int>(cp1252.size()),
                      SQLITE_STATIC);
    return;
  }
  AssignUtf8(cp1252, scratch);
  sqlite3_bind_text(statement, index, scratch.data(), static_cast<int>(scratch.size()),
                    SQLITE_STATIC);
}

void writeFieldsTable(DatabaseWriter &db) {
  const StatementPtr statement = db.prepare("INSERT INTO \"fields\" VALUES (?, ?, ?, ?, ?)");
  std::string scratch;
  for (const ExportTable &table : ExportTables()) {
    for (const ExportColumn &column : table.columns) {
      sqlite3_stmt *s = statement.get();
      bindText(s, 1, table.tableName, scratch);
      bindText(s, 2, column.name, scratch);
      sqlite3_bind_int(s, 3, column.fieldNumber);
      bindText(s, 4, column.caption, scratch);
      bindText(s, 5, column.kindName, scratch);
      db.insert(s);
    }
  }
}

void writeHeadTable(DatabaseWriter &db, const CatalogArchive &archive) {
  const StatementPtr statement = db.prepare("INSERT INTO \"head\" VALUES (?, ?, ?)");
  std::string keyScratch;
  std::string valueScratch;
  sqlite3_int64 lineNumber = 0;
  VisitEntryLines(AsView(archive.entry(Sf6Entry::Head).bytes), [&](std::string_view line) {
    const HeadRow row = HeadRowOf(line);
    sqlite3_stmt *s = statement.get();
    sqlite3_bind_int64(s, 1, ++lineNumber);
    bindText(s, 2, row.key, keyScratch);
    bindText(s, 3, row.value, valueScratch);
    db.insert(s);
  });
}

void writeDataTable(DatabaseWriter &db, const ExportTable &table, const CatalogEntry &entry) {
  std::string sql = "INSERT INTO " + sqlName(table.tableName) + " VALUES (?";
  for (std::size_t i = 0; i < table.columns.size(); ++i)
    sql += ", ?";
  const StatementPtr statement = db.prepare(sql + ")");
  sqlite3_stmt *s = statement.get();

  const Sf6Layout &layout = *table.layout;
  std::vector<Sf6FieldValue> values(static_cast<std::size_t>(layout.fieldCount));
  std::vector<std::string> scratch(table.columns.size());
  sqlite3_int64 lineNumber = 0;
  VisitEntryLines(AsView(entry.bytes), [&](std::string_view line) {
    layout.values(layout.parse(line), values);
    sqlite3_bind_int64(s, 1, ++lineNumber);
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      const ExportColumn &column = table.columns[c];
      const Sf6FieldValue &value = values[column.fieldIndex];
      const int index = static_cast<int>(c) + 2;
      if (column.enumerationText) {
        bindText(s, index, value.text, scratch[c]);
        continue;
      }
      switch (value.type) {
      case Sf6ValueType::Text:
        bindText(s, index, value.text, scratch[c]);
        break;
      case Sf6ValueType::Integer:
      case Sf6ValueType::Flag:
      case Sf6ValueType::Enumeration:
        sqlite3_bind_int64(s, index, value.integer);
        break;
      case Sf6ValueType::Real:
        sqlite3_bind_double(s, index, value.real);
        break;
      case Sf6ValueType::Date:
        if (value.hasDate())
          bindText(s, index, value.text, scratch[c]);
        else
          sqlite3_bind_null(s, index);
        break;
      }
    }
    db.insert(s);
  });
}

void createIndexes(DatabaseWriter &db) {
  for (const ExportTable &table : ExportTables())
    for (const ExportColumn &column : table.columns)
      if (column.indexed)
        db.exec("CREATE INDEX " + sqlName(std::string(table.tableName) + "_" + column.name) +
                " ON " + sqlName(table.tableName) + " (" + sqlName(column.name) + ");");
}

} // namespace

void ExportCatalogToSqlite(const CatalogArchive &archive, const std::filesystem::path &target) {
  RequireReadableEntries(archive);
  // Declared first so that it outlives the database: leaving by an exception
  // closes the database, then removes the temporary file.
  ReplacementFile file(target);
  {
    DatabaseWriter db(file.temporaryPath(), target);
    db.exec("BEGIN;");
    createTables(db);
    writeFieldsTable(db);
    writeHeadTable(db, archive);
    for (const ExportTable &table : ExportTables())
      writeDataTable(db, table, archive.entry(table.entry));
    // Built once the rows are in: one sort per index instead of a B-tree
    // insertion per row.
    createIndexes(db);
    db.exec("COMMIT;");
    db.close();
  }
  file.commit();
}

} // namespace sf6
