#pragma once

#include <string>

#include "xbase/expr/node.h"

namespace xbase {

// Builders of the operator nodes. Each checks the operand types and returns null with
// *error set when they do not fit the operator.

enum class ArithmeticOp { Add, Subtract, Multiply, Divide, Modulo };
// + - on numbers, texts (concatenation) and dates; * / % on numbers.
NodePtr buildArithmetic(ArithmeticOp op, NodePtr left, NodePtr right, std::string* error);
// Unary minus (negate) or plus on a number.
NodePtr buildSign(bool negate, NodePtr operand, std::string* error);

enum class CompareOp {
  Equal,
  ExactEqual,
  NotEqual,
  Less,
  LessEqual,
  Greater,
  GreaterEqual,
  Contains
};
// Comparison of two values of one type; Contains ($) on texts only.
NodePtr buildComparison(CompareOp op, NodePtr left, NodePtr right, std::string* error);

enum class LogicOp { And, Or };
NodePtr buildLogic(LogicOp op, NodePtr left, NodePtr right, std::string* error);
NodePtr buildNot(NodePtr operand, std::string* error);

}  // namespace xbase
