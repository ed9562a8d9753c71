#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "xbase/common/field.h"
#include "xbase/common/status.h"
#include "xbase/expr/field_value.h"
#include "xbase/expr/value.h"

namespace xbase {

class Node;

// A compiled xBase expression: the key and FOR expressions of .cdx tags and the display
// columns of the table browser. What cannot be evaluated exactly as xBase does is refused
// at compile time, so that a key we write always matches what other programs compute.
//
// Language: literals "x" 'x' [x], 12 1.5 .5, .T. .F. .Y. .N.; fields NAME, alias->NAME,
// FIELD->NAME, _FIELD->NAME; operators by precedence: unary + -; * / %; + - (numbers,
// texts, dates); = == != <> # < <= > >= $; .NOT. !; .AND.; .OR.; parentheses. Functions:
// UPPER LOWER TRIM RTRIM LTRIM ALLTRIM SUBSTR LEFT RIGHT PADR PADL STR VAL DTOS DTOC IIF
// EMPTY DELETED RECNO JANEIN. Names ignore case; function names of four or more letters
// may be shortened to four letters.
class Expression {
 public:
  ~Expression();
  Expression(const Expression&) = delete;
  Expression& operator=(const Expression&) = delete;

  // Compiles `text` against the fields of one table known under `alias`. Any error
  // (syntax, unknown field or function, wrong argument count or types, unsupported field
  // type) is InvalidArgument quoting the expression and saying what is wrong.
  static Status compile(std::string_view text, const FieldList& fields, std::string_view alias,
                        std::unique_ptr<Expression>* out);

  Value::Type type() const;
  // Static length of a character result (the key length of a new tag); 0 for other types.
  int width() const;
  Value evaluate(const RecordRef& rec) const;
  // A character result cut or padded with blanks to `length` bytes, as an index key
  // holds it; reuses out's storage. Only for character expressions (out is all blanks
  // for any other type).
  void evaluateKey(const RecordRef& rec, size_t length, std::string& out) const;
  // The result of a logical expression (a FOR condition); false for any other type.
  bool evaluateLogical(const RecordRef& rec) const;
  const std::string& text() const { return m_text; }
  // The field index when the whole expression is one plain field, else -1.
  int plainField() const;

 private:
  Expression(std::string_view text, std::unique_ptr<Node> root);

  std::string m_text;
  std::unique_ptr<Node> m_root;
};

}  // namespace xbase
