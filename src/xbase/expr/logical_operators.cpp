#include "xbase/expr/operators.h"

namespace xbase {

namespace {

// .AND. / .OR.; the right operand is evaluated only when it decides.
class Logic final : public LogicalNode {
 public:
  Logic(LogicOp op, std::unique_ptr<LogicalNode> left, std::unique_ptr<LogicalNode> right)
      : LogicalNode({left.get(), right.get()}),
        m_or(op == LogicOp::Or),
        m_left(std::move(left)),
        m_right(std::move(right)) {}
  bool logical(const RecordRef& rec, std::string& buf) const override {
    bool a = m_left->logical(rec, buf);
    return a == m_or ? a : m_right->logical(rec, buf);
  }

 private:
  bool m_or;
  std::unique_ptr<LogicalNode> m_left, m_right;
};

class Not final : public LogicalNode {
 public:
  explicit Not(std::unique_ptr<LogicalNode> operand)
      : LogicalNode({operand.get()}), m_operand(std::move(operand)) {}
  bool logical(const RecordRef& rec, std::string& buf) const override {
    return !m_operand->logical(rec, buf);
  }

 private:
  std::unique_ptr<LogicalNode> m_operand;
};

}  // namespace

NodePtr buildLogic(LogicOp op, NodePtr left, NodePtr right, std::string* error) {
  if (left->type() != Value::Type::Logical || right->type() != Value::Type::Logical) {
    *error = std::string(op == LogicOp::And ? ".AND." : ".OR.") + " needs logical operands, not " +
             typePair(*left, *right);
    return nullptr;
  }
  return std::make_unique<Logic>(op, nodeAs<LogicalNode>(std::move(left)),
                                 nodeAs<LogicalNode>(std::move(right)));
}

NodePtr buildNot(NodePtr operand, std::string* error) {
  if (operand->type() != Value::Type::Logical) {
    *error = ".NOT. needs a logical operand, not " + std::string(typeName(operand->type()));
    return nullptr;
  }
  return std::make_unique<Not>(nodeAs<LogicalNode>(std::move(operand)));
}

}  // namespace xbase
