// Compiles arbitrary text as an xBase expression over a fixed table and evaluates what
// compiles on a fixed record: neither may crash, hang or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "xbase/expr/expression.h"

namespace {

const xbase::FieldList& fields() {
  static const xbase::FieldList list = [] {
    xbase::FieldList f = {
        {"NAME", 'C', 20, 0, 0, 0},   {"NUMMER", 'C', 8, 0, 0, 0}, {"ZEILE", 'N', 2, 0, 0, 0},
        {"NETTO", 'N', 10, 2, 0, 0},  {"MENGE", 'F', 8, 3, 0, 0},  {"DATUM", 'D', 8, 0, 0, 0},
        {"LEER", 'D', 8, 0, 0, 0},    {"AKTIV", 'L', 1, 0, 0, 0},  {"ANZAHL", 'I', 4, 0, 0, 0},
        {"GEWICHT", 'B', 8, 2, 0, 0}, {"BETRAG", 'Y', 8, 4, 0, 0}, {"NOTIZ", 'M', 10, 0, 0, 0},
    };
    uint32_t offset = 1;
    for (auto& d : f) {
      d.offset = offset;
      offset += d.length;
    }
    return f;
  }();
  return list;
}

// The record: deletion flag, then the fields in order (binary fields little-endian).
const std::string& record() {
  static const std::string bytes =
      std::string(" ") + "Kupferrohr f\xFCr Heiz\xF6l  " + "AB1234  " + "10" + "   -642.29" +
      "   1.500" + "20240229" + "        " + "T" + std::string("\xFB\xFF\xFF\xFF", 4) +
      std::string("\x00\x00\x00\x00\x00\x00\x04\xC0", 8) +
      std::string("\x40\xE2\x01\x00\x00\x00\x00\x00", 8) + "         1";
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<xbase::Expression> e;
  xbase::Status st = xbase::Expression::compile(text, fields(), "ARTIKEL", &e);
  if (!st.isOk()) {
    if (st.code() != xbase::Status::Code::InvalidArgument) std::abort();
    return 0;
  }
  xbase::RecordRef rec{record(), 3};
  xbase::Value v = e->evaluate(rec);
  if (v.type != e->type()) std::abort();
  if (e->type() == xbase::Value::Type::Character) {
    std::string key;
    e->evaluateKey(rec, static_cast<size_t>(e->width()), key);
    if (key.size() != static_cast<size_t>(e->width())) std::abort();
  }
  if (e->type() == xbase::Value::Type::Logical && e->evaluateLogical(rec) != v.log) std::abort();
  return 0;
}
