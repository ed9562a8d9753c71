#include "import/article_row.h"

#include "import/table_access.h"
#include "tables/merchandise_tables.h"

namespace dnorm {

namespace {

namespace a = tables::artikel;

// Field names in the order of Art.
constexpr std::string_view kNames[] = {a::kNummer,
                                       a::kDatanorm,
                                       a::kArtikel,
                                       a::kZusatz,
                                       a::kZusatz1,
                                       a::kEinheit,
                                       a::kLieferant,
                                       a::kMwst,
                                       a::kMitMenge,
                                       a::kMitRabatt,
                                       a::kWgIata,
                                       a::kRabattgrup,
                                       a::kWagru,
                                       a::kWagru2,
                                       a::kSchluessel,
                                       a::kPreisStck,
                                       a::kNetto,
                                       a::kBrutto,
                                       a::kLetztEk,
                                       a::kLetztDat,
                                       a::kKalkFakt,
                                       a::kPreis[0],
                                       a::kPreis[1],
                                       a::kPreis[2],
                                       a::kPreis[3],
                                       a::kNettoLevel[0],
                                       a::kNettoLevel[1],
                                       a::kNettoLevel[2],
                                       a::kNettoLevel[3],
                                       a::kArtRab[0],
                                       a::kArtRab[1],
                                       a::kArtRab[2],
                                       a::kArtRab[3],
                                       a::kKalkFaktLevel[0],
                                       a::kKalkFaktLevel[1],
                                       a::kKalkFaktLevel[2],
                                       a::kKalkFaktLevel[3],
                                       a::kWert,
                                       a::kBestand,
                                       a::kLangtext,
                                       a::kLiefANr,
                                       a::kFreifeld1,
                                       a::kEan};
static_assert(std::size(kNames) == static_cast<size_t>(Art::kCount));

}  // namespace

Art levelField(Art level2, int n) {
  return static_cast<Art>(static_cast<int>(level2) + n - 2);
}

ArticleRow::ArticleRow(xbase::Table& table) : m_table(&table) {
  for (size_t i = 0; i < m_index.size(); ++i) m_index[i] = table.fieldIndex(kNames[i]);
}

std::string ArticleRow::text(Art field) const {
  return index(field) < 0 ? std::string() : m_table->getString(index(field));
}

double ArticleRow::number(Art field) const {
  return index(field) < 0 ? 0 : m_table->getNumber(index(field));
}

bool ArticleRow::logical(Art field) const {
  return index(field) >= 0 && m_table->getLogical(index(field));
}

void ArticleRow::setText(Art field, std::string_view text) {
  if (index(field) >= 0) m_table->putString(index(field), text);
}

void ArticleRow::setNumber(Art field, double value) {
  if (index(field) >= 0) setNumberField(*m_table, index(field), value);
}

void ArticleRow::setLogical(Art field, bool value) {
  if (index(field) >= 0) m_table->putLogical(index(field), value);
}

void ArticleRow::setDate(Art field, base::Date date) {
  if (index(field) >= 0) setDateField(*m_table, index(field), date);
}

}  // namespace dnorm
