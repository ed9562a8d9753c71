#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "support/test_support.h"
#include "ui/scripted_port.h"
#include "xbase/table.h"

namespace importtest {

// One record as the tests compare it: every field's stored bytes without blanks around
// them (numbers as stored, dates YYYYMMDD), logicals as read (T or F); "*" is the deletion
// mark.
using Record = std::map<std::string, std::string>;

// Values of fields to write into a new record, numbers as text.
using Fields = std::vector<std::pair<std::string, std::string>>;

// A Datanorm header line: "V", a blank, the date DDMMYY, three supplier lines of 40, 40 and
// 35 characters, version "04" and the currency.
std::string header(const std::string& currency = "EUR", const std::string& date = "031198");
// Lines joined by CR LF, the last one terminated too unless `terminated` is false.
std::string datanorm(const std::vector<std::string>& lines, bool terminated = true);

// A program directory with the seven own tables (error texts filled from the shipped
// file), an empty merchandise folder "lgw" (createEmptyMerchandiseFolder), the settings at
// their defaults
// with Pfad pointing to the merchandise folder, a scripted port and a clock standing at
// 15.03.2024 10:00:00. Deleted records are hidden and commit-on-unlock is off, as after
// start-up.
class ImportTest : public ::testing::Test {
 protected:
  ImportTest();
  ~ImportTest() override;

  // Writes one setting into ARTIKIMP.INI and reloads the settings cache.
  void setSetting(const std::string& key, const std::string& value);

  // Writes the lines as a Datanorm file, lets the scripted port choose it and runs the
  // import of that kind.
  bool runImport(int kind, const std::vector<std::string>& lines,
                 const std::string& fileName = "DATANORM.001");
  // Runs an import of an existing file.
  bool runFile(int kind, const std::filesystem::path& file);

  // Empties ARTIKEL: the table and its index files are created anew.
  void emptyArticles();
  // Adds an article (or long text) the way the merchandise system would: shared, under a
  // record lock, with every index file of the folder kept up to date.
  void addArticle(const Fields& fields);
  void addLongText(const std::string& article, const std::string& text);
  void addRow(const std::string& ownTable, const Fields& fields);

  // The article with this number (padded to 15), read through LANUM; empty when missing.
  Record article(const std::string& number);
  // Only the named fields of the article.
  Record articleFields(const std::string& number, const std::vector<std::string>& fields);
  // The long text of the article, all twenty pieces joined, trailing blanks removed;
  // nullopt when the article has no (visible) LANGTEXT row.
  std::optional<std::string> longText(const std::string& number);
  // Every record of a table of the program directory or the merchandise folder, in record
  // order, deleted ones included (with "*" set). Closes every open table first, as a
  // command that shows a table does.
  std::vector<Record> rows(const std::filesystem::path& table);
  std::vector<Record> ownRows(const std::string& table) { return rows(m_home / (table + ".dbf")); }

  // The progress dialog of the last run.
  ui::ProgressRecord& progress();
  // The messages shown, without wait messages.
  std::vector<ui::Message> messages() const;
  std::vector<std::string> loggedErrors();  // FEHLERNR of DNORMERR in record order

  testsupport::TempDir m_dir;
  std::filesystem::path m_home;
  std::filesystem::path m_lgw;
  ui::ScriptedPort m_port;
  ui::PortScope m_portScope{m_port};
  base::FakeClock m_clock;
  base::ClockScope m_clockScope{m_clock};
};

std::filesystem::path errorTextsFile();

}  // namespace importtest
