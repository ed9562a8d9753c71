#include "cli/show_command.h"

#include <algorithm>
#include <functional>
#include <iostream>

#include "base/cp1252.h"
#include "cli/csv_field.h"
#include "cli/session.h"
#include "tables/catalogue.h"
#include "tables/net.h"
#include "views/display_definition.h"

namespace cli {

namespace {

struct ShowArgs {
  std::string table;  // Windows-1252, upper case
  bool csv = false;
  std::string problem;
};

ShowArgs parseArgs(const std::vector<std::string>& args) {
  ShowArgs parsed;
  for (const std::string& a : args) {
    if (a == "--csv") {
      parsed.csv = true;
    } else if (a.starts_with("--") || !parsed.table.empty()) {
      parsed.problem = "Unbekanntes Argument: " + a;
    } else {
      parsed.table = base::upperAnsi(base::ansi(a));
    }
  }
  std::vector<std::string> known = tables::GETDBFS();
  if (!parsed.problem.empty()) return parsed;
  if (parsed.table.empty()) {
    parsed.problem = "Tabelle fehlt";
  } else if (std::find(known.begin(), known.end(), parsed.table) == known.end()) {
    parsed.problem = "Unbekannte Tabelle: " + base::utf8FromAnsi(parsed.table);
  }
  return parsed;
}

struct Columns {
  views::RowCallback row;
  std::vector<std::string> headers;
  std::vector<bool> aligns;
};

// A column value as shown: UTF-8, without blanks around it.
std::string shown(const std::string& ansi) {
  size_t first = ansi.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return base::utf8FromAnsi(ansi.substr(first, ansi.find_last_not_of(' ') - first + 1));
}

std::vector<std::string> shownAll(const std::vector<std::string>& values) {
  std::vector<std::string> out;
  for (const std::string& v : values) out.push_back(shown(v));
  return out;
}

size_t characters(const std::string& utf8) {
  return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// Calls `visit` with the shown values of every visible record in index order.
xbase::Status forEachRow(xbase::Table& table, const Columns& columns,
                         const std::function<void(const std::vector<std::string>&)>& visit) {
  XBASE_RETURN_IF_ERROR(table.goTop());
  while (!table.eof()) {
    visit(shownAll(columns.row()));
    XBASE_RETURN_IF_ERROR(table.skip());
  }
  return xbase::Status::ok();
}

void printCsvLine(const std::vector<std::string>& values) {
  std::string line;
  for (size_t i = 0; i < values.size(); ++i) line += (i ? "," : "") + csvField(values[i]);
  std::cout << line << '\n';
}

// Columns two blanks apart, each as wide as its widest value, right-aligned ones padded on
// the left; the last column is not padded on the right.
void printAligned(const std::vector<std::string>& values, const std::vector<size_t>& widths,
                  const std::vector<bool>& aligns) {
  std::string line;
  for (size_t i = 0; i < values.size(); ++i) {
    size_t width = i < widths.size() ? widths[i] : 0;
    std::string padding(width - std::min(width, characters(values[i])), ' ');
    bool right = i < aligns.size() && aligns[i];
    bool last = i + 1 == values.size();
    line += (i ? "  " : "") + (right ? padding + values[i] : values[i] + (last ? "" : padding));
  }
  std::cout << line << '\n';
}

xbase::Status printTable(xbase::Table& table, const Columns& columns, bool csv) {
  std::vector<std::string> headers = shownAll(columns.headers);
  if (csv) {
    printCsvLine(headers);
    return forEachRow(table, columns, printCsvLine);
  }
  std::vector<size_t> widths;
  for (const std::string& h : headers) widths.push_back(characters(h));
  XBASE_RETURN_IF_ERROR(forEachRow(table, columns, [&](const std::vector<std::string>& values) {
    if (widths.size() < values.size()) widths.resize(values.size(), 0);
    for (size_t i = 0; i < values.size(); ++i)
      widths[i] = std::max(widths[i], characters(values[i]));
  }));
  printAligned(headers, widths, columns.aligns);
  return forEachRow(table, columns, [&](const std::vector<std::string>& values) {
    printAligned(values, widths, columns.aligns);
  });
}

}  // namespace

int runShowCommand(const CommandLine& line) {
  ShowArgs args = parseArgs(line.args);
  if (!args.problem.empty()) return usageError(args.problem);
  if (!homeExists(line.options)) return kFailed;
  Session session(line.options, Session::OwnTables::Check);
  if (!tables::NETOPEN(args.table)) return kFailed;
  Columns columns;
  views::displayColumns(args.table, columns.row, columns.headers, columns.aligns);
  if (!columns.row) return kFailed;
  xbase::Status status = printTable(*tables::table(args.table), columns, args.csv);
  std::cout << std::flush;
  if (!status.isOk()) {
    std::cerr << "Fehler: " << base::utf8FromAnsi(status.message()) << "\n";
    return kFailed;
  }
  return kOk;
}

}  // namespace cli
