#include "xbase/expr/parser.h"

#include <strings.h>

#include <optional>
#include <string>
#include <vector>

#include "xbase/expr/field_node.h"
#include "xbase/expr/functions.h"
#include "xbase/expr/lexer.h"
#include "xbase/expr/literal_node.h"
#include "xbase/expr/operators.h"

namespace xbase {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::optional<CompareOp> compareOp(TokenKind kind) {
  switch (kind) {
    case TokenKind::Equal:
      return CompareOp::Equal;
    case TokenKind::ExactEqual:
      return CompareOp::ExactEqual;
    case TokenKind::NotEqual:
      return CompareOp::NotEqual;
    case TokenKind::Less:
      return CompareOp::Less;
    case TokenKind::LessEqual:
      return CompareOp::LessEqual;
    case TokenKind::Greater:
      return CompareOp::Greater;
    case TokenKind::GreaterEqual:
      return CompareOp::GreaterEqual;
    case TokenKind::Dollar:
      return CompareOp::Contains;
    default:
      return std::nullopt;
  }
}

// Recursive descent over the xBase operator precedence, loosest first:
// .OR. / .AND. / .NOT. / comparisons and $ / + - / * / % / unary + - / operands.
// Every parse function returns null once an error is recorded; the first error wins.
class Parser {
 public:
  Parser(std::string_view text, const FieldList& fields, std::string_view alias)
      : m_text(text), m_fields(fields), m_alias(alias), m_lexer(text) {
    advance();
  }

  Status run(NodePtr* out) {
    if (m_token.kind == TokenKind::End) return error(0, "the expression is empty");
    NodePtr root = parseOr();
    if (root && m_token.kind != TokenKind::End) unexpected();
    if (!root || !m_error.empty()) return error(m_errorPos, m_error);
    *out = std::move(root);
    return Status::ok();
  }

 private:
  // Counts the nesting of sub-expressions and unary operators while one is parsed.
  class Nesting {
   public:
    explicit Nesting(int& depth) : m_depth(++depth) {}
    ~Nesting() { --m_depth; }
    bool tooDeep() const { return m_depth > kMaxDepth; }

   private:
    int& m_depth;
  };

  void advance() { m_token = m_lexer.next(); }

  NodePtr fail(size_t pos, std::string what) {
    if (m_error.empty()) {
      m_error = std::move(what);
      m_errorPos = pos;
    }
    return nullptr;
  }

  NodePtr unexpected() {
    if (m_token.kind == TokenKind::Error) return fail(m_token.pos, m_token.error);
    if (m_token.kind == TokenKind::End) return fail(m_token.pos, "unexpected end of expression");
    return fail(m_token.pos, "unexpected '" + std::string(m_token.text) + "'");
  }

  Status error(size_t pos, const std::string& what) const {
    return Status::invalidArgument("expression \"" + std::string(m_text) + "\": " + what +
                                   " (at position " + std::to_string(pos + 1) + ")");
  }

  // Accepts a freshly built node, or records why it could not be built.
  NodePtr accept(NodePtr node, const std::string& error, size_t pos) {
    if (!node) return fail(pos, error);
    if (node->depth() > kMaxDepth) return fail(pos, "the expression is nested too deeply");
    if (node->type() == Value::Type::Character && node->width() > kMaxTextLength)
      return fail(pos,
                  "the text result is longer than " + std::to_string(kMaxTextLength) + " bytes");
    return node;
  }

  NodePtr parseOr() {
    Nesting nesting(m_nesting);
    if (nesting.tooDeep()) return fail(m_token.pos, "the expression is nested too deeply");
    NodePtr left = parseAnd();
    while (left && m_token.kind == TokenKind::Or) {
      size_t pos = m_token.pos;
      advance();
      NodePtr right = parseAnd();
      if (!right) return nullptr;
      std::string error;
      left = accept(buildLogic(LogicOp::Or, std::move(left), std::move(right), &error), error, pos);
    }
    return left;
  }

  NodePtr parseAnd() {
    NodePtr left = parseNot();
    while (left && m_token.kind == TokenKind::And) {
      size_t pos = m_token.pos;
      advance();
      NodePtr right = parseNot();
      if (!right) return nullptr;
      std::string error;
      left =
          accept(buildLogic(LogicOp::And, std::move(left), std::move(right), &error), error, pos);
    }
    return left;
  }

  NodePtr parseNot() {
    if (m_token.kind != TokenKind::Not) return parseComparison();
    Nesting nesting(m_nesting);
    size_t pos = m_token.pos;
    if (nesting.tooDeep()) return fail(pos, "the expression is nested too deeply");
    advance();
    NodePtr operand = parseNot();
    if (!operand) return nullptr;
    std::string error;
    return accept(buildNot(std::move(operand), &error), error, pos);
  }

  NodePtr parseComparison() {
    NodePtr left = parseSum();
    while (left) {
      std::optional<CompareOp> op = compareOp(m_token.kind);
      if (!op) break;
      size_t pos = m_token.pos;
      advance();
      NodePtr right = parseSum();
      if (!right) return nullptr;
      std::string error;
      left = accept(buildComparison(*op, std::move(left), std::move(right), &error), error, pos);
    }
    return left;
  }

