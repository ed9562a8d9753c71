#include "cli/demo_datanorm.h"

#include <cstdio>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "cli/datanorm_writer.h"

namespace cli {

namespace {

constexpr const char* kFileDate = "020125";  // DDMMYY: 2 January 2025
constexpr const char* kCurrency = "EUR";
constexpr const char* kCustomerNumber = "47110";
constexpr int kDiscountGroups = 20;
constexpr int kInsertTexts = 3;

// Texts in Windows-1252, converted once from the UTF-8 literals.
std::vector<std::string> ansiList(std::initializer_list<const char*> utf8) {
  std::vector<std::string> out;
  for (const char* text : utf8) out.push_back(base::ansi(text));
  return out;
}

const std::vector<std::string>& productGroupNames() {
  static const std::vector<std::string> names =
      ansiList({"Stahlrohre",          "Kupferrohre",      "Kunststoffrohre", "Pressfittings",
                "Gewindefittings",     "Absperrarmaturen", "Ventile",         "Heizkörper",
                "Heizkörperzubehör",   "Wärmeerzeuger",    "Pumpen",          "Dämmstoffe",
                "Befestigungstechnik", "Dichtungen",       "Sanitärkeramik",  "Badarmaturen",
                "Küchenarmaturen",     "Duschsysteme",     "Abwassertechnik", "Werkzeuge",
                "Messtechnik",         "Elektrozubehör",   "Lüftung",         "Solartechnik"});
  return names;
}

const std::vector<std::string>& discountNames() {
  static const std::vector<std::string> names =
      ansiList({"Rohre", "Fittings", "Armaturen", "Heizkörper", "Wärmetechnik", "Sanitärkeramik",
                "Werkzeuge", "Dämmung", "Pumpen", "Zubehör"});
  return names;
}

const std::vector<std::string>& words() {
  static const std::vector<std::string> list =
      ansiList({"Kugelhahn", "Eckventil", "Rohrbogen 90 Grad", "Muffe", "Rohrschelle",
                "Flachdichtung", "Flansch", "Heizkörper", "Wärmedämmschale", "Straßenablauf",
                "Übergangsstück", "Absperrschieber", "Rückflussverhinderer", "Schrägsitzventil"});
  return list;
}

const std::vector<std::string>& matchcodes() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> upper;
    for (const std::string& w : words()) upper.push_back(base::upperAnsi(w.substr(0, 15)));
    return upper;
  }();
  return list;
}

const std::vector<std::string>& materials() {
  static const std::vector<std::string> list =
      ansiList({"verzinkt", "Messing", "Rotguss", "Edelstahl", "Kunststoff", "Kupfer"});
  return list;
}

const std::vector<std::string>& sizes() {
  static const std::vector<std::string> list =
      ansiList({"DN 10", "DN 15", "DN 20", "DN 25", "DN 32", "DN 40", "DN 50"});
  return list;
}

const std::vector<std::string>& units() {
  static const std::vector<std::string> list = ansiList({"Stck", "m", "Pak", "kg", "Rol"});
  return list;
}

template <class T>
const T& pick(const std::vector<T>& list, long i) {
  return list[static_cast<size_t>(i) % list.size()];
}

