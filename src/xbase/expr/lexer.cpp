#include "xbase/expr/lexer.h"

#include <strings.h>

#include <cstdio>

namespace xbase {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct DottedWord {
  const char* word;
  TokenKind kind;
};
constexpr DottedWord kDottedWords[] = {
    {"T", TokenKind::True},  {"Y", TokenKind::True},  {"F", TokenKind::False},
    {"N", TokenKind::False}, {"AND", TokenKind::And}, {"OR", TokenKind::Or},
    {"NOT", TokenKind::Not},
};

}  // namespace

Token Lexer::make(TokenKind kind, size_t start, size_t length) {
  m_pos = start + length;
  Token t;
  t.kind = kind;
  t.text = m_text.substr(start, length);
  t.pos = start;
  return t;
}

Token Lexer::next() {
  while (m_pos < m_text.size() && isSpace(m_text[m_pos])) ++m_pos;
  size_t p = m_pos;
  if (p >= m_text.size()) return make(TokenKind::End, p, 0);
  char c = m_text[p];
  char n = p + 1 < m_text.size() ? m_text[p + 1] : '\0';
  if (isDigit(c) || (c == '.' && isDigit(n))) return number(p);
  if (c == '.') return dotted(p);
  if (isLetter(c)) {
    size_t e = p + 1;
    while (e < m_text.size() && (isLetter(m_text[e]) || isDigit(m_text[e]))) ++e;
    return make(TokenKind::Identifier, p, e - p);
  }
  switch (c) {
    case '"':
    case '\'':
      return string(p, c);
    case '[':
      return string(p, ']');
    case '(':
      return make(TokenKind::LeftParen, p, 1);
    case ')':
      return make(TokenKind::RightParen, p, 1);
    case ',':
      return make(TokenKind::Comma, p, 1);
    case '+':
      return make(TokenKind::Plus, p, 1);
    case '-':
      return n == '>' ? make(TokenKind::Arrow, p, 2) : make(TokenKind::Minus, p, 1);
    case '*':
      return make(TokenKind::Star, p, 1);
    case '/':
      return make(TokenKind::Slash, p, 1);
    case '%':
      return make(TokenKind::Percent, p, 1);
    case '$':
      return make(TokenKind::Dollar, p, 1);
    case '#':
      return make(TokenKind::NotEqual, p, 1);
    case '=':
      return n == '=' ? make(TokenKind::ExactEqual, p, 2) : make(TokenKind::Equal, p, 1);
    case '!':
      return n == '=' ? make(TokenKind::NotEqual, p, 2) : make(TokenKind::Not, p, 1);
    case '<':
      if (n == '=') return make(TokenKind::LessEqual, p, 2);
      if (n == '>') return make(TokenKind::NotEqual, p, 2);
      return make(TokenKind::Less, p, 1);
    case '>':
      return n == '=' ? make(TokenKind::GreaterEqual, p, 2) : make(TokenKind::Greater, p, 1);
    default:
      break;
  }
  Token t = make(TokenKind::Error, p, 1);
  char what[40];
  if (c > ' ' && c < 0x7F)
    std::snprintf(what, sizeof what, "unexpected character '%c'", c);
  else
    std::snprintf(what, sizeof what, "unexpected byte 0x%02X", static_cast<unsigned char>(c));
  t.error = what;
  return t;
}

Token Lexer::number(size_t start) {
  size_t e = start;
  while (e < m_text.size() && isDigit(m_text[e])) ++e;
  if (e + 1 < m_text.size() && m_text[e] == '.' && isDigit(m_text[e + 1])) {
    ++e;
    while (e < m_text.size() && isDigit(m_text[e])) ++e;
  }
  return make(TokenKind::Number, start, e - start);
}

Token Lexer::dotted(size_t start) {
  size_t e = start + 1;
  while (e < m_text.size() && isLetter(m_text[e])) ++e;
  std::string_view word = m_text.substr(start + 1, e - start - 1);
  if (e < m_text.size() && m_text[e] == '.') {
    for (const DottedWord& w : kDottedWords) {
      if (word.size() == std::char_traits<char>::length(w.word) &&
          ::strncasecmp(word.data(), w.word, word.size()) == 0)
        return make(w.kind, start, e + 1 - start);
    }
  }
  size_t length = e - start + (e < m_text.size() && m_text[e] == '.' ? 1 : 0);
  Token t = make(TokenKind::Error, start, length);
  t.error = "unknown operator '" + std::string(t.text) + "'";
  return t;
}

Token Lexer::string(size_t start, char close) {
  size_t end = m_text.find(close, start + 1);
  if (end == std::string_view::npos) {
    Token t = make(TokenKind::Error, start, m_text.size() - start);
    t.error = "string not closed";
    return t;
  }
  Token t = make(TokenKind::String, start, end + 1 - start);
  t.text = m_text.substr(start + 1, end - start - 1);
  return t;
}

}  // namespace xbase
