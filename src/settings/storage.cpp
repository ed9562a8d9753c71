#include "settings/storage.h"

#include "app/paths.h"
#include "base/ini_file.h"

namespace settings {

namespace {

std::string padded(std::string text, int width) {
  if (text.size() < static_cast<size_t>(width)) text.resize(static_cast<size_t>(width), ' ');
  return text;
}

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

Value fromStoredText(const SettingDef& def, const std::string& text) {
  switch (def.type) {
    case 'N':
      return base::leadingNumber(text);
    case 'L':
      return !text.empty() && text.front() == 'J';
    default:
      return padded(text, def.width);
  }
}

std::string toStoredText(const SettingDef& def, const Value& value) {
  return std::visit(Overloaded{
                        [&](const std::string& text) { return padded(text, def.width); },
                        [](const base::Decimal& number) { return base::formatDecimal(number); },
                        [](bool flag) { return std::string(flag ? "J" : "N"); },
                    },
                    value);
}

std::vector<Value> GETVOREIN() {
  // An unreadable file reads like a missing one: every setting has its default.
  base::IniFile ini = base::IniFile::load(app::INIGLOBAL()).value_or(base::IniFile{});
  std::vector<Value> values;
  for (const SettingDef& def : kCatalogue) {
    values.push_back(fromStoredText(def, ini.value(kSection, def.key).value_or(def.defaultText)));
  }
  return values;
}

bool SETVOREIN(const std::vector<Value>& values) {
  auto ini = base::IniFile::load(app::INIGLOBAL());
  if (!ini) return true;
  for (size_t i = 0; i < values.size() && i < kCatalogue.size(); ++i) {
    ini->setValue(kSection, kCatalogue[i].key, toStoredText(kCatalogue[i], values[i]));
  }
  ini->save(app::INIGLOBAL());
  return true;
}

}  // namespace settings
