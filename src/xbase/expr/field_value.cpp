#include "xbase/expr/field_value.h"

#include <cstring>
#include <type_traits>

#include "xbase/common/julian.h"
#include "xbase/expr/number_text.h"

namespace xbase {

namespace {

// Little-endian integer of N bytes (VFP I and Y fields).
template <class T>
T readLittleEndian(std::string_view bytes) {
  using U = std::make_unsigned_t<T>;
  U v = 0;
  for (size_t i = 0; i < sizeof(T); ++i)
    v |= static_cast<U>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return static_cast<T>(v);
}

constexpr int kCurrencyDecimals = 4;  // Y: value = int64 / 10000

}  // namespace

std::optional<Value::Type> expressionType(char fieldType) {
  switch (fieldType) {
    case 'C':
      return Value::Type::Character;
    case 'N':
    case 'F':
    case 'I':
    case 'B':
    case 'Y':
      return Value::Type::Numeric;
    case 'D':
      return Value::Type::Date;
    case 'L':
      return Value::Type::Logical;
    default:
      return std::nullopt;
  }
}

std::string_view fieldBytes(const FieldDef& f, std::string_view recordBytes) {
  if (f.offset >= recordBytes.size()) return {};
  return recordBytes.substr(f.offset, f.length);
}

double numericFieldValue(char fieldType, std::string_view bytes) {
  switch (fieldType) {
    case 'I':  // 4 bytes: int32 LE
      return bytes.size() < 4 ? 0 : readLittleEndian<int32_t>(bytes);
    case 'B': {  // 8 bytes: IEEE double LE
      if (bytes.size() < 8) return 0;
      uint64_t bits = readLittleEndian<uint64_t>(bytes);
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    case 'Y':  // 8 bytes: int64 LE = value * 10000
      return bytes.size() < 8 ? 0 : static_cast<double>(readLittleEndian<int64_t>(bytes)) / 10000.0;
    default:
      return parseLeadingNumber(bytes).value;
  }
}

int32_t dateFieldValue(std::string_view bytes) {
  return julianFromDtos(bytes).value_or(0);
}

bool logicalFieldValue(std::string_view bytes) {
  if (bytes.empty()) return false;
  char c = bytes[0];
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

NumericFormat numericFormat(const FieldDef& f) {
  switch (f.type) {
    case 'I':
      return {0, 0};
    case 'B':
      return {0, f.decimals};
    case 'Y':
      return {0, kCurrencyDecimals};
    default:
      return {f.length, f.decimals};
  }
}

Value fieldValue(const FieldDef& f, std::string_view recordBytes) {
  std::string_view bytes = fieldBytes(f, recordBytes);
  Value v;
  std::optional<Value::Type> type = expressionType(f.type);
  if (!type) {
    v.str.assign(bytes);
    return v;
  }
  v.type = *type;
  switch (v.type) {
    case Value::Type::Character:
      v.str.assign(bytes);
      v.str.resize(f.length, ' ');
      break;
    case Value::Type::Numeric: {
      v.num = numericFieldValue(f.type, bytes);
      NumericFormat format = numericFormat(f);
      v.width = format.width;
      v.decimals = format.decimals;
      break;
    }
    case Value::Type::Date:
      v.date = dateFieldValue(bytes);
      break;
    case Value::Type::Logical:
      v.log = logicalFieldValue(bytes);
      break;
  }
  return v;
}

}  // namespace xbase
