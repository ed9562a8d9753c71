#include "import/long_text.h"

#include "import/import_tables.h"
#include "import/record_fields.h"
#include "import/table_access.h"
#include "tables/merchandise_tables.h"
#include "tables/net.h"

namespace dnorm {

namespace {

namespace langtext = tables::langtext;

// Field positions from 0: the article number first, then the text pieces.
constexpr int kNumberField = 0;
constexpr int kFirstPiece = langtext::kFirstSliceField - 1;

const std::string kAlias(langtext::kAlias);

// Makes records marked deleted visible to seeks for the guard's lifetime.
class DeletedVisible {
 public:
  DeletedVisible() : m_hidden(xbase::Table::hideDeleted()) { xbase::Table::setHideDeleted(false); }
  ~DeletedVisible() { xbase::Table::setHideDeleted(m_hidden); }
  DeletedVisible(const DeletedVisible&) = delete;
  DeletedVisible& operator=(const DeletedVisible&) = delete;

 private:
  bool m_hidden;
};

}  // namespace

std::string LANGTEXTGET(const std::string& article) {
  xbase::Table& table = openTable(kAlias);
  if (!seekKey(table, article)) return {};
  std::string text;
  for (int i = 0; i < langtext::kSlices; ++i) text += table.getString(kFirstPiece + i);
  return std::string(trimRight(text));
}

bool LANGTEXTSET(const std::string& article, const std::string& text) {
  DeletedVisible visible;
  tables::OnAlias on(kAlias);
  xbase::Table& table = *tables::current();
  if (seekKey(table, article)) {
    if (!tables::NETRLOCK()) return false;
    if (table.deleted()) table.recall();
  } else {
    if (!tables::NETAPPEND()) return false;
    table.putString(kNumberField, article);
  }
  for (int i = 0; i < langtext::kSlices; ++i) {
    size_t from = static_cast<size_t>(i) * langtext::kSliceWidth;
    table.putString(
        kFirstPiece + i,
        from < text.size() ? std::string_view(text).substr(from, langtext::kSliceWidth) : "");
  }
  tables::NETUNLOCK();
  return true;
}

bool LANGTEXTLOESCHEN(const std::string& article) {
  if (!articleRow().logical(Art::kLangtext)) return true;
  tables::OnAlias on(kAlias);
  if (!seekKey(*tables::current(), article)) return true;
  if (!tables::NETRLOCK()) return false;
  tables::NETDELETE();
  tables::NETUNLOCK();
  return true;
}

}  // namespace dnorm
