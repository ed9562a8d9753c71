#include "xbase/expr/node.h"

#include <algorithm>

namespace xbase {

Node::Node(Value::Type type, std::initializer_list<const Node*> children) : m_type(type) {
  for (const Node* child : children) {
    if (!child) continue;
    m_depth = std::max(m_depth, child->depth() + 1);
    m_constant = m_constant && child->isConstant();
  }
}

Value evaluateNode(const Node& node, const RecordRef& rec, std::string& buf) {
  Value v;
  v.type = node.type();
  switch (node.type()) {
    case Value::Type::Character:
      static_cast<const TextNode&>(node).append(rec, v.str);
      break;
    case Value::Type::Numeric: {
      const auto& n = static_cast<const NumberNode&>(node);
      v.num = n.number(rec, buf);
      v.width = n.width();
      v.decimals = n.decimalsFor(rec, buf);
      break;
    }
    case Value::Type::Date:
      v.date = static_cast<const DateNode&>(node).date(rec, buf);
      break;
    case Value::Type::Logical:
      v.log = static_cast<const LogicalNode&>(node).logical(rec, buf);
      break;
  }
  return v;
}

std::optional<double> constantNumber(const Node& node) {
  if (!node.isConstant() || node.type() != Value::Type::Numeric) return std::nullopt;
  std::string buf;
  return static_cast<const NumberNode&>(node).number(RecordRef{}, buf);
}

std::string_view typeName(Value::Type type) {
  switch (type) {
    case Value::Type::Character:
      return "character";
    case Value::Type::Numeric:
      return "numeric";
    case Value::Type::Date:
      return "date";
    case Value::Type::Logical:
      return "logical";
  }
  return "?";
}

std::string typePair(const Node& left, const Node& right) {
  return std::string(typeName(left.type())) + " and " + std::string(typeName(right.type()));
}

}  // namespace xbase
