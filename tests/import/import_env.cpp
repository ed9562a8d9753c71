#include "import/import_env.h"

#include "app/paths.h"
#include "base/ini_file.h"
#include "import/empty_merchandise.h"
#include "import/error_texts.h"
#include "import/import_run.h"
#include "import/run_state.h"
#include "settings/cache.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "tables/reorg.h"

namespace importtest {

namespace {

void check(const xbase::Status& status) {
  ASSERT_TRUE(status.isOk()) << status.toString();
}

std::unique_ptr<xbase::Table> openTable(const std::filesystem::path& path, xbase::OpenMode mode) {
  std::unique_ptr<xbase::Table> table;
  xbase::Status status = xbase::Table::open(path.string(), {mode, nullptr}, &table);
  EXPECT_TRUE(status.isOk()) << status.toString();
  return table;
}

Record recordOf(const xbase::Table& table) {
  Record record;
  for (size_t i = 0; i < table.fields().size(); ++i) {
    if (table.fields()[i].type == 'L') {
      record[table.fields()[i].name] = table.getLogical(static_cast<int>(i)) ? "T" : "F";
      continue;
    }
    std::string_view raw = table.rawField(static_cast<int>(i));
    size_t first = raw.find_first_not_of(' ');
    record[table.fields()[i].name] =
        first == std::string_view::npos
            ? ""
            : std::string(raw.substr(first, raw.find_last_not_of(' ') - first + 1));
  }
  record["*"] = table.deleted() ? "*" : "";
  return record;
}

std::string padded(const std::string& text, size_t width) {
  std::string out = text.substr(0, width);
  out.resize(width, ' ');
  return out;
}

}  // namespace

std::filesystem::path errorTextsFile() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "resources" /
         "error_texts.csv";
}

std::string header(const std::string& currency, const std::string& date) {
  return "V " + date + padded("Sanitaer Grosshandel GmbH", 40) + padded("Preisliste 2024", 40) +
         padded("Musterstrasse 1, 12345 Musterstadt", 35) + "04" + currency;
}

std::string datanorm(const std::vector<std::string>& lines, bool terminated) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    out += lines[i];
    if (terminated || i + 1 < lines.size()) out += "\r\n";
  }
  return out;
}

ImportTest::ImportTest()
    : m_home(m_dir.path() / "home"),
      m_lgw(m_dir.path() / "lgw"),
      m_clock(base::Date{std::chrono::year{2024} / 3 / 15}, 10 * 3600.0) {
  // Every reading moves the clock a little, so that the table layer's waits end.
  m_clock.setStepPerReading(0.001);
  std::filesystem::create_directories(m_home);
  std::filesystem::create_directories(m_lgw);
  app::setupPaths(m_home, "");
  xbase::Table::setHideDeleted(true);
  tables::closeAll();
  tables::SETSHARED(true);
  tables::SETCOMMIT(false);
  dnorm::RunState fresh;
  dnorm::runState() = std::move(fresh);

  {
    ui::ScriptedPort quiet;
    ui::PortScope scope(quiet);
    std::vector<std::string> created;
    tables::DB_DATEI(&created);
    EXPECT_EQ(created.size(), 7u);
    EXPECT_TRUE(tables::REORG(created));
    EXPECT_TRUE(dnorm::fillErrorTexts(errorTextsFile()));
    tables::closeAll();
  }

  check(dnorm::createEmptyMerchandiseFolder(m_lgw));
  setSetting("Pfad", m_lgw.string() + "/");
}

ImportTest::~ImportTest() {
  tables::closeAll();
}

void ImportTest::setSetting(const std::string& key, const std::string& value) {
  ASSERT_TRUE(base::writeProfileString(app::INIGLOBAL(), "Voreinstellungen", key, value));
  settings::GETVORFELD(0, true);
}

bool ImportTest::runImport(int kind, const std::vector<std::string>& lines,
                           const std::string& fileName) {
  std::filesystem::path file = m_dir.path() / fileName;
  testsupport::writeFile(file, datanorm(lines));
  return runFile(kind, file);
}

bool ImportTest::runFile(int kind, const std::filesystem::path& file) {
  m_port.answerFile(file);
  return dnorm::NORMIMPORT(kind);
}

void ImportTest::emptyArticles() {
  check(dnorm::createEmptyArticleTable(m_lgw));
}

