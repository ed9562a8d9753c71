#include "xbase/expr/field_node.h"

#include "xbase/expr/field_value.h"

namespace xbase {

namespace {

// The part every field node shares: the field's place in the record and its number.
class FieldRef {
 public:
  FieldRef(const FieldDef& f, int index) : m_field(f), m_index(index) {}
  std::string_view bytes(const RecordRef& rec) const { return fieldBytes(m_field, rec.bytes); }
  const FieldDef& field() const { return m_field; }
  int index() const { return m_index; }

 private:
  FieldDef m_field;
  int m_index;
};

class TextField final : public TextNode {
 public:
  TextField(const FieldDef& f, int index) : TextNode({}), m_ref(f, index) {
    dependsOnRecord();
    setWidth(f.length);
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    std::string_view b = m_ref.bytes(rec);
    buf.append(b);
    buf.append(m_ref.field().length - b.size(), ' ');
  }
  int fieldIndex() const override { return m_ref.index(); }

 private:
  FieldRef m_ref;
};

class NumberField final : public NumberNode {
 public:
  NumberField(const FieldDef& f, int index) : NumberNode({}), m_ref(f, index) {
    dependsOnRecord();
    NumericFormat format = numericFormat(f);
    setWidth(format.width);
    setDecimals(format.decimals);
  }
  double number(const RecordRef& rec, std::string&) const override {
    return numericFieldValue(m_ref.field().type, m_ref.bytes(rec));
  }
  int fieldIndex() const override { return m_ref.index(); }

 private:
  FieldRef m_ref;
};

class DateField final : public DateNode {
 public:
  DateField(const FieldDef& f, int index) : DateNode({}), m_ref(f, index) { dependsOnRecord(); }
  int32_t date(const RecordRef& rec, std::string&) const override {
    return dateFieldValue(m_ref.bytes(rec));
  }
  int fieldIndex() const override { return m_ref.index(); }

 private:
  FieldRef m_ref;
};

class LogicalField final : public LogicalNode {
 public:
  LogicalField(const FieldDef& f, int index) : LogicalNode({}), m_ref(f, index) {
    dependsOnRecord();
  }
  bool logical(const RecordRef& rec, std::string&) const override {
    return logicalFieldValue(m_ref.bytes(rec));
  }
  int fieldIndex() const override { return m_ref.index(); }

 private:
  FieldRef m_ref;
};

}  // namespace

NodePtr buildFieldNode(const FieldList& fields, int index, std::string* error) {
  const FieldDef& f = fields[index];
  std::optional<Value::Type> type = expressionType(f.type);
  if (!type) {
    *error = "unsupported field type " + std::string(1, f.type) + " of field " + f.name;
    return nullptr;
  }
  switch (*type) {
    case Value::Type::Character:
      return std::make_unique<TextField>(f, index);
    case Value::Type::Numeric:
      return std::make_unique<NumberField>(f, index);
    case Value::Type::Date:
      return std::make_unique<DateField>(f, index);
    case Value::Type::Logical:
      return std::make_unique<LogicalField>(f, index);
  }
  return nullptr;
}

}  // namespace xbase
