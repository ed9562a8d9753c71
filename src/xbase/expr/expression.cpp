#include "xbase/expr/expression.h"

#include "xbase/expr/node.h"
#include "xbase/expr/parser.h"

namespace xbase {

Expression::Expression(std::string_view text, std::unique_ptr<Node> root)
    : m_text(text), m_root(std::move(root)) {}

Expression::~Expression() = default;

Status Expression::compile(std::string_view text, const FieldList& fields, std::string_view alias,
                           std::unique_ptr<Expression>* out) {
  NodePtr root;
  XBASE_RETURN_IF_ERROR(parseExpression(text, fields, alias, &root));
  out->reset(new Expression(text, std::move(root)));
  return Status::ok();
}

Value::Type Expression::type() const {
  return m_root->type();
}

int Expression::width() const {
  return m_root->type() == Value::Type::Character ? m_root->width() : 0;
}

Value Expression::evaluate(const RecordRef& rec) const {
  std::string scratch;
  return evaluateNode(*m_root, rec, scratch);
}

void Expression::evaluateKey(const RecordRef& rec, size_t length, std::string& out) const {
  out.clear();
  if (m_root->type() == Value::Type::Character)
    static_cast<const TextNode&>(*m_root).append(rec, out);
  out.resize(length, ' ');
}

bool Expression::evaluateLogical(const RecordRef& rec) const {
  if (m_root->type() != Value::Type::Logical) return false;
  // Scratch space for texts compared inside the condition, kept per thread so that a
  // condition evaluated record after record does not allocate.
  thread_local std::string scratch;
  scratch.clear();
  return static_cast<const LogicalNode&>(*m_root).logical(rec, scratch);
}

int Expression::plainField() const {
  return m_root->fieldIndex();
}

}  // namespace xbase
