#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "xbase/expr/value.h"

namespace xbase {

// Longest character value an expression builds (xBase strings end at 64 KB).
constexpr int kMaxTextLength = 65535;
// Deepest nesting of an expression tree; bounds the recursion of parsing and evaluation.
constexpr int kMaxDepth = 128;

// One node of a compiled expression. Every node has a static result type; a character
// node also has a static width (the key length of a new tag). Nodes are built once at
// compile time with their field offsets resolved and are evaluated once per record.
//
// Evaluation shares one buffer: a character node appends its result to it, and any node
// may use the bytes past the current end as scratch space, but leaves the buffer as it
// found it. An index key is thus built in place without allocating.
class Node {
 public:
  virtual ~Node() = default;
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  Value::Type type() const { return m_type; }
  // C: static length of the result. N: display width (0 = none of its own).
  int width() const { return m_width; }
  // N: display decimals.
  int decimals() const { return m_decimals; }
  int depth() const { return m_depth; }
  // Whether the value depends on nothing of the record.
  bool isConstant() const { return m_constant; }
  // The field index when the node reads one field as it is, else -1.
  virtual int fieldIndex() const { return -1; }

 protected:
  // `children` may hold nulls for optional arguments left out.
  Node(Value::Type type, std::initializer_list<const Node*> children);
  void setWidth(int width) { m_width = width; }
  void setDecimals(int decimals) { m_decimals = decimals; }
  void dependsOnRecord() { m_constant = false; }

 private:
  Value::Type m_type;
  int m_width = 0;
  int m_decimals = 0;
  int m_depth = 1;
  bool m_constant = true;
};

class TextNode : public Node {
 public:
  static constexpr Value::Type kType = Value::Type::Character;
  virtual void append(const RecordRef& rec, std::string& buf) const = 0;

 protected:
  explicit TextNode(std::initializer_list<const Node*> children) : Node(kType, children) {}
};

class NumberNode : public Node {
 public:
  static constexpr Value::Type kType = Value::Type::Numeric;
  virtual double number(const RecordRef& rec, std::string& buf) const = 0;
  // Display decimals of this record's value; the static ones unless the text decides.
  virtual int decimalsFor(const RecordRef&, std::string&) const { return decimals(); }

 protected:
  explicit NumberNode(std::initializer_list<const Node*> children) : Node(kType, children) {}
};

class DateNode : public Node {
 public:
  static constexpr Value::Type kType = Value::Type::Date;
  // Julian day number, 0 = empty.
  virtual int32_t date(const RecordRef& rec, std::string& buf) const = 0;

 protected:
  explicit DateNode(std::initializer_list<const Node*> children) : Node(kType, children) {}
};

class LogicalNode : public Node {
 public:
  static constexpr Value::Type kType = Value::Type::Logical;
  virtual bool logical(const RecordRef& rec, std::string& buf) const = 0;

 protected:
  explicit LogicalNode(std::initializer_list<const Node*> children) : Node(kType, children) {}
};

using NodePtr = std::unique_ptr<Node>;

// The node as its typed interface (TextNode, NumberNode, ...); null when its type differs.
template <class T>
std::unique_ptr<T> nodeAs(NodePtr node) {
  if (!node || node->type() != T::kType) return nullptr;
  return std::unique_ptr<T>(static_cast<T*>(node.release()));
}

// Evaluates any node into a Value.
Value evaluateNode(const Node& node, const RecordRef& rec, std::string& buf);

// The value of a constant numeric node, nullopt for any other node.
std::optional<double> constantNumber(const Node& node);

// "character", "numeric", "date" or "logical", for messages.
std::string_view typeName(Value::Type type);
// "character and numeric": the types of two operands, for messages.
std::string typePair(const Node& left, const Node& right);

}  // namespace xbase
