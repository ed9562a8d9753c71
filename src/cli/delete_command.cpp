#include "cli/delete_command.h"

#include <iostream>

#include "cli/json_object.h"
#include "cli/session.h"
#include "import/deletion.h"

namespace cli {

namespace {

constexpr int kKinds[] = {1, 3, 4, 6, 7};

// The kind named by the only argument; 0 when it names none.
int parseKind(const std::vector<std::string>& args) {
  if (args.size() != 1) return 0;
  for (int kind : kKinds) {
    if (args[0] == std::to_string(kind)) return kind;
  }
  return 0;
}

}  // namespace

int runDeleteCommand(const CommandLine& line) {
  int kind = parseKind(line.args);
  if (kind == 0) return usageError("delete erwartet eine Art: 1, 3, 4, 6 oder 7");
  if (!homeExists(line.options)) return kFailed;
  Session session(line.options, Session::OwnTables::Check);
  session.port().forgetLastMessage();
  bool done = dnorm::NORMLOESCHEN(kind);
  if (line.options.json) {
    std::cout << JsonObject()
                     .number("kind", static_cast<long>(kind))
                     .flag("ok", done)
                     .textOrNull("message", session.port().lastMessage())
                     .str()
              << std::endl;
  }
  return done ? kOk : kFailed;
}

}  // namespace cli