  NodePtr parseSum() {
    NodePtr left = parseProduct();
    while (left && (m_token.kind == TokenKind::Plus || m_token.kind == TokenKind::Minus)) {
      ArithmeticOp op =
          m_token.kind == TokenKind::Plus ? ArithmeticOp::Add : ArithmeticOp::Subtract;
      size_t pos = m_token.pos;
      advance();
      NodePtr right = parseProduct();
      if (!right) return nullptr;
      std::string error;
      left = accept(buildArithmetic(op, std::move(left), std::move(right), &error), error, pos);
    }
    return left;
  }

  NodePtr parseProduct() {
    NodePtr left = parseSign();
    while (left) {
      ArithmeticOp op;
      if (m_token.kind == TokenKind::Star)
        op = ArithmeticOp::Multiply;
      else if (m_token.kind == TokenKind::Slash)
        op = ArithmeticOp::Divide;
      else if (m_token.kind == TokenKind::Percent)
        op = ArithmeticOp::Modulo;
      else
        break;
      size_t pos = m_token.pos;
      advance();
      NodePtr right = parseSign();
      if (!right) return nullptr;
      std::string error;
      left = accept(buildArithmetic(op, std::move(left), std::move(right), &error), error, pos);
    }
    return left;
  }

  NodePtr parseSign() {
    if (m_token.kind != TokenKind::Plus && m_token.kind != TokenKind::Minus) return parseOperand();
    Nesting nesting(m_nesting);
    size_t pos = m_token.pos;
    if (nesting.tooDeep()) return fail(pos, "the expression is nested too deeply");
    bool negate = m_token.kind == TokenKind::Minus;
    advance();
    NodePtr operand = parseSign();
    if (!operand) return nullptr;
    std::string error;
    return accept(buildSign(negate, std::move(operand), &error), error, pos);
  }

  NodePtr parseOperand() {
    Token t = m_token;
    switch (t.kind) {
      case TokenKind::Number:
        advance();
        return accept(makeNumberLiteral(t.text),
                      "the number " + std::string(t.text) + " is too large", t.pos);
      case TokenKind::String:
        advance();
        return accept(makeTextLiteral(t.text), {}, t.pos);
      case TokenKind::True:
        advance();
        return makeLogicalLiteral(true);
      case TokenKind::False:
        advance();
        return makeLogicalLiteral(false);
      case TokenKind::Identifier:
        advance();
        return parseName(t);
      case TokenKind::LeftParen: {
        advance();
        NodePtr inner = parseOr();
        if (!inner) return nullptr;
        if (m_token.kind != TokenKind::RightParen) return fail(m_token.pos, "')' expected");
        advance();
        return inner;
      }
      default:
        return unexpected();
    }
  }

  // A field (NAME, alias->NAME, FIELD->NAME, _FIELD->NAME) or a function call NAME(...).
  NodePtr parseName(const Token& name) {
    if (m_token.kind == TokenKind::LeftParen) return parseCall(name);
    if (m_token.kind != TokenKind::Arrow) return fieldNode(name);
    if (!equalsNoCase(name.text, m_alias) && !equalsNoCase(name.text, "FIELD") &&
        !equalsNoCase(name.text, "_FIELD"))
      return fail(name.pos, "unknown alias " + std::string(name.text));
    advance();
    Token field = m_token;
    if (field.kind != TokenKind::Identifier) return fail(field.pos, "field name expected after ->");
    advance();
    return fieldNode(field);
  }

  NodePtr fieldNode(const Token& name) {
    int index = findField(m_fields, name.text);
    if (index < 0) return fail(name.pos, "unknown field " + std::string(name.text));
    std::string error;
    return accept(buildFieldNode(m_fields, index, &error), error, name.pos);
  }

  NodePtr parseCall(const Token& name) {
    advance();  // (
    std::vector<NodePtr> args;
    if (m_token.kind == TokenKind::RightParen) {
      advance();
    } else {
      while (true) {
        NodePtr arg = parseOr();
        if (!arg) return nullptr;
        args.push_back(std::move(arg));
        if (m_token.kind == TokenKind::RightParen) break;
        if (m_token.kind != TokenKind::Comma) return fail(m_token.pos, "',' or ')' expected");
        advance();
      }
      advance();
    }
    std::string error;
    return accept(buildFunction(name.text, std::move(args), &error), error, name.pos);
  }

  std::string_view m_text;
  const FieldList& m_fields;
  std::string_view m_alias;
  Lexer m_lexer;
  Token m_token;
  int m_nesting = 0;
  std::string m_error;
  size_t m_errorPos = 0;
};

}  // namespace

Status parseExpression(std::string_view text, const FieldList& fields, std::string_view alias,
                       NodePtr* out) {
  return Parser(text, fields, alias).run(out);
}

}  // namespace xbase
