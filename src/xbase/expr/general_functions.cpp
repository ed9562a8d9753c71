#include <algorithm>
#include <type_traits>

#include "xbase/expr/function_builders.h"

namespace xbase {

namespace {

// IIF(condition, a, b): only the chosen branch is evaluated. A text result is as wide as
// the wider branch.
template <class Base>
class Choice : public Base {
 public:
  using Operand = Base;
  Choice(std::unique_ptr<LogicalNode> condition, std::unique_ptr<Base> a, std::unique_ptr<Base> b)
      : Base({condition.get(), a.get(), b.get()}),
        m_condition(std::move(condition)),
        m_a(std::move(a)),
        m_b(std::move(b)) {
    if constexpr (std::is_same_v<Base, TextNode>)
      this->setWidth(std::max(m_a->width(), m_b->width()));
    this->setDecimals(std::max(m_a->decimals(), m_b->decimals()));
  }

 protected:
  const Base& pick(const RecordRef& rec, std::string& buf) const {
    return m_condition->logical(rec, buf) ? *m_a : *m_b;
  }

 private:
  std::unique_ptr<LogicalNode> m_condition;
  std::unique_ptr<Base> m_a, m_b;
};

class TextChoice final : public Choice<TextNode> {
 public:
  using Choice::Choice;
  void append(const RecordRef& rec, std::string& buf) const override {
    pick(rec, buf).append(rec, buf);
  }
};

class NumberChoice final : public Choice<NumberNode> {
 public:
  using Choice::Choice;
  double number(const RecordRef& rec, std::string& buf) const override {
    return pick(rec, buf).number(rec, buf);
  }
};

class DateChoice final : public Choice<DateNode> {
 public:
  using Choice::Choice;
  int32_t date(const RecordRef& rec, std::string& buf) const override {
    return pick(rec, buf).date(rec, buf);
  }
};

class LogicalChoice final : public Choice<LogicalNode> {
 public:
  using Choice::Choice;
  bool logical(const RecordRef& rec, std::string& buf) const override {
    return pick(rec, buf).logical(rec, buf);
  }
};

template <class C>
NodePtr makeChoice(FunctionArgs& args) {
  using Operand = typename C::Operand;
  return std::make_unique<C>(nodeAs<LogicalNode>(std::move(args[0])),
                             nodeAs<Operand>(std::move(args[1])),
                             nodeAs<Operand>(std::move(args[2])));
}

// EMPTY: blank text (blanks, tabs, line breaks), zero, the empty date, .F.
class Empty final : public LogicalNode {
 public:
  explicit Empty(NodePtr value) : LogicalNode({value.get()}), m_value(std::move(value)) {}
  bool logical(const RecordRef& rec, std::string& buf) const override {
    switch (m_value->type()) {
      case Value::Type::Character: {
        size_t mark = buf.size();
        static_cast<const TextNode&>(*m_value).append(rec, buf);
        bool empty = buf.find_first_not_of(" \t\r\n", mark) == std::string::npos;
        buf.resize(mark);
        return empty;
      }
      case Value::Type::Numeric:
        return static_cast<const NumberNode&>(*m_value).number(rec, buf) == 0;
      case Value::Type::Date:
        return static_cast<const DateNode&>(*m_value).date(rec, buf) == 0;
      case Value::Type::Logical:
        return !static_cast<const LogicalNode&>(*m_value).logical(rec, buf);
    }
    return false;
  }

 private:
  NodePtr m_value;
};

class Deleted final : public LogicalNode {
 public:
  Deleted() : LogicalNode({}) { dependsOnRecord(); }
  bool logical(const RecordRef& rec, std::string&) const override {
    return !rec.bytes.empty() && rec.bytes[0] == '*';
  }
};

class Recno final : public NumberNode {
 public:
  Recno() : NumberNode({}) { dependsOnRecord(); }
  double number(const RecordRef& rec, std::string&) const override { return rec.recno; }
};

}  // namespace

NodePtr buildIif(FunctionArgs& args, std::string* error) {
  if (args[1]->type() != args[2]->type()) {
    *error = "the branches of IIF() must have one type, not " + typePair(*args[1], *args[2]);
    return nullptr;
  }
  switch (args[1]->type()) {
    case Value::Type::Character:
      return makeChoice<TextChoice>(args);
    case Value::Type::Numeric:
      return makeChoice<NumberChoice>(args);
    case Value::Type::Date:
      return makeChoice<DateChoice>(args);
    case Value::Type::Logical:
      return makeChoice<LogicalChoice>(args);
  }
  return nullptr;
}

NodePtr buildEmpty(FunctionArgs& args, std::string*) {
  return std::make_unique<Empty>(std::move(args[0]));
}

NodePtr buildDeleted(FunctionArgs&, std::string*) {
  return std::make_unique<Deleted>();
}

NodePtr buildRecno(FunctionArgs&, std::string*) {
  return std::make_unique<Recno>();
}

}  // namespace xbase
