#include "import/article_text_records.h"

#include <optional>

#include "import/article_row.h"
#include "import/error_log.h"
#include "import/error_numbers.h"
#include "import/group_import.h"
#include "import/import_tables.h"
#include "import/insert_text.h"
#include "import/long_text.h"
#include "import/record_fields.h"
#include "import/run_state.h"
#include "import/settings_access.h"
#include "import/table_access.h"
#include "import/text_blocks.h"
#include "tables/net.h"

namespace dnorm {

namespace {

// Fields of a "B" record.
constexpr int kFieldMatchcode = 4;
constexpr int kFieldEan = 10;
constexpr int kFieldSecondGroup = 12;

// Setting 10 (Ean): where the EAN goes, and with it the matchcode.
constexpr int kEanNowhere = 1;
constexpr int kEanToFreeField = 2;
constexpr int kEanToSupplierNumber = 3;
constexpr int kEanToEan = 4;

// A "D" record's two slots: kind, number, text.
constexpr int kSlotFields[2][3] = {{5, 6, 7}, {9, 10, 11}};

std::string field(int n) {
  return XTEXT(n, GETPUFFER());
}

struct Targets {
  std::optional<Art> matchcode;
  std::optional<Art> ean;
};

Targets bRecordTargets() {
  switch (settingChoice(setting::kEanTarget)) {
    case kEanToFreeField:
      return {Art::kLiefANr, Art::kFreifeld1};
    case kEanToSupplierNumber:
      return {settingOn(setting::kMatchcode) ? std::optional<Art>(Art::kFreifeld1) : std::nullopt,
              Art::kLiefANr};
    case kEanToEan:
      return {Art::kLiefANr, Art::kEan};
    case kEanNowhere:
    default:
      return {Art::kLiefANr, std::nullopt};
  }
}

// The piece a slot adds to the long text.
std::string slotPiece(const int (&slot)[3]) {
  std::string kind = field(slot[0]);
  if (kind == "F") return field(slot[2]);
  if (kind == "T") return GETNEWLTT(field(slot[1]));
  if (kind == "E") return EINFUEGEN(GETNEWLTE(field(slot[1])), field(slot[2]));
  return {};
}

}  // namespace

bool ARTBSATZ(const std::string& article) {
  std::string code = field(2);
  if (code != "N" && code != "A") {
    NORMFEHLER(err::kBRecordCode);
    return false;
  }
  ArticleRow& row = articleRow();
  if (!seekKey(row.table(), article)) {
    NORMFEHLER(err::kBRecordNotFound);
    return false;
  }
  if (settingOn(setting::kGroupFilter) && code == "N" &&
      !MITDIESERGRUPPE(row.text(Art::kWagru).substr(0, 3))) {
    return false;
  }
  tables::OnAlias on("ARTIKEL");
  if (!tables::NETRLOCK()) {
    NORMFEHLER(err::kBRecordLock);
    return false;
  }
  bool always = code == "N";
  auto write = [&](std::optional<Art> target, const std::string& value) {
    if (target && (always || !isBlank(value))) row.setText(*target, value);
  };
  Targets targets = bRecordTargets();
  write(targets.matchcode, field(kFieldMatchcode));
  write(Art::kWagru2, field(kFieldSecondGroup));
  write(targets.ean, field(kFieldEan));
  tables::NETUNLOCK();
  return true;
}

bool ARTDSATZ(const std::string& article) {
  std::string code = field(2);
  if (code == "L") {
    if (LANGTEXTLOESCHEN(article)) return true;
    NORMFEHLER(err::kDRecordLongText);
    return false;
  }
  if (code != "N" && code != "A") {
    NORMFEHLER(err::kDRecordCode);
    return false;
  }
  std::string text = LANGTEXTGET(article);
  for (const auto& slot : kSlotFields) {
    std::string piece = slotPiece(slot);
    if (isBlank(piece)) continue;
    if (!isBlank(text)) text += "\r\n";
    text += trimRight(piece);
  }
  LANGTEXTSET(article, text);
  return true;
}

}  // namespace dnorm
