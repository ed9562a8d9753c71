#include "xbase/index_order.h"

#include "xbase/cdx/key_codec.h"

namespace xbase {

namespace {
constexpr uint16_t kMaxKeyLength = 240;
}

std::string encodeKey(const Value& value, uint16_t keyLength) {
  switch (value.type) {
    case Value::Type::Numeric:
      return keyLength == 4 ? cdx::encodeIntegerKey(static_cast<int32_t>(value.num))
                            : cdx::encodeNumberKey(value.num);
    case Value::Type::Date: return cdx::encodeDateKey(value.date);
    case Value::Type::Logical: return value.log ? "T" : "F";
    case Value::Type::Character: break;
  }
  std::string s = value.str;
  s.resize(keyLength, ' ');
  return s;
}

Status IndexOrder::compile(const std::string& keyExpr, const std::string& forExpr,
                           uint16_t keyLength, const FieldList& fields, std::string_view alias,
                           std::unique_ptr<IndexOrder>* out) {
  auto order = std::make_unique<IndexOrder>();
  XBASE_RETURN_IF_ERROR(Expression::compile(keyExpr, fields, alias, &order->m_key));
  if (!forExpr.empty()) {
    XBASE_RETURN_IF_ERROR(Expression::compile(forExpr, fields, alias, &order->m_for));
    if (order->m_for->type() != Value::Type::Logical)
      return Status::invalidArgument("FOR condition '" + forExpr + "' is not a logical expression");
  }
  order->m_keyType = order->m_key->type();
  uint16_t natural = 0;
  switch (order->m_keyType) {
    case Value::Type::Character:
      if (order->m_key->width() < 1 || order->m_key->width() > kMaxKeyLength)
        return Status::invalidArgument("key expression '" + keyExpr + "' gives keys of " +
                                       std::to_string(order->m_key->width()) +
                                       " characters (1 to 240 allowed)");
      natural = static_cast<uint16_t>(order->m_key->width());
      break;
    case Value::Type::Numeric: natural = keyLength == 4 ? 4 : 8; break;
    case Value::Type::Date: natural = 8; break;
    case Value::Type::Logical: natural = 1; break;
  }
  if (keyLength != 0 && order->m_keyType != Value::Type::Character && keyLength != natural)
    return Status::notSupported("key expression '" + keyExpr + "' does not match the key length " +
                                std::to_string(keyLength));
  order->m_keyLength = keyLength != 0 ? keyLength : natural;
  *out = std::move(order);
  return Status::ok();
}

Status IndexOrder::forTag(cdx::Tag& tag, const FieldList& fields, std::string_view alias,
                          const std::string& bagPath, std::unique_ptr<IndexOrder>* out) {
  const cdx::TagInfo& info = tag.info();
  Status st = compile(info.keyExpr, info.forExpr, info.keyLength, fields, alias, out);
  if (!st.isOk())
    return Status::invalidArgument(bagPath + ": tag " + info.name + ": " + st.message());
  (*out)->bind(tag);
  return Status::ok();
}

void IndexOrder::bind(cdx::Tag& tag) {
  m_tag = &tag;
  tag.setFill(fill());
}

bool IndexOrder::includes(const RecordRef& rec) const {
  return !m_for || m_for->evaluateLogical(rec);
}

void IndexOrder::key(const RecordRef& rec, std::string& out) const {
  if (m_keyType == Value::Type::Character) {
    m_key->evaluateKey(rec, m_keyLength, out);
    return;
  }
  out = encodeKey(m_key->evaluate(rec), m_keyLength);
}

Status IndexOrder::seekKey(const Value& value, std::string& out) const {
  if (value.type != m_keyType)
    return Status::invalidArgument("the seek value does not match the key type of tag " + info().name);
  if (m_keyType == Value::Type::Character) {
    out = value.str.substr(0, m_keyLength);
    return Status::ok();
  }
  out = encodeKey(value, m_keyLength);
  return Status::ok();
}

}  // namespace xbase
