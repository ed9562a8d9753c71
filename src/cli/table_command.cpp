#include "cli/table_command.h"

#include <cstdio>
#include <memory>

#include "base/cp1252.h"
#include "cli/command_line.h"
#include "cli/csv_field.h"
#include "xbase/common/julian.h"
#include "xbase/table.h"

namespace cli {

namespace {

int usage() {
  std::fprintf(stderr,
               "Aufruf:\n"
               "  artikimp-cli table info FILE.dbf [INDEX.cdx ...]\n"
               "  artikimp-cli table dump FILE.dbf [--index INDEX.cdx --tag NAME] [--deleted] [--csv]\n"
               "  artikimp-cli table verify FILE.dbf INDEX.cdx ...\n");
  return kUsage;
}

int fail(const xbase::Status& st) {
  std::fprintf(stderr, "Fehler: %s\n", base::utf8FromAnsi(st.message()).c_str());
  return kFailed;
}

std::string rtrim(std::string_view s) {
  size_t end = s.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1));
}

// A field as a person reads it: text without trailing blanks, numbers as stored without the
// leading blanks, dates as dd.mm.yyyy, logicals T/F; UTF-8.
std::string displayField(const xbase::Table& table, int field) {
  const xbase::FieldDef& f = table.fields()[static_cast<size_t>(field)];
  std::string_view raw = table.rawField(field);
  switch (f.type) {
    case 'N':
    case 'F': {
      size_t start = raw.find_first_not_of(' ');
      return start == std::string_view::npos ? std::string() : std::string(raw.substr(start));
    }
    case 'D': {
      int32_t jdn = table.getDate(field);
      if (jdn == 0) return {};
      auto d = xbase::ymdFromJulian(jdn);
      char buf[16];
      std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
      return buf;
    }
    case 'L':
      return raw == " " || raw == "?" ? std::string() : std::string(table.getLogical(field) ? "T" : "F");
    case 'C':
      return base::utf8FromAnsi(rtrim(raw));
    default:
      return "<" + std::string(1, f.type) + ">";
  }
}

xbase::Status openTable(const std::string& path, std::unique_ptr<xbase::Table>* table) {
  return xbase::Table::open(path, {xbase::OpenMode::ReadOnly, nullptr}, table);
}

int info(const std::vector<std::string>& args) {
  if (args.empty()) return usage();
  std::unique_ptr<xbase::Table> table;
  if (auto st = openTable(args[0], &table); !st.isOk()) return fail(st);
  uint32_t count = 0;
  if (auto st = table->recordCount(&count); !st.isOk()) return fail(st);
  std::printf("table|%s|%u records|version 0x%02X|flags 0x%02X|code page 0x%02X\n", args[0].c_str(),
              count, table->dbf().header().version, table->dbf().header().tableFlags,
              table->dbf().header().codePage);
  for (const auto& f : table->fields())
    std::printf("field|%s|%c|%u|%u\n", f.name.c_str(), f.type, f.length, f.decimals);
  for (size_t i = 1; i < args.size(); ++i) {
    size_t before = table->orderCount();
    if (auto st = table->attachIndex(args[i]); !st.isOk()) return fail(st);
    for (size_t n = before + 1; n <= table->orderCount(); ++n) {
      const auto& tag = table->orderAt(static_cast<int>(n)).info();
      std::string flags;
      if (tag.unique()) flags += "unique ";
      if (tag.descending) flags += "descending ";
      if (!tag.forExpr.empty()) flags += "for ";
      flags += "keylength " + std::to_string(tag.keyLength);
      std::printf("tag|%s|%s|%s|%s|%s\n", args[i].c_str(), tag.name.c_str(),
                  base::utf8FromAnsi(tag.keyExpr).c_str(), base::utf8FromAnsi(tag.forExpr).c_str(),
                  flags.c_str());
    }
  }
  return kOk;
}

int dump(const std::vector<std::string>& args) {
  std::string file, index, tag;
  bool withDeleted = false, csv = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--index" && i + 1 < args.size()) index = args[++i];
    else if (args[i] == "--tag" && i + 1 < args.size()) tag = args[++i];
    else if (args[i] == "--deleted") withDeleted = true;
    else if (args[i] == "--csv") csv = true;
    else if (file.empty() && args[i].rfind("--", 0) != 0) file = args[i];
    else return usage();
  }
  if (file.empty() || index.empty() != tag.empty()) return usage();
  xbase::Table::setHideDeleted(!withDeleted);
  std::unique_ptr<xbase::Table> table;
  if (auto st = openTable(file, &table); !st.isOk()) return fail(st);
  if (!index.empty()) {
    if (auto st = table->attachIndex(index); !st.isOk()) return fail(st);
    int n = table->orderByName(tag);
    if (n == 0) {
      std::fprintf(stderr, "Fehler: %s enthält keinen Index %s\n", index.c_str(), tag.c_str());
      return kFailed;
    }
    if (auto st = table->setOrder(n); !st.isOk()) return fail(st);
  }
  if (auto st = table->goTop(); !st.isOk()) return fail(st);
  const char* sep = csv ? "," : "|";
  if (csv) {
    std::printf("RECNO,DELETED");
    for (const auto& f : table->fields()) std::printf(",%s", f.name.c_str());
    std::printf("\n");
  }
  while (!table->eof()) {
    std::printf("%u%s%s", table->recNo(), sep, table->deleted() ? "*" : (csv ? "" : " "));
    for (size_t f = 0; f < table->fields().size(); ++f) {
      std::string text = displayField(*table, static_cast<int>(f));
      std::printf("%s%s", sep, (csv ? csvField(text) : text).c_str());
    }
    std::printf("\n");
    if (auto st = table->skip(); !st.isOk()) return fail(st);
  }
  return kOk;
}

int verify(const std::vector<std::string>& args) {
  if (args.size() < 2) return usage();
  std::unique_ptr<xbase::Table> table;
  if (auto st = openTable(args[0], &table); !st.isOk()) return fail(st);
  for (size_t i = 1; i < args.size(); ++i)
    if (auto st = table->attachIndex(args[i]); !st.isOk()) return fail(st);
  std::vector<std::string> report;
  bool sound = false;
  if (auto st = table->verifyIndexes(&report, &sound); !st.isOk()) return fail(st);
  for (const auto& line : report) std::printf("%s\n", base::utf8FromAnsi(line).c_str());
  return sound ? kOk : kFailed;
}

}  // namespace

int runTableCommand(const std::vector<std::string>& args) {
  if (args.empty()) return usage();
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "info") return info(rest);
  if (args[0] == "dump") return dump(rest);
  if (args[0] == "verify") return verify(rest);
  return usage();
}

}  // namespace cli