std::string formatted(const char* format, long value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

// `what` (UTF-8) is the second supplier line.
void writeHeader(DatanormWriter& out, const char* what) {
  out.header(kFileDate, base::ansi("Sanitär-Großhandel Muster GmbH & Co. KG"), base::ansi(what),
             base::ansi("Industriestr. 12, 70011 Musterstadt"), kCurrency);
}

// A unique article number for every position below 10^8; the four forms and the scrambled
// digits interleave in key order as real article numbers do.
std::string articleNumber(long i) {
  constexpr unsigned long long kRange = 100'000'000;     // 8 digits
  constexpr unsigned long long kSpread = 2'654'435'761;  // coprime to kRange: a bijection
  long n = static_cast<long>(static_cast<unsigned long long>(i) * kSpread % kRange);
  static const char* const kForms[] = {"%08ld", "K%08ld", "%08ld-1", "MS-%08ld"};
  return formatted(kForms[i % 4], n);
}

// An EAN-13: country prefix 40, ten digits of the position, the check digit.
std::string ean(long i) {
  std::string digits = "40" + formatted("%010ld", i % 10'000'000'000L);
  int sum = 0;
  for (size_t k = 0; k < digits.size(); ++k) sum += (digits[k] - '0') * (k % 2 ? 3 : 1);
  return digits + static_cast<char>('0' + (10 - sum % 10) % 10);
}

long price(long i) {
  return 100 + (i * 7919) % 250'000;  // hundredths: 1.00 to 2500.99
}

std::string discountGroup(long i) {
  return formatted("R%02ld", 1 + i % kDiscountGroups);
}

std::string productGroup(long i) {
  return formatted("%03ld", 1 + i % static_cast<long>(productGroupNames().size()));
}

std::string shortText1(long i) {
  std::string text = pick(words(), i) + " " + pick(sizes(), i / 3) + " " + pick(materials(), i / 7);
  // Every fifth is too long for one description and is split at a word boundary.
  if (i % 5 == 0) text += base::ansi(" für Trinkwasser und Heizung");
  return text;
}

std::string shortText2(long i) {
  return "DIN " + std::to_string(1000 + i % 9000) + base::ansi(", Prüfzeichen DVGW");
}

// Text blocks (T records) of every third article, numbered from 1.
bool hasTextBlock(long i) {
  return i % 3 == 0;
}

std::string textBlockNumber(long i) {
  return std::to_string(i / 3 + 1);
}

void writeTextBlock(DatanormWriter& out, long i) {
  std::string number = textBlockNumber(i);
  out.line("T;N;" + number + ";;1;;" + shortText1(i).substr(0, 40) +
           ";2;;Werkstoff: " + pick(materials(), i / 7) + ";");
  out.line("T;N;" + number + base::ansi(";;3;;Lieferung ohne Befestigungsmaterial;4;;") +
           "Verpackungseinheit " + std::to_string(1 + i % 50) + base::ansi(" Stück;"));
}

void writeInsertTexts(DatanormWriter& out) {
  out.line("E;N;E1;;1;;Nennweite DN $$$;2;;Betriebsdruck max. $$ bar;");
  out.line(base::ansi("E;N;E2;;1;;Länge $$$$ mm, Gewicht $$$$ g;0;;;"));
  out.line(base::ansi("E;N;E3;;1;;Verpackungseinheit $$$ Stück;0;;;"));
}

// Values for the fill-ins of insert text n, separated and ended by "$".
std::string insertValues(int n, long i) {
  switch (n) {
    case 1:
      return std::to_string(10 + 5 * (i % 9)) + "$" + std::to_string(6 + i % 10) + "$";
    case 2:
      return std::to_string(100 + i % 5000) + "$" + std::to_string(50 + i % 900) + "$";
    default:
      return std::to_string(1 + i % 100) + "$";
  }
}

void writeArticle(DatanormWriter& out, long i) {
  std::string number = articleNumber(i);
  bool block = hasTextBlock(i);
  if (block) writeTextBlock(out, i);
  out.line("A;N;" + number + ";" + (block ? "10" : "00") + ";" + shortText1(i) + ";" +
           shortText2(i) + ";" + std::to_string(1 + i % 2) + ";" + std::to_string(i % 3) + ";" +
           pick(units(), i) + ";" + std::to_string(price(i)) + ";" + discountGroup(i) + ";" +
           productGroup(i) + ";" + (block ? textBlockNumber(i) : "") + ";");
  out.line("B;N;" + number + ";" + pick(matchcodes(), i) + ";;;;;;" + ean(i) + ";;" +
           productGroup(i) + formatted(".%03ld", i % 100) + ";");
  if (block) {
    int insert = static_cast<int>(1 + i / 3 % kInsertTexts);
    out.line("D;N;" + number + ";;F;;Technische Daten siehe Datenblatt;;E;E" +
             std::to_string(insert) + ";" + insertValues(insert, i) + ";");
  }
}

bool writeProductGroups(const std::filesystem::path& file) {
  DatanormWriter out(file);
  writeHeader(out, "Hauptwarengruppen 2025");
  const std::vector<std::string>& names = productGroupNames();
  for (size_t g = 0; g < names.size(); ++g) {
    std::string key = formatted("%03ld", static_cast<long>(g + 1));
    out.line("S;N;" + key + ";" + names[g] + ";;");
    // A subgroup: the import keeps only main product groups.
    out.line("S;N;" + key + ";" + names[g] + base::ansi(" Zubehör;01;"));
  }
  return out.close();
}

bool writeDiscountGroups(const std::filesystem::path& file) {
  DatanormWriter out(file);
  writeHeader(out, "Rabattgruppen 2025");
  for (long g = 1; g <= kDiscountGroups; ++g) {
    // Kind 1: a discount in hundredths of a percent; kind 2: a multiplier in thousandths.
    bool percent = g % 2 == 1;
    long value = percent ? 1500 + 100 * g : 800 - 10 * g;
    std::string name = pick(discountNames(), g - 1) + (g > 10 ? " Stufe 2" : " Stufe 1");
    out.line(formatted("R;N;R%02ld;", g) + (percent ? "1;" : "2;") + std::to_string(value) + ";" +
             name + ";");
  }
  return out.close();
}

bool writeArticles(const std::filesystem::path& file, long articles) {
  DatanormWriter out(file);
  writeHeader(out, "Artikelstamm 2025");
  out.line(std::string("K;N;") + kCustomerNumber + ";");
  writeInsertTexts(out);
  for (long i = 0; i < articles; ++i) writeArticle(out, i);
  return out.close();
}

// One price block: article, price flag, new price (3 % up) and up to three discounts.
std::string priceBlock(long i) {
  static const char* const kDiscounts[] = {nullptr, "1;1500;;;;", "2;850;3;300;;", ";;;;;"};
  std::string discounts =
      i % 4 == 0 ? "0;" + discountGroup(i) + ";;;;" : std::string(kDiscounts[i % 4]);
  return articleNumber(i) + ";" + std::to_string(1 + i % 2) + ";" +
         std::to_string(price(i) + price(i) * 3 / 100) + ";" + discounts;
}

bool writePrices(const std::filesystem::path& file, long articles) {
  DatanormWriter out(file);
  writeHeader(out, "Preisänderungen 2025");
  for (long first = 0; first < articles; first += 3) {
    std::string record = "P;A;";
    for (long i = first; i < first + 3; ++i) {
      record += (i < articles ? priceBlock(i) : ";;;;;;;;") + ";";
    }
    out.line(record);
  }
  return out.close();
}

}  // namespace

DemoFiles demoFiles(const std::filesystem::path& folder) {
  return {folder / "DATANORM.WRG", folder / "DATANORM.RAB", folder / "DATANORM.001",
          folder / "DATPREIS.001"};
}

bool writeDemoFiles(const DemoFiles& files, long articles) {
  return writeProductGroups(files.productGroups) && writeDiscountGroups(files.discountGroups) &&
         writeArticles(files.articles, articles) && writePrices(files.prices, articles);
}

}  // namespace cli
