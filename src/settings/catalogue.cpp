#include "settings/catalogue.h"

namespace settings {

const std::array<SettingDef, kSettingCount> kCatalogue = {{
    {"Pfad", 'C', 80, ""},               // 1 folder of the merchandise system's tables
    {"Index", 'L', 0, "N"},              // 2 keep all article indexes current
    {"Lieferant", 'C', 10, ""},          // 3 supplier number of new articles
    {"Mwst", 'N', 0, "19.00"},           // 4 VAT rate of new articles
    {"Langtext", 'L', 0, "J"},           // 5 take over long texts (T, D, E records)
    {"Warengruppe", 'L', 0, "N"},        // 6 honour the include flag of product groups
    {"Menge", 'L', 0, "J"},              // 7 stock keeping of new articles
    {"Rabatt", 'L', 0, "J"},             // 8 overall discount of new articles
    {"Wg", 'N', 0, "2"},                 // 9 currency: 1 supplier's, 2 main currency
    {"Ean", 'N', 0, "2"},                // 10 EAN target: 1 none, 2 free field 1, 3, 4
    {"Match", 'L', 0, "J"},              // 11 matchcode into free field 1
    {"BruttoEK", 'L', 0, "J"},           // 12 gross price as purchase price
    {"Brutto", 'L', 0, "J"},             // 13 gross price as net sales list price
    {"NettoEK", 'L', 0, "J"},            // 14 net price as purchase price
    {"Netto", 'L', 0, "J"},              // 15 net price as net sales list price
    {"Preis2_5", 'N', 0, "1"},           // 16 how price levels 2-5 follow
    {"Loeschen", 'N', 0, "2"},           // 17 deletion records: 1 never, 2 stock 0, 3 always
    {"Aktualisieren", 'L', 0, "N"},      // 18 a new record for an existing article changes it
    {"nur Preis 2/3/4/5", 'N', 0, "1"},  // 19 1 normal; 2-5 only into that price level
    {"Brutto2Brutto", 'L', 0, "N"},      // 20 gross price as gross sales list price
    {"Netto2Brutto", 'L', 0, "N"},       // 21 net price as gross sales list price
}};

bool GETVOREININFO(std::vector<std::string>& keys, std::vector<std::string>& defaults,
                   std::vector<std::string>& types, std::vector<int>& widths) {
  keys.resize(kSettingCount);
  defaults.resize(kSettingCount);
  types.resize(kSettingCount);
  widths.resize(kSettingCount);
  for (int i = 0; i < kSettingCount; ++i) {
    keys[i] = kCatalogue[i].key;
    defaults[i] = kCatalogue[i].defaultText;
    types[i] = std::string(1, kCatalogue[i].type);
    widths[i] = kCatalogue[i].width;
  }
  return true;
}

}  // namespace settings
