#include "cli/admin_commands.h"

#include <algorithm>
#include <iostream>

#include "base/cp1252.h"
#include "cli/json_object.h"
#include "cli/session.h"
#include "cli/shipped_files.h"
#include "tables/catalogue.h"
#include "tables/reorg.h"
#include "tables/structure_check.h"
#include "tables/structure_compare.h"
#include "tables/table_startup.h"

namespace cli {

namespace {

// The tables named for reorg, in upper case; a problem text for an unknown one.
std::string parseTables(const CommandLine& line, std::vector<std::string>& names) {
  for (const std::string& a : line.args) {
    if (a.starts_with("--") || line.command != "reorg") return "Unbekanntes Argument: " + a;
    names.push_back(base::upperAnsi(base::ansi(a)));
  }
  std::vector<std::string> known = tables::GETDBFS();
  for (const std::string& name : names) {
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      return "Unbekannte Tabelle: " + base::utf8FromAnsi(name);
    }
  }
  return {};
}

std::vector<std::string> utf8(const std::vector<std::string>& ansi) {
  std::vector<std::string> out;
  for (const std::string& s : ansi) out.push_back(base::utf8FromAnsi(s));
  return out;
}

int init() {
  bool ready = tables::checkOwnTables() && fillShippedErrorTexts();
  return ready ? kOk : kFailed;
}

int reorg(Session& session, const std::vector<std::string>& names, bool json) {
  bool done = tables::REORG(names);
  if (json) {
    std::cout << JsonObject()
                     .texts("tables", utf8(names.empty() ? tables::GETDBFS() : names))
                     .flag("ok", done)
                     .textOrNull("message", session.port().lastMessage())
                     .str()
              << std::endl;
  }
  return done ? kOk : kFailed;
}

int check(Session& session, bool json) {
  bool ran = tables::TESTSTRUKTUR();
  // Declined repairs, type differences and tables in use leave a table that still differs.
  std::vector<std::string> differing;
  for (const std::string& name : tables::GETDBFS()) {
    if (!tables::matchesCatalogue(name)) differing.push_back(name);
  }
  bool ok = ran && differing.empty();
  if (json) {
    std::cout << JsonObject()
                     .flag("ok", ok)
                     .texts("differing", utf8(differing))
                     .textOrNull("message", session.port().lastMessage())
                     .str()
              << std::endl;
  }
  return ok ? kOk : kFailed;
}

}  // namespace

bool isAdminCommand(const std::string& command) {
  return command == "init" || command == "reorg" || command == "check";
}

int runAdminCommand(const CommandLine& line) {
  std::vector<std::string> names;
  if (std::string problem = parseTables(line, names); !problem.empty()) {
    return usageError(problem);
  }
  if (!homeExists(line.options)) return kFailed;
  Session session(line.options, Session::OwnTables::Leave);
  if (line.command == "init") return init();
  if (line.command == "reorg") return reorg(session, names, line.options.json);
  return check(session, line.options.json);
}

}  // namespace cli
