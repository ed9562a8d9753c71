#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/date.h"
#include "xbase/table.h"

namespace dnorm {

// The fields of the merchandise system's article table ARTIKEL that the import reads or
// writes. The four price levels 2-5 lie in groups of four: level n of a group is the
// group's first field + (n - 2).
enum class Art {
  kNummer,
  kDatanorm,
  kArtikel,
  kZusatz,
  kZusatz1,
  kEinheit,
  kLieferant,
  kMwst,
  kMitMenge,
  kMitRabatt,
  kWgIata,
  kRabattgrup,
  kWagru,
  kWagru2,
  kSchluessel,
  kPreisStck,
  kNetto,
  kBrutto,
  kLetztek,
  kLetztdat,
  kKalkFakt,
  kPreis2,
  kPreis3,
  kPreis4,
  kPreis5,
  kNetto2,
  kNetto3,
  kNetto4,
  kNetto5,
  kArtrab2,
  kArtrab3,
  kArtrab4,
  kArtrab5,
  kKalkFakt2,
  kKalkFakt3,
  kKalkFakt4,
  kKalkFakt5,
  kWert,
  kBestand,
  kLangtext,
  kLiefANr,
  kFreifeld1,
  kEan,
  kCount
};

// Field of price level n (2-5) in the group that starts with `level2`.
Art levelField(Art level2, int n);

// The current record of an open ARTIKEL table, field by field. Field positions are looked
// up once; a field the table lacks reads as empty, 0 or false and is never written.
// Numbers are written rounded to the field's decimals; a value the field cannot hold is
// clamped to the largest value that fits and reported (error 620).
class ArticleRow {
 public:
  explicit ArticleRow(xbase::Table& table);

  xbase::Table& table() const { return *m_table; }

  std::string text(Art field) const;
  double number(Art field) const;
  bool logical(Art field) const;
  void setText(Art field, std::string_view text);
  void setNumber(Art field, double value);
  void setLogical(Art field, bool value);
  void setDate(Art field, base::Date date);

 private:
  int index(Art field) const { return m_index[static_cast<size_t>(field)]; }

  xbase::Table* m_table;
  std::array<int, static_cast<size_t>(Art::kCount)> m_index{};
};

}  // namespace dnorm
