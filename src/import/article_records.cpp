#include "import/article_records.h"

#include "import/descriptions.h"
#include "import/error_log.h"
#include "import/error_numbers.h"
#include "import/group_import.h"
#include "import/import_tables.h"
#include "import/long_text.h"
#include "import/price_rules.h"
#include "import/record_fields.h"
#include "import/run_state.h"
#include "import/settings_access.h"
#include "import/table_access.h"
#include "import/text_blocks.h"
#include "tables/net.h"

namespace dnorm {

namespace {

// Fields of an "A" record.
constexpr int kFieldTextFlags = 4;
constexpr int kFieldShortText1 = 5;  // the new number for code "X"
constexpr int kFieldShortText2 = 6;
constexpr int kFieldUnit = 9;
constexpr int kFieldDiscountGroup = 11;
constexpr int kFieldProductGroup = 12;
constexpr int kFieldLongTextNumber = 13;

// Settings 17 (Loeschen): delete only articles without stock.
constexpr int kDeleteWithoutStockOnly = 2;

const std::string& line() {
  return GETPUFFER();
}

std::string field(int n) {
  return XTEXT(n, line());
}

// Works on ARTIKEL as the current table; releases every lock of ARTIKEL at the end.
class ArticleScope {
 public:
  ArticleScope() : m_on("ARTIKEL") {}
  ~ArticleScope() { tables::NETUNLOCK(); }
  ArticleScope(const ArticleScope&) = delete;
  ArticleScope& operator=(const ArticleScope&) = delete;

