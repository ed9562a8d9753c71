#pragma once

#include <memory>
#include <string>

#include "xbase/cdx/cdx_file.h"
#include "xbase/expr/expression.h"

namespace xbase {

// The compiled key and FOR expressions of one index tag: turns a record into the key
// bytes the tag stores. Bound to its tag once the tag exists.
class IndexOrder {
 public:
  // Compiles the expressions against the table's fields. keyLength 0 derives the length
  // from the expression (a new tag); otherwise the expression must fit that length.
  static Status compile(const std::string& keyExpr, const std::string& forExpr, uint16_t keyLength,
                        const FieldList& fields, std::string_view alias,
                        std::unique_ptr<IndexOrder>* out);
  // Compiles the expressions an existing tag stores and binds the order to it. `bagPath`
  // names the index file in error messages.
  static Status forTag(cdx::Tag& tag, const FieldList& fields, std::string_view alias,
                       const std::string& bagPath, std::unique_ptr<IndexOrder>* out);
  void bind(cdx::Tag& tag);

  cdx::Tag& tag() const { return *m_tag; }
  const cdx::TagInfo& info() const { return m_tag->info(); }
  Value::Type keyType() const { return m_keyType; }
  uint16_t keyLength() const { return m_keyLength; }
  char fill() const { return m_keyType == Value::Type::Character ? ' ' : '\0'; }
  bool descending() const { return info().descending; }
  // Whether the record belongs in the tag (its FOR condition holds).
  bool includes(const RecordRef& rec) const;
  // The key bytes of the record, exactly keyLength() bytes.
  void key(const RecordRef& rec, std::string& out) const;
  // The bytes a seek value stands for: a character value is cut to the key length but not
  // padded (a prefix); other values are encoded like keys.
  Status seekKey(const Value& value, std::string& out) const;

 private:
  cdx::Tag* m_tag = nullptr;
  std::unique_ptr<Expression> m_key;
  std::unique_ptr<Expression> m_for;
  Value::Type m_keyType = Value::Type::Character;
  uint16_t m_keyLength = 0;
};

// Key bytes of a non-character value for a key of this length.
std::string encodeKey(const Value& value, uint16_t keyLength);

}  // namespace xbase
