#include <algorithm>
#include <cstring>

#include "xbase/expr/operators.h"

namespace xbase {

namespace {

std::string_view symbol(CompareOp op) {
  switch (op) {
    case CompareOp::Equal:
      return "=";
    case CompareOp::ExactEqual:
      return "==";
    case CompareOp::NotEqual:
      return "<>";
    case CompareOp::Less:
      return "<";
    case CompareOp::LessEqual:
      return "<=";
    case CompareOp::Greater:
      return ">";
    case CompareOp::GreaterEqual:
      return ">=";
    case CompareOp::Contains:
      return "$";
  }
  return "?";
}

// The outcome of a comparison from the three-way result.
bool holds(CompareOp op, int cmp) {
  switch (op) {
    case CompareOp::Equal:
    case CompareOp::ExactEqual:
      return cmp == 0;
    case CompareOp::NotEqual:
      return cmp != 0;
    case CompareOp::Less:
      return cmp < 0;
    case CompareOp::LessEqual:
      return cmp <= 0;
    case CompareOp::Greater:
      return cmp > 0;
    case CompareOp::GreaterEqual:
      return cmp >= 0;
    case CompareOp::Contains:
      break;
  }
  return false;
}

// Text comparison as xBase makes it with EXACT off: when the right text is the shorter
// one, only its length is compared ("abc" = "ab" holds, "ab" = "abc" does not, anything
// = "" holds). `exact` (the == operator) compares whole texts. Bytes compare unsigned.
int compareText(std::string_view left, std::string_view right, bool exact) {
  size_t common = std::min(left.size(), right.size());
  if (int c = std::memcmp(left.data(), right.data(), common); c != 0) return c < 0 ? -1 : 1;
  if (left.size() == right.size()) return 0;
  if (left.size() < right.size()) return -1;
  return exact ? 1 : 0;
}

class TextComparison final : public LogicalNode {
 public:
  TextComparison(CompareOp op, std::unique_ptr<TextNode> left, std::unique_ptr<TextNode> right)
      : LogicalNode({left.get(), right.get()}),
        m_op(op),
        m_left(std::move(left)),
        m_right(std::move(right)) {}
  bool logical(const RecordRef& rec, std::string& buf) const override {
    size_t mark = buf.size();
    m_left->append(rec, buf);
    size_t middle = buf.size();
    m_right->append(rec, buf);
    std::string_view all(buf);
    std::string_view left = all.substr(mark, middle - mark), right = all.substr(middle);
    bool result = m_op == CompareOp::Contains
                      ? !left.empty() && right.find(left) != std::string_view::npos
                      : holds(m_op, compareText(left, right, m_op == CompareOp::ExactEqual));
    buf.resize(mark);
    return result;
  }

 private:
  CompareOp m_op;
  std::unique_ptr<TextNode> m_left, m_right;
};

double valueOf(const NumberNode& n, const RecordRef& rec, std::string& buf) {
  return n.number(rec, buf);
}
int32_t valueOf(const DateNode& n, const RecordRef& rec, std::string& buf) {
  return n.date(rec, buf);
}
bool valueOf(const LogicalNode& n, const RecordRef& rec, std::string& buf) {
  return n.logical(rec, buf);
}

// Comparison of numbers, dates (Julian days, the empty date first) or logicals (.F. < .T.).
template <class Operand>
class ValueComparison final : public LogicalNode {
 public:
  ValueComparison(CompareOp op, std::unique_ptr<Operand> left, std::unique_ptr<Operand> right)
      : LogicalNode({left.get(), right.get()}),
        m_op(op),
        m_left(std::move(left)),
        m_right(std::move(right)) {}
  bool logical(const RecordRef& rec, std::string& buf) const override {
    auto a = valueOf(*m_left, rec, buf);
    auto b = valueOf(*m_right, rec, buf);
    return holds(m_op, a < b ? -1 : (b < a ? 1 : 0));
  }

 private:
  CompareOp m_op;
  std::unique_ptr<Operand> m_left, m_right;
};

template <class Operand>
NodePtr makeValueComparison(CompareOp op, NodePtr left, NodePtr right) {
  return std::make_unique<ValueComparison<Operand>>(op, nodeAs<Operand>(std::move(left)),
                                                    nodeAs<Operand>(std::move(right)));
}

}  // namespace

NodePtr buildComparison(CompareOp op, NodePtr left, NodePtr right, std::string* error) {
  Value::Type type = left->type();
  if (type != right->type() || (op == CompareOp::Contains && type != Value::Type::Character)) {
    *error = "operator " + std::string(symbol(op)) + " cannot compare " + typePair(*left, *right);
    return nullptr;
  }
  switch (type) {
    case Value::Type::Character:
      return std::make_unique<TextComparison>(op, nodeAs<TextNode>(std::move(left)),
                                              nodeAs<TextNode>(std::move(right)));
    case Value::Type::Numeric:
      return makeValueComparison<NumberNode>(op, std::move(left), std::move(right));
    case Value::Type::Date:
      return makeValueComparison<DateNode>(op, std::move(left), std::move(right));
    case Value::Type::Logical:
      return makeValueComparison<LogicalNode>(op, std::move(left), std::move(right));
  }
  return nullptr;
}

}  // namespace xbase