 private:
  tables::OnAlias m_on;
};

bool findArticle(const std::string& article) {
  return seekKey(articleRow().table(), article);
}

// ARTIKEL, ZUSATZ, ZUSATZ1 from the record's short texts; short text 2 is left out when
// the second text flag is "1".
void writeDescriptions(ArticleRow& row, const std::string& shortText1) {
  std::string flags = field(kFieldTextFlags);
  std::string shortText2 = flags.size() > 1 && flags[1] == '1'
                               ? std::string()
                               : std::string(trimBlanks(field(kFieldShortText2)));
  Descriptions texts = ARTBEZEICHNUNG(shortText1, shortText2);
  row.setText(Art::kArtikel, texts.artikel);
  row.setText(Art::kZusatz, texts.zusatz);
  row.setText(Art::kZusatz1, texts.zusatz1);
}

void writeProductGroup(ArticleRow& row, const std::string& group) {
  row.setText(Art::kWagru, group);
  row.setText(Art::kWagru, HOL_WAGRBEZ(row.text(Art::kWagru)));
}

// The first text flag is a digit above 0: the article has a long text.
bool hasLongTextFlag() {
  std::string flags = field(kFieldTextFlags);
  return !flags.empty() && flags[0] > '0' && flags[0] <= '9';
}

// Replaces the article's long text by the text block the record names; reports
// `removeError` or `storeError` when the old text cannot be removed or the new one stored.
void replaceLongText(const std::string& article, int removeError, int storeError) {
  if (!LANGTEXTLOESCHEN(article)) {
    NORMFEHLER(removeError);
    return;
  }
  std::string text = GETNEWLTT(field(kFieldLongTextNumber));
  if (!text.empty() && !LANGTEXTSET(article, text)) NORMFEHLER(storeError);
}

}  // namespace

bool ARTNEU(const std::string& article) {
  if (settingOn(setting::kGroupFilter) && !MITDIESERGRUPPE(field(kFieldProductGroup))) return false;
  std::string shortText1(trimBlanks(field(kFieldShortText1)));
  if (shortText1.empty()) {
    NORMFEHLER(err::kNewNoText);
    return false;
  }
  if (findArticle(article)) {
    if (settingOn(setting::kUpdateExisting)) return ARTAENDERUNG(article);
    NORMFEHLER(err::kNewExists);
    return false;
  }
  ArticleScope scope;
  if (!tables::NETAPPEND()) {
    NORMFEHLER(err::kNewAppend);
    return false;
  }
  ArticleRow& row = articleRow();
  row.setText(Art::kNummer, article);
  row.setText(Art::kDatanorm, "N");
  writeDescriptions(row, shortText1);
  row.setText(Art::kEinheit, field(kFieldUnit));
  row.setText(Art::kLieferant, settingText(setting::kSupplier));
  row.setNumber(Art::kMwst, settingNumber(setting::kVat));
  row.setLogical(Art::kMitMenge, settingOn(setting::kStockKept));
  row.setLogical(Art::kMitRabatt, settingOn(setting::kDiscountAllowed));
  row.setText(Art::kWgIata, runState().articleCurrency);
  row.setText(Art::kRabattgrup, field(kFieldDiscountGroup));
  writeProductGroup(row, field(kFieldProductGroup));
  newArticlePrices(row, line());
  if (settingOn(setting::kLongTexts)) {
    if (hasLongTextFlag()) row.setLogical(Art::kLangtext, true);
    if (!isBlank(field(kFieldLongTextNumber))) {
      replaceLongText(article, err::kNewLongTextRemove, err::kNewLongTextStore);
    }
  }
  return true;
}

bool ARTAENDERUNG(const std::string& article) {
  if (!findArticle(article)) {
    NORMFEHLER(err::kChangeNotFound);
    return false;
  }
  ArticleScope scope;
  if (!tables::NETRLOCK()) {
    NORMFEHLER(err::kChangeLock);
    return false;
  }
  ArticleRow& row = articleRow();
  row.setText(Art::kDatanorm, "A");
  if (std::string unit = field(kFieldUnit); !unit.empty()) row.setText(Art::kEinheit, unit);
  if (std::string group = field(kFieldDiscountGroup); !group.empty())
    row.setText(Art::kRabattgrup, group);
  if (std::string group = field(kFieldProductGroup); !group.empty()) writeProductGroup(row, group);
  changedArticlePrices(row, line());
  if (!field(kFieldTextFlags).empty()) {
    std::string shortText1(trimBlanks(field(kFieldShortText1)));
    if (shortText1.empty()) {
      NORMFEHLER(err::kChangeNoText);
    } else {
      writeDescriptions(row, shortText1);
    }
  }
  std::string longText = field(kFieldLongTextNumber);
  if (settingOn(setting::kLongTexts) && !longText.empty()) {
    if (isBlank(longText)) {
      if (!LANGTEXTLOESCHEN(article)) NORMFEHLER(err::kChangeLongTextClear);
      row.setLogical(Art::kLangtext, false);
    } else {
      if (hasLongTextFlag()) row.setLogical(Art::kLangtext, true);
      if (row.logical(Art::kLangtext)) {
        replaceLongText(article, err::kChangeLongTextRemove, err::kChangeLongTextStore);
      }
    }
  }
  return true;
}

bool ARTNRAENDERUNG(const std::string& article) {
  if (!findArticle(article)) {
    NORMFEHLER(err::kRenumberNotFound);
    return false;
  }
  if (isBlank(field(kFieldShortText1))) {
    NORMFEHLER(err::kRenumberEmpty);
    return false;
  }
  ArticleScope scope;
  if (!tables::NETRLOCK()) {
    NORMFEHLER(err::kRenumberLock);
    return false;
  }
  ArticleRow& row = articleRow();
  xbase::Table& table = row.table();
  std::string newNumber = padCut(trimBlanks(field(kFieldShortText1)), kArticleKeyWidth);
  uint32_t recno = table.recNo();
  bool taken = seekKey(table, newNumber);
  table.goTo(recno);
  if (taken) {
    NORMFEHLER(err::kRenumberExists, newNumber);
    row.setText(Art::kDatanorm, "Y");
    return false;
  }
  row.setText(Art::kDatanorm, "X");
  row.setText(Art::kNummer, newNumber);
  NORMPROTOKOLL(newNumber, ProtocolKind::kNumberChange, article);
  return true;
}

bool ARTLOESCHE(const std::string& article) {
  if (!findArticle(article)) {
    NORMFEHLER(err::kDeleteNotFound);
    return false;
  }
  ArticleScope scope;
  if (!tables::NETRLOCK()) {
    NORMFEHLER(err::kDeleteLock);
    return false;
  }
  ArticleRow& row = articleRow();
  row.setText(Art::kDatanorm, "L");
  if (settingChoice(setting::kDeletion) == kDeleteWithoutStockOnly &&
      row.number(Art::kBestand) != 0) {
    NORMFEHLER(err::kDeleteStock);
    return false;
  }
  if (!LANGTEXTLOESCHEN(article)) {
    NORMFEHLER(err::kDeleteLongText);
    return false;
  }
  tables::NETDELETE();
  NORMPROTOKOLL(article, ProtocolKind::kDeletion);
  return true;
}

}  // namespace dnorm
