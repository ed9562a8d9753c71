#include "views/record_editing.h"

#include "base/cp1252.h"
#include "tables/net.h"
#include "ui/port.h"

namespace views {

namespace {

// Field access by name; a field the table lacks reads empty and is not written. Texts come
// without their trailing blanks.
std::string text(const xbase::Table& table, const char* name) {
  int field = table.fieldIndex(name);
  if (field < 0) return {};
  std::string s = table.getString(field);
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

double number(const xbase::Table& table, const char* name) {
  int field = table.fieldIndex(name);
  return field < 0 ? 0 : table.getNumber(field);
}

bool flag(const xbase::Table& table, const char* name) {
  int field = table.fieldIndex(name);
  return field >= 0 && table.getLogical(field);
}

size_t width(const xbase::Table& table, const char* name) {
  int field = table.fieldIndex(name);
  return field < 0 ? 0 : table.fields()[static_cast<size_t>(field)].length;
}

void put(xbase::Table& table, const char* name, const xbase::Value& value) {
  int field = table.fieldIndex(name);
  if (field >= 0) table.putValue(field, value);
}

xbase::Value textValue(const std::string& s) {
  xbase::Value v;
  v.str = s;
  return v;
}

xbase::Value numberValue(double n) {
  xbase::Value v;
  v.type = xbase::Value::Type::Numeric;
  v.num = n;
  return v;
}

xbase::Value flagValue(bool b) {
  xbase::Value v;
  v.type = xbase::Value::Type::Logical;
  v.log = b;
  return v;
}

// A code as the index holds it: padded with blanks to the field's width.
std::string keyOf(const xbase::Table& table, const char* name, const std::string& code) {
  std::string key = code;
  if (key.size() < width(table, name)) key.resize(width(table, name), ' ');
  return key;
}

bool blankCode(const std::string& code) {
  return code.find_first_not_of(' ') == std::string::npos;
}

// A coded record (group, discount group): the code is required and must be free.
bool saveCoded(const char* codeField, const std::string& code, const char* missingCode, bool isNew,
               const std::string& title, const std::function<void(xbase::Table&)>& write) {
  xbase::Table* table = tables::current();
  if (!table) return false;
  if (blankCode(code)) {
    ui::port().information(title, missingCode);
    return false;
  }
  std::string key = keyOf(*table, codeField, code);
  if (!keyIsFree(*table, textValue(key), key, isNew, title)) return false;
  return storeRecord(isNew, write);
}

}  // namespace

bool keyIsFree(xbase::Table& table, const xbase::Value& key, const std::string& keyText, bool isNew,
               const std::string& title) {
  uint32_t remembered = table.eof() ? 0 : table.recNo();
  bool found = false;
  bool taken = table.seek(key, &found).isOk() && found && (isNew || table.recNo() != remembered);
  table.goTo(remembered);
  if (taken) ui::port().information(title, keyText + " wird bereits benutzt!");
  return !taken;
}

bool storeRecord(bool isNew, const std::function<void(xbase::Table&)>& write) {
  xbase::Table* table = tables::current();
  if (!table || !(isNew ? tables::NETAPPEND() : tables::NETRLOCK())) return false;
  write(*table);
  tables::NETUNLOCK();
  return true;
}

GroupRecord currentGroup(const xbase::Table& table) {
  return {text(table, "WAGRU"), text(table, "TEXT"), flag(table, "MIT_DIESER")};
}

DiscountRecord currentDiscount(const xbase::Table& table) {
  return {text(table, "RABATTGRUP"), text(table, "TEXT"), number(table, "MULTI")};
}

ErrorTextRecord currentErrorText(const xbase::Table& table) {
  return {number(table, "FEHLERNR"), text(table, "FEHLER"), text(table, "KOMMENTAR"),
          flag(table, "OHNE")};
}

bool saveGroup(const GroupRecord& record, bool isNew, const std::string& title) {
  return saveCoded("WAGRU", record.code, "Eine Eingabe der Warengruppe ist erforderlich", isNew,
                   title, [&record](xbase::Table& t) {
                     put(t, "WAGRU", textValue(record.code));
                     put(t, "TEXT", textValue(record.text));
                     put(t, "MIT_DIESER", flagValue(record.include));
                   });
}

bool saveDiscount(const DiscountRecord& record, bool isNew, const std::string& title) {
  return saveCoded("RABATTGRUP", record.code, "Eine Eingabe der Rabattgruppe ist erforderlich",
                   isNew, title, [&record](xbase::Table& t) {
                     put(t, "RABATTGRUP", textValue(record.code));
                     put(t, "TEXT", textValue(record.text));
                     put(t, "MULTI", numberValue(record.multiplier));
                   });
}

bool saveErrorText(const ErrorTextRecord& record, const std::string& title) {
  xbase::Table* table = tables::current();
  if (!table) return false;
  if (record.number < 0) {
    ui::port().information(title, base::ansi("Fehler-Nr. muß größer/gleich 0 sein."));
    return false;
  }
  xbase::Value key = numberValue(record.number);
  if (!keyIsFree(*table, key, std::to_string(static_cast<long>(record.number)), false, title))
    return false;
  return storeRecord(false, [&record](xbase::Table& t) {
    put(t, "FEHLERNR", numberValue(record.number));
    put(t, "FEHLER", textValue(record.text));
    put(t, "KOMMENTAR", textValue(record.comment));
    put(t, "OHNE", flagValue(record.ignore));
  });
}

}  // namespace views
