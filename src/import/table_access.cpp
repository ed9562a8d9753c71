#include "import/table_access.h"

#include <stdexcept>

#include "import/error_log.h"
#include "import/error_numbers.h"
#include "tables/net.h"

namespace dnorm {

namespace {
// Julian day number of 1970-01-01, the epoch of std::chrono::sys_days.
constexpr int32_t kJulianDayOfUnixEpoch = 2440588;

int requireField(const xbase::Table& table, std::string_view name) {
  int index = table.fieldIndex(name);
  if (index < 0) throw std::logic_error(table.path() + ": no field " + std::string(name));
  return index;
}
}  // namespace

bool seekKey(xbase::Table& table, std::string_view key) {
  bool found = false;
  return table.seek(key, &found).isOk() && found;
}

bool seekNumber(xbase::Table& table, double key) {
  xbase::Value value;
  value.type = xbase::Value::Type::Numeric;
  value.num = key;
  bool found = false;
  return table.seek(value, &found).isOk() && found;
}

xbase::Table& openTable(const std::string& alias) {
  xbase::Table* table = tables::table(alias);
  if (!table) throw std::logic_error("table " + alias + " is not open");
  return *table;
}

std::string fieldText(const xbase::Table& table, std::string_view name) {
  return table.getString(requireField(table, name));
}

double fieldNumber(const xbase::Table& table, std::string_view name) {
  return table.getNumber(requireField(table, name));
}

bool fieldLogical(const xbase::Table& table, std::string_view name) {
  return table.getLogical(requireField(table, name));
}

void setField(xbase::Table& table, std::string_view name, std::string_view text) {
  table.putString(requireField(table, name), text);
}

void setField(xbase::Table& table, std::string_view name, bool flag) {
  table.putLogical(requireField(table, name), flag);
}

void setNumberField(xbase::Table& table, int field, double value) {
  if (table.eof()) return;
  // The engine rounds to the field's decimals, halves away from zero, robust against the
  // binary representation; a value that does not fit is clamped and refused.
  xbase::Status status = table.putNumber(field, value);
  if (status.code() == xbase::Status::Code::InvalidArgument) {
    const xbase::FieldDef& def = table.fields().at(static_cast<size_t>(field));
    NORMFEHLER(err::kValueTooLarge, def.name + "=" + numberDetail(value, def.decimals));
  }
}

void setNumberField(xbase::Table& table, std::string_view name, double value) {
  setNumberField(table, requireField(table, name), value);
}

void setDateField(xbase::Table& table, int field, base::Date date) {
  table.putDate(field, julianDay(date));
}

int32_t julianDay(base::Date date) {
  return static_cast<int32_t>(date.time_since_epoch().count()) + kJulianDayOfUnixEpoch;
}

}  // namespace dnorm
