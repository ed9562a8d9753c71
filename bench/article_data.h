#pragma once
// Article-like data shared by the benchmarks: the merchandise system's article table, nine
// single-tag index files over it, and a generator of plausible articles.

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "import/empty_merchandise.h"
#include "xbase/table.h"

namespace benchdata {

using namespace xbase;

using dnorm::kArticleFields;

// Nine single-tag index files, as an installation with all article indexes has them.
inline const std::vector<std::pair<std::string, std::string>> kArticleIndexes = {
    {"LANUM", "NUMMER"},        {"LANAM", "UPPER(ARTIKEL)"}, {"LALIEF", "LIEFERANT+NUMMER"},
    {"LAGRUP", "WAGRU+NUMMER"}, {"LALIENUM", "LIEF_A_NR"},   {"LA_FREI1", "FREIFELD1"},
    {"LA_EAN", "EAN"},          {"LAFAV1", "NETTO"},         {"LARAB", "RABATTGRUP+NUMMER"}};

inline const char* kWords[] = {"Ventil",
                        "Rohr",
                        "Bogen",
                        "Muffe",
                        "Schelle",
                        "Dichtung",
                        "Flansch",
                        "Kugelhahn",
                        "Heizk\xF6rper",
                        "W\xE4rmed\xE4mmung",
                        "Stra\xDF"
                        "enablauf"};

inline void check(const Status& st, const char* what) {
  if (st.isOk()) return;
  std::fprintf(stderr, "%s: %s\n", what, st.toString().c_str());
  std::exit(1);
}

inline void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "%s failed\n", what);
  std::exit(1);
}

// The empty article table with its nine index files.
inline void createArticleTable(const std::string& dir) {
  std::string path = dir + "/ARTIKEL.dbf";
  check(Table::create(path, kArticleFields, false), "create");
  std::unique_ptr<Table> t;
  check(Table::open(path, {OpenMode::Exclusive, nullptr}, &t), "open");
  for (const auto& [tag, expr] : kArticleIndexes)
    check(t->createIndex(dir + "/" + tag + ".cdx", tag, expr), tag.c_str());
  check(t->close(), "close");
}

// Fills the current (new) record with an article; i makes its number unique.
inline void fillArticle(Table& t, uint32_t i, std::mt19937& rng) {
  char num[16];
  std::snprintf(num, sizeof num, "%08u-%02u", (i * 2654435761u) % 100000000u, i % 100);
  check(t.putString(0, num), "NUMMER");
  std::string text = std::string(kWords[rng() % 11]) + " " + std::to_string(rng() % 200) + " DN " +
                     std::to_string(10 + rng() % 90) + " verzinkt";
  check(t.putString(2, text), "ARTIKEL");
  check(t.putString(5, "STK"), "EINHEIT");
  check(t.putString(6, "L" + std::to_string(rng() % 50)), "LIEFERANT");
  check(t.putNumber(7, 19), "MWST");
  check(t.putString(11, "R" + std::to_string(rng() % 40)), "RABATTGRUP");
  check(t.putString(12, std::to_string(100 + rng() % 60)), "WAGRU");
  check(t.putNumber(16, (rng() % 250000) / 100.0), "NETTO");
  check(t.putNumber(17, (rng() % 300000) / 100.0), "BRUTTO");
  check(t.putString(40, "S-" + std::to_string(rng() % 1000000)), "LIEF_A_NR");
  check(t.putString(42, std::to_string(4000000000000ull + i)), "EAN");
}

}  // namespace benchdata