void ImportTest::addArticle(const Fields& fields) {
  auto table = openTable(m_lgw / "ARTIKEL.dbf", xbase::OpenMode::Shared);
  for (const auto& index : dnorm::kMerchandiseArticleIndexes) {
    check(table->attachIndex((m_lgw / (std::string(index.name) + ".cdx")).string()));
  }
  check(table->append());
  for (const auto& [name, value] : fields) {
    int field = table->fieldIndex(name);
    ASSERT_GE(field, 0) << name;
    char type = table->fields()[static_cast<size_t>(field)].type;
    std::string text = name == "NUMMER" ? padded(value, 15) : value;
    if (type == 'N') {
      check(table->putNumber(field, std::stod(text)));
    } else if (type == 'L') {
      check(table->putLogical(field, text == "T"));
    } else {
      check(table->putString(field, text));
    }
  }
  check(table->unlockAll());
  check(table->close());
}

void ImportTest::addLongText(const std::string& article, const std::string& text) {
  auto table = openTable(m_lgw / "LANGTEXT.dbf", xbase::OpenMode::Shared);
  for (const auto& index : dnorm::kMerchandiseLongTextIndexes) {
    check(table->attachIndex((m_lgw / (std::string(index.name) + ".cdx")).string()));
  }
  check(table->append());
  check(table->putString(0, padded(article, 15)));
  for (int i = 0; i < 20 && static_cast<size_t>(i) * 60 < text.size(); ++i) {
    check(table->putString(1 + i, text.substr(static_cast<size_t>(i) * 60, 60)));
  }
  check(table->unlockAll());
  check(table->close());
}

void ImportTest::addRow(const std::string& ownTable, const Fields& fields) {
  std::filesystem::path path = m_home / (ownTable + ".dbf");
  {
    auto table = openTable(path, xbase::OpenMode::Exclusive);
    check(table->attachIndex((m_home / (ownTable + ".cdx")).string()));
    check(table->append());
    for (const auto& [name, value] : fields) {
      int field = table->fieldIndex(name);
      ASSERT_GE(field, 0) << name;
      char type = table->fields()[static_cast<size_t>(field)].type;
      if (type == 'N') {
        check(table->putNumber(field, std::stod(value)));
      } else if (type == 'L') {
        check(table->putLogical(field, value == "T"));
      } else {
        check(table->putString(field, value));
      }
    }
    check(table->close());
  }
}

Record ImportTest::article(const std::string& number) {
  auto table = openTable(m_lgw / "ARTIKEL.dbf", xbase::OpenMode::ReadOnly);
  check(table->attachIndex((m_lgw / "LANUM.cdx").string()));
  bool found = false;
  check(table->seek(padded(number, 15), &found));
  return found ? recordOf(*table) : Record{};
}

Record ImportTest::articleFields(const std::string& number,
                                 const std::vector<std::string>& fields) {
  Record all = article(number);
  Record picked;
  for (const std::string& field : fields)
    picked[field] = all.count(field) ? all.at(field) : "(missing)";
  return picked;
}

std::optional<std::string> ImportTest::longText(const std::string& number) {
  auto table = openTable(m_lgw / "LANGTEXT.dbf", xbase::OpenMode::ReadOnly);
  check(table->attachIndex((m_lgw / "LANGNUM.cdx").string()));
  bool found = false;
  check(table->seek(padded(number, 15), &found));
  if (!found) return std::nullopt;
  std::string text;
  for (int i = 1; i <= 20; ++i) text += table->getString(i);
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::vector<Record> ImportTest::rows(const std::filesystem::path& path) {
  tables::closeAll();
  auto table = openTable(path, xbase::OpenMode::ReadOnly);
  std::vector<Record> records;
  uint32_t count = 0;
  check(table->recordCount(&count));
  for (uint32_t r = 1; r <= count; ++r) {
    check(table->goTo(r));
    records.push_back(recordOf(*table));
  }
  return records;
}

ui::ProgressRecord& ImportTest::progress() {
  EXPECT_FALSE(m_port.progressViews().empty());
  return *m_port.progressViews().back();
}

std::vector<ui::Message> ImportTest::messages() const {
  std::vector<ui::Message> shown;
  for (const ui::Message& m : m_port.messages()) {
    if (m.kind != ui::Message::Kind::WaitMessage) shown.push_back(m);
  }
  return shown;
}

std::vector<std::string> ImportTest::loggedErrors() {
  std::vector<std::string> numbers;
  for (const Record& row : ownRows("DNORMERR")) numbers.push_back(row.at("FEHLERNR"));
  return numbers;
}

}  // namespace importtest
