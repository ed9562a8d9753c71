#include <algorithm>
#include <cmath>

#include "xbase/expr/number_text.h"
#include "xbase/expr/operators.h"

namespace xbase {

namespace {

// Most days a date may move; keeps date arithmetic far from integer overflow.
constexpr int kMaxDays = 100'000'000;

std::string_view symbol(ArithmeticOp op) {
  switch (op) {
    case ArithmeticOp::Add:
      return "+";
    case ArithmeticOp::Subtract:
      return "-";
    case ArithmeticOp::Multiply:
      return "*";
    case ArithmeticOp::Divide:
      return "/";
    case ArithmeticOp::Modulo:
      return "%";
  }
  return "?";
}

class NumberArithmetic final : public NumberNode {
 public:
  NumberArithmetic(ArithmeticOp op, std::unique_ptr<NumberNode> left,
                   std::unique_ptr<NumberNode> right)
      : NumberNode({left.get(), right.get()}),
        m_op(op),
        m_left(std::move(left)),
        m_right(std::move(right)) {
    setDecimals(std::max(m_left->decimals(), m_right->decimals()));
  }
  double number(const RecordRef& rec, std::string& buf) const override {
    double a = m_left->number(rec, buf);
    double b = m_right->number(rec, buf);
    switch (m_op) {
      case ArithmeticOp::Add:
        return a + b;
      case ArithmeticOp::Subtract:
        return a - b;
      case ArithmeticOp::Multiply:
        return a * b;
      // Division by zero yields 0, as xBase runtimes do by default.
      case ArithmeticOp::Divide:
        return b == 0 ? 0 : a / b;
      case ArithmeticOp::Modulo:
        return b == 0 ? 0 : std::fmod(a, b);
    }
    return 0;
  }

 private:
  ArithmeticOp m_op;
  std::unique_ptr<NumberNode> m_left, m_right;
};

class Negate final : public NumberNode {
 public:
  explicit Negate(std::unique_ptr<NumberNode> operand)
      : NumberNode({operand.get()}), m_operand(std::move(operand)) {
    setDecimals(m_operand->decimals());
  }
  double number(const RecordRef& rec, std::string& buf) const override {
    return -m_operand->number(rec, buf);
  }

 private:
  std::unique_ptr<NumberNode> m_operand;
};

// Text + text.
class Concat final : public TextNode {
 public:
  Concat(std::unique_ptr<TextNode> left, std::unique_ptr<TextNode> right)
      : TextNode({left.get(), right.get()}), m_left(std::move(left)), m_right(std::move(right)) {
    setWidth(m_left->width() + m_right->width());
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    m_left->append(rec, buf);
    m_right->append(rec, buf);
  }

 private:
  std::unique_ptr<TextNode> m_left, m_right;
};

// Text - text: concatenation with the left text's trailing blanks moved to the end.
class ConcatBlanksLast final : public TextNode {
 public:
  ConcatBlanksLast(std::unique_ptr<TextNode> left, std::unique_ptr<TextNode> right)
      : TextNode({left.get(), right.get()}), m_left(std::move(left)), m_right(std::move(right)) {
    setWidth(m_left->width() + m_right->width());
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    size_t mark = buf.size();
    m_left->append(rec, buf);
    size_t end = buf.size();
    while (end > mark && buf[end - 1] == ' ') --end;
    size_t blanks = buf.size() - end;
    buf.resize(end);
    m_right->append(rec, buf);
    buf.append(blanks, ' ');
  }

 private:
  std::unique_ptr<TextNode> m_left, m_right;
};

// Date +/- days; the day count is truncated to whole days.
class DateShift final : public DateNode {
 public:
  DateShift(std::unique_ptr<DateNode> date, std::unique_ptr<NumberNode> days, bool subtract)
      : DateNode({date.get(), days.get()}),
        m_date(std::move(date)),
        m_days(std::move(days)),
        m_subtract(subtract) {}
  int32_t date(const RecordRef& rec, std::string& buf) const override {
    int64_t days = clampToInt(m_days->number(rec, buf), kMaxDays);
    int64_t d = m_date->date(rec, buf) + (m_subtract ? -days : days);
    return static_cast<int32_t>(std::clamp<int64_t>(d, -kMaxDays, kMaxDays));
  }

 private:
  std::unique_ptr<DateNode> m_date;
  std::unique_ptr<NumberNode> m_days;
  bool m_subtract;
};

// Date - date: days between.
class DateDifference final : public NumberNode {
 public:
  DateDifference(std::unique_ptr<DateNode> left, std::unique_ptr<DateNode> right)
      : NumberNode({left.get(), right.get()}), m_left(std::move(left)), m_right(std::move(right)) {}
  double number(const RecordRef& rec, std::string& buf) const override {
    return static_cast<double>(m_left->date(rec, buf)) - m_right->date(rec, buf);
  }

 private:
  std::unique_ptr<DateNode> m_left, m_right;
};

}  // namespace

NodePtr buildArithmetic(ArithmeticOp op, NodePtr left, NodePtr right, std::string* error) {
  using T = Value::Type;
  T lt = left->type(), rt = right->type();
  bool add = op == ArithmeticOp::Add, subtract = op == ArithmeticOp::Subtract;
  if (lt == T::Numeric && rt == T::Numeric)
    return std::make_unique<NumberArithmetic>(op, nodeAs<NumberNode>(std::move(left)),
                                              nodeAs<NumberNode>(std::move(right)));
  if (lt == T::Character && rt == T::Character && add)
    return std::make_unique<Concat>(nodeAs<TextNode>(std::move(left)),
                                    nodeAs<TextNode>(std::move(right)));
  if (lt == T::Character && rt == T::Character && subtract)
    return std::make_unique<ConcatBlanksLast>(nodeAs<TextNode>(std::move(left)),
                                              nodeAs<TextNode>(std::move(right)));
  if (lt == T::Date && rt == T::Numeric && (add || subtract))
    return std::make_unique<DateShift>(nodeAs<DateNode>(std::move(left)),
                                       nodeAs<NumberNode>(std::move(right)), subtract);
  if (lt == T::Numeric && rt == T::Date && add)
    return std::make_unique<DateShift>(nodeAs<DateNode>(std::move(right)),
                                       nodeAs<NumberNode>(std::move(left)), false);
  if (lt == T::Date && rt == T::Date && subtract)
    return std::make_unique<DateDifference>(nodeAs<DateNode>(std::move(left)),
                                            nodeAs<DateNode>(std::move(right)));
  *error = "operator " + std::string(symbol(op)) + " cannot combine " + typePair(*left, *right);
  return nullptr;
}

NodePtr buildSign(bool negate, NodePtr operand, std::string* error) {
  if (operand->type() != Value::Type::Numeric) {
    *error = std::string("unary ") + (negate ? "-" : "+") + " needs a numeric operand, not " +
             std::string(typeName(operand->type()));
    return nullptr;
  }
  if (!negate) return operand;
  return std::make_unique<Negate>(nodeAs<NumberNode>(std::move(operand)));
}

}  // namespace xbase
