#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace xbase {

enum class TokenKind {
  End,
  Number,      // 12, 1.5, .5
  String,      // "x", 'x', [x]; text holds the bytes between the delimiters
  Identifier,  // field, alias or function name
  True,        // .T. .Y.
  False,       // .F. .N.
  Arrow,       // ->
  LeftParen,
  RightParen,
  Comma,
  Plus,
  Minus,
  Star,
  Slash,
  Percent,
  Equal,       // =
  ExactEqual,  // ==
  NotEqual,    // != <> #
  Less,
  LessEqual,
  Greater,
  GreaterEqual,
  Dollar,  // $ (contained in)
  Not,     // ! .NOT.
  And,     // .AND.
  Or,      // .OR.
  Error,   // text is what is wrong
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::string_view text;  // the token as written (String: its contents)
  size_t pos = 0;         // offset in the expression text
  std::string error;      // Error: what is wrong
};

// Splits an expression text into tokens, one at a time.
class Lexer {
 public:
  explicit Lexer(std::string_view text) : m_text(text) {}
  Token next();

 private:
  Token make(TokenKind kind, size_t start, size_t length);
  Token number(size_t start);
  Token dotted(size_t start);
  Token string(size_t start, char close);

  std::string_view m_text;
  size_t m_pos = 0;
};

}  // namespace xbase
