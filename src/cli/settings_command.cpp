#include "cli/settings_command.h"

#include <cctype>
#include <iostream>

#include "app/paths.h"
#include "base/cp1252.h"
#include "cli/session.h"
#include "settings/cache.h"
#include "settings/catalogue.h"
#include "settings/storage.h"

namespace cli {

namespace {

// The number (1-21) of the setting a key or number names; 0 for none.
int settingNumber(const std::string& name) {
  for (int n = 1; n <= settings::kSettingCount; ++n) {
    if (name == std::to_string(n) ||
        base::equalsIgnoringCase(base::ansi(name), settings::kCatalogue[n - 1].key)) {
      return n;
    }
  }
  return 0;
}

bool isNumberText(const std::string& text) {
  size_t i = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i]))) {
      digits = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// The stored form of a value typed for a setting; nullopt when it does not fit its type.
std::optional<std::string> storedForm(const settings::SettingDef& def, const std::string& value) {
  switch (def.type) {
    case 'L':
      if (value == "J" || value == "N") return value;
      return std::nullopt;
    case 'N':
      if (isNumberText(value)) return value;
      return std::nullopt;
    default:
      return base::ansi(value);
  }
}

std::string shownValue(int n, const settings::Value& value) {
  std::string stored = settings::toStoredText(settings::kCatalogue[n - 1], value);
  stored.erase(stored.find_last_not_of(' ') + 1);
  return base::utf8FromAnsi(stored);
}

void printSetting(int n, const settings::Value& value) {
  std::cout << n << '\t' << base::utf8FromAnsi(settings::kCatalogue[n - 1].key) << '\t'
            << shownValue(n, value) << '\n';
}

int setOne(int n, const std::string& stored) {
  const settings::SettingDef& def = settings::kCatalogue[n - 1];
  std::vector<settings::Value> values = settings::GETVOREIN();
  values[n - 1] = settings::fromStoredText(def, stored);
  settings::SETVOREIN(values);
  settings::GETVORFELD(0, true);
  if (settings::GETVORFELD(n) != values[n - 1]) {
    std::cerr << "Einstellungen konnten nicht gespeichert werden: "
              << base::utf8FromAnsi(app::INIGLOBAL()) << "\n";
    return kFailed;
  }
  printSetting(n, values[n - 1]);
  return kOk;
}

}  // namespace

int runSettingsCommand(const CommandLine& line) {
  const std::vector<std::string>& args = line.args;
  if (args.size() != 0 && args.size() != 2) return usageError("settings [SCHLÜSSEL WERT]");
  int n = args.empty() ? 0 : settingNumber(args[0]);
  if (!args.empty() && n == 0) return usageError("Unbekannte Voreinstellung: " + args[0]);
  std::optional<std::string> stored =
      args.empty() ? std::nullopt : storedForm(settings::kCatalogue[n - 1], args[1]);
  if (!args.empty() && !stored) {
    return usageError("Ungültiger Wert für " + args[0] + ": " + args[1] +
                      (settings::kCatalogue[n - 1].type == 'L' ? " (J oder N)" : " (Zahl)"));
  }
  if (!homeExists(line.options)) return kFailed;
  Session session(line.options, Session::OwnTables::Leave);
  if (stored) return setOne(n, *stored);
  for (int i = 1; i <= settings::kSettingCount; ++i) printSetting(i, settings::GETVORFELD(i));
  return kOk;
}

}  // namespace cli
