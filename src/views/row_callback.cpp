#include "views/row_callback.h"

#include <memory>

#include "tables/workspace.h"
#include "xbase/expr/expression.h"

namespace views {

namespace {

using Columns = std::vector<std::unique_ptr<xbase::Expression>>;

// The function that turns a non-text result into the text a browser shows of it.
const char* textFunctionFor(xbase::Value::Type type) {
  switch (type) {
    case xbase::Value::Type::Numeric:
      return "STR";
    case xbase::Value::Type::Date:
      return "DTOC";
    case xbase::Value::Type::Logical:
      return "JANEIN";
    case xbase::Value::Type::Character:
      break;
  }
  return nullptr;
}

// One column compiled to a character expression.
xbase::Status compileColumn(const std::string& text, const xbase::FieldList& fields,
                            const std::string& alias, std::unique_ptr<xbase::Expression>* out) {
  XBASE_RETURN_IF_ERROR(xbase::Expression::compile(text, fields, alias, out));
  const char* function = textFunctionFor((*out)->type());
  if (!function) return xbase::Status::ok();
  return xbase::Expression::compile(std::string(function) + "(" + text + ")", fields, alias, out);
}

}  // namespace

bool compileRowCallback(const std::string& alias, const std::vector<std::string>& expressions,
                        RowCallback& row, std::string& failed) {
  failed.clear();
  const xbase::Table* table = tables::table(alias);
  if (!table) return false;
  auto columns = std::make_shared<Columns>();
  for (const std::string& text : expressions) {
    std::unique_ptr<xbase::Expression> column;
    if (!compileColumn(text, table->fields(), alias, &column).isOk()) {
      failed = text;
      return false;
    }
    columns->push_back(std::move(column));
  }
  row = [alias, columns] {
    std::vector<std::string> texts;
    texts.reserve(columns->size());
    const xbase::Table* t = tables::table(alias);
    if (!t || t->eof()) return std::vector<std::string>(columns->size());
    xbase::RecordRef record{t->recordBytes(), t->recNo()};
    for (const auto& column : *columns) texts.push_back(column->evaluate(record).str);
    return texts;
  };
  return true;
}

}  // namespace views
