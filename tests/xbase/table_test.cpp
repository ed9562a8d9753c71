#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "support/test_support.h"
#include "xbase/cdx/key_codec.h"
#include "xbase/common/julian.h"
#include "xbase/table.h"

using namespace xbase;
using testsupport::TempDir;

namespace {

const std::vector<std::string> kArtikelBags = {"LANUM.cdx",  "LANAM.cdx",    "LALIEF.cdx",
                                               "LAGRUP.cdx", "LALIENUM.cdx", "LA_FREI1.cdx",
                                               "LA_EAN.cdx", "LAFAV1.cdx",   "MULTI.cdx"};

class HideDeleted {
 public:
  explicit HideDeleted(bool on) : m_was(Table::hideDeleted()) { Table::setHideDeleted(on); }
  ~HideDeleted() { Table::setHideDeleted(m_was); }

 private:
  bool m_was;
};

std::unique_ptr<Table> openTable(const std::string& path, OpenMode mode = OpenMode::Exclusive) {
  std::unique_ptr<Table> t;
  Status st = Table::open(path, {mode, nullptr}, &t);
  EXPECT_TRUE(st.isOk()) << st.toString();
  return t;
}

std::string trimmed(const Table& t, const char* field) {
  std::string s = t.getString(t.fieldIndex(field));
  return s.substr(0, s.find_last_not_of(' ') + 1);
}

Value numValue(double d) {
  Value v;
  v.type = Value::Type::Numeric;
  v.num = d;
  return v;
}

bool perlXBaseAvailable() {
  return testsupport::run({"/usr/bin/perl", "-MXBase::Index", "-e", "1"}).exitCode == 0;
}

// Keys of one tag in index order with record numbers, as the independent Perl reader lists them.
std::string perlKeys(const std::string& cdx, const std::string& tag, const char* type) {
  auto r = testsupport::run(
      {"/usr/bin/perl", "-MXBase::Index", "-e",
       "$i=XBase::Index->new($ARGV[0], tag=>$ARGV[1], type=>$ARGV[2]) or die XBase::Index->errstr;"
       " $i->prepare_select; while (my ($k,$r)=$i->fetch) { print \"$k\\t$r\\n\" }",
       cdx, tag, type});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r.out;
}

// The same listing produced by walking our own tag.
std::string ourKeys(Table& t, int order, bool numeric) {
  std::string out;
  cdx::Tag& tag = const_cast<IndexOrder&>(t.orderAt(order)).tag();
  cdx::Tag::Cursor c;
  EXPECT_TRUE(tag.first(c).isOk());
  while (c.valid) {
    if (numeric) {
      double v = cdx::decodeNumberKey(c.key);
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.15g", v);
      out += buf;
    } else {
      out += c.key.substr(0, c.key.find_last_not_of(' ') + 1);
    }
    out += "\t" + std::to_string(c.recno) + "\n";
    EXPECT_TRUE(tag.next(c).isOk());
  }
  return out;
}

}  // namespace

TEST(Table, SeeksAndSkipsTheGenuineIndexesWithDeletedRecordsHidden) {
  HideDeleted hide(true);
  TempDir tmp;
  testsupport::copyFixtures(tmp.path(), "xbase", {"ARTIKEL.dbf", "LANUM.cdx", "LAFAV1.cdx", "MULTI.cdx"});
  auto t = openTable(tmp / "ARTIKEL.dbf", OpenMode::ReadOnly);
  ASSERT_TRUE(t->attachIndex(tmp / "LANUM.cdx").isOk());
  ASSERT_TRUE(t->attachIndex(tmp / "LAFAV1.cdx").isOk());
  ASSERT_TRUE(t->attachIndex(tmp / "MULTI.cdx").isOk());
  ASSERT_EQ(t->orderCount(), 7u);
  EXPECT_EQ(t->order(), 1);

  bool found = false;
  // Exact and prefix seeks; a deleted record's key is not found.
  ASSERT_TRUE(t->seek("ZZ-GEAENDERT", &found).isOk());
  EXPECT_TRUE(found);
  EXPECT_EQ(t->recNo(), 300u);
  ASSERT_TRUE(t->seek("0000750", &found).isOk());
  EXPECT_TRUE(found);
  EXPECT_EQ(t->recNo(), 1768u);
  ASSERT_TRUE(t->seek("00002584", &found).isOk());
  EXPECT_TRUE(found);
  EXPECT_EQ(t->recNo(), 758u);
  ASSERT_TRUE(t->seek("0134623", &found).isOk());
  EXPECT_FALSE(found) << "record 17 is deleted";
  EXPECT_TRUE(t->eof());
  ASSERT_TRUE(t->seek("nicht da", &found).isOk());
  EXPECT_FALSE(found);

  // Walking the whole order visits every live record once, in key order.
  ASSERT_TRUE(t->goTop().isOk());
  std::string previous;
  std::set<uint32_t> seen;
  while (!t->eof()) {
    std::string key = t->getString(t->fieldIndex("NUMMER"));
    EXPECT_LE(previous, key);
    previous = key;
    EXPECT_FALSE(t->deleted());
    seen.insert(t->recNo());
    ASSERT_TRUE(t->skip().isOk());
  }
  EXPECT_EQ(seen.size(), 1997u);

  // Backwards from the end, and BOF at the top.
  ASSERT_TRUE(t->goBottom().isOk());
  EXPECT_EQ(trimmed(*t, "NUMMER").substr(0, 1), "x");
  ASSERT_TRUE(t->goTop().isOk());
  uint32_t first = t->recNo();
  ASSERT_TRUE(t->skip(-1).isOk());
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->recNo(), first);

  // The descending numeric tag: the largest price first, seek by number.
  ASSERT_TRUE(t->setOrder(t->orderByName("LAFAV1")).isOk());
  ASSERT_TRUE(t->goTop().isOk());
  EXPECT_EQ(t->recNo(), 200u);
  EXPECT_DOUBLE_EQ(t->getNumber(t->fieldIndex("NETTO")), 123456.78);
  ASSERT_TRUE(t->seek(numValue(-6.43), &found).isOk());
  EXPECT_TRUE(found);
  ASSERT_TRUE(t->skip().isOk());
  EXPECT_TRUE(t->eof()) << "the smallest price comes last";

  // The FOR tag holds only records with MIT_MENGE.
  ASSERT_TRUE(t->setOrder(t->orderByName("ACTIVE")).isOk());
  size_t active = 0;
  ASSERT_TRUE(t->goTop().isOk());
  while (!t->eof()) {
    EXPECT_TRUE(t->getLogical(t->fieldIndex("MIT_MENGE")));
    ++active;
    ASSERT_TRUE(t->skip().isOk());
  }
  EXPECT_EQ(active, 1379u - 3u) << "1379 keys, three of them deleted records (17, 500, 1999)";

  // The date tag: an empty date sorts first.
  ASSERT_TRUE(t->setOrder(t->orderByName("BYDATE")).isOk());
  ASSERT_TRUE(t->goTop().isOk());
  EXPECT_EQ(t->getDate(t->fieldIndex("LETZTDAT")), 0);
}

TEST(Table, RandomChangesKeepEveryGenuineTagExactAndReadableByPerl) {
  TempDir tmp;
  std::vector<std::string> files = kArtikelBags;
  files.push_back("ARTIKEL.dbf");
  testsupport::copyFixtures(tmp.path(), "xbase", files);
  const char* fixedSeed = std::getenv("ARTIKIMP_SEED");
  unsigned seed = fixedSeed ? static_cast<unsigned>(std::strtoul(fixedSeed, nullptr, 10)) : std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  {
    auto t = openTable(tmp / "ARTIKEL.dbf");
    for (const auto& bag : kArtikelBags) ASSERT_TRUE(t->attachIndex(tmp / bag).isOk()) << bag;
    int nummer = t->fieldIndex("NUMMER"), artikel = t->fieldIndex("ARTIKEL"),
        netto = t->fieldIndex("NETTO"), wagru = t->fieldIndex("WAGRU"),
        menge = t->fieldIndex("MIT_MENGE"), datum = t->fieldIndex("LETZTDAT");
    for (int op = 0; op < 600; ++op) {
      uint32_t count = 0;
      ASSERT_TRUE(t->recordCount(&count).isOk());
      switch (rng() % 4) {
        case 0:
          ASSERT_TRUE(t->append().isOk());
          ASSERT_TRUE(t->putString(nummer, "N" + std::to_string(rng() % 100000)).isOk());
          ASSERT_TRUE(t->putString(artikel, "Neuer Artikel \xE4" + std::to_string(rng() % 50)).isOk());
          ASSERT_TRUE(t->putNumber(netto, (static_cast<int>(rng() % 200000) - 1000) / 100.0).isOk());
          break;
        case 1:
          ASSERT_TRUE(t->goTo(1 + rng() % count).isOk());
          ASSERT_TRUE(t->putString(wagru, rng() % 2 ? "A1" : "\xD6L").isOk());
          ASSERT_TRUE(t->putLogical(menge, rng() % 2).isOk());
          ASSERT_TRUE(t->putDate(datum, rng() % 5 ? julianFromYmd(2020, 1 + rng() % 12, 1) : 0).isOk());
          break;
        case 2:
          ASSERT_TRUE(t->goTo(1 + rng() % count).isOk());
          ASSERT_TRUE(t->putString(nummer, "U" + std::to_string(rng() % 1000)).isOk());
          ASSERT_TRUE(t->putNumber(netto, static_cast<double>(rng() % 1000)).isOk());
          break;
        case 3:
          ASSERT_TRUE(t->goTo(1 + rng() % count).isOk());
          ASSERT_TRUE((rng() % 3 ? t->deleteRecord() : t->recall()).isOk());
          break;
      }
    }
    Status closed = t->close();
    ASSERT_TRUE(closed.isOk()) << closed.toString();
  }
  // Our own verification: every tag holds exactly the keys the records give, in a sound tree.
  auto verify = testsupport::run({testsupport::cliPath().string(), "table", "verify",
                                  (tmp / "ARTIKEL.dbf").string(), (tmp / "LANUM.cdx").string(),
                                  (tmp / "LANAM.cdx").string(), (tmp / "LAGRUP.cdx").string(),
                                  (tmp / "LAFAV1.cdx").string(), (tmp / "LA_EAN.cdx").string()});
  EXPECT_EQ(verify.exitCode, 0) << verify.out << verify.err;
  // MULTI.cdx holds a unique tag, which after updates legitimately differs from a fresh build;
  // check its tree and the other tags by walking them against the Perl reader instead.
  if (!perlXBaseAvailable()) GTEST_SKIP() << "perl XBase not installed";
  auto t = openTable(tmp / "ARTIKEL.dbf", OpenMode::ReadOnly);
  for (const auto& bag : kArtikelBags) ASSERT_TRUE(t->attachIndex(tmp / bag).isOk());
  for (int n = 1; n <= static_cast<int>(t->orderCount()); ++n) {
    const auto& info = t->orderAt(n).info();
    if (t->orderAt(n).keyType() == Value::Type::Date) continue;
    bool numeric = t->orderAt(n).keyType() == Value::Type::Numeric;
    std::string bag;
    for (const auto& b : kArtikelBags) {
      if (b.substr(0, b.size() - 4) == info.name) bag = b;
    }
    if (bag.empty()) bag = "MULTI.cdx";
    SCOPED_TRACE(info.name);
    std::string perl = perlKeys(tmp / bag, info.name, numeric ? "N" : "C");
    // The genuine files let duplicate counts reach into the previous key's trailing blanks,
    // which the Perl reader decodes as NUL bytes; pages we wrote never do (a test of the
    // index module holds us to that), pages left as read still may.
    std::replace(perl.begin(), perl.end(), '\0', ' ');
    std::string ours = ourKeys(*t, n, numeric);
    EXPECT_EQ(perl, ours);
  }
}

TEST(Table, CreatesIndexesThatOtherReadersAgreeWith) {
  HideDeleted hide(true);
  TempDir tmp;
  auto path = (tmp / "DNORMWGR.dbf").string();
  FieldList fields = {{"WAGRU", 'C', 3, 0}, {"TEXT", 'C', 40, 0}, {"MIT_DIESER", 'L', 1, 0},
                      {"MULTI", 'N', 6, 4}};
  ASSERT_TRUE(Table::create(path, fields, true).isOk());
  auto t = openTable(path);
  const char* groups[] = {"010", "001", "\xD6L", "A1", "", "a1", "100", "002"};
  for (int i = 0; i < 5000; ++i) {
    ASSERT_TRUE(t->append().isOk());
    std::string g = i < 8 ? groups[i] : std::to_string(1000 - i % 997).substr(0, 3);
    ASSERT_TRUE(t->putString(0, g).isOk());
    ASSERT_TRUE(t->putString(1, "Gruppe " + g).isOk());
    ASSERT_TRUE(t->putLogical(2, i % 3 == 0).isOk());
    ASSERT_TRUE(t->putNumber(3, (i % 7) * 0.125).isOk());
    if (i % 11 == 0) {
      ASSERT_TRUE(t->deleteRecord().isOk());
    }
  }
  std::vector<uint32_t> calls;
  ASSERT_TRUE(t->createIndex(tmp / "DNORMWGR.cdx", "dnormwgr", "WAGRU", "",
                             [&](uint32_t r, uint32_t total) {
                               if (calls.empty() || r % 1000 == 0) calls.push_back(r);
                               EXPECT_EQ(total, 5000u);
                             })
                  .isOk());
  EXPECT_EQ(calls.front(), 1u);
  ASSERT_TRUE(t->createIndex(tmp / "MULTI.cdx", "MULTI", "MULTI").isOk());
  EXPECT_EQ(t->orderCount(), 2u);
  // Seeks through the new index, then more appends maintain it.
  ASSERT_TRUE(t->setOrder(t->orderByName("DNORMWGR")).isOk());
  bool found = false;
  ASSERT_TRUE(t->seek("\xD6", &found).isOk());
  EXPECT_TRUE(found);
  EXPECT_EQ(t->recNo(), 3u);
  ASSERT_TRUE(t->append().isOk());
  ASSERT_TRUE(t->putString(0, "ZZZ").isOk());
  ASSERT_TRUE(t->close().isOk());

  auto verify = testsupport::run({testsupport::cliPath().string(), "table", "verify", path,
                                  (tmp / "DNORMWGR.cdx").string(), (tmp / "MULTI.cdx").string()});
  EXPECT_EQ(verify.exitCode, 0) << verify.out << verify.err;
  EXPECT_NE(verify.out.find("DNORMWGR ok 5001 keys"), std::string::npos) << verify.out;
  if (!perlXBaseAvailable()) GTEST_SKIP() << "perl XBase not installed";
  auto again = openTable(path, OpenMode::ReadOnly);
  ASSERT_TRUE(again->attachIndex(tmp / "DNORMWGR.cdx").isOk());
  ASSERT_TRUE(again->attachIndex(tmp / "MULTI.cdx").isOk());
  EXPECT_EQ(perlKeys(tmp / "DNORMWGR.cdx", "DNORMWGR", "C"), ourKeys(*again, 1, false));
  EXPECT_EQ(perlKeys(tmp / "MULTI.cdx", "MULTI", "N"), ourKeys(*again, 2, true));
}

TEST(Table, PackZapAndAppendFromKeepIndexesRight) {
  HideDeleted hide(false);
  TempDir tmp;
  testsupport::copyFixtures(tmp.path(), "xbase", {"DNORMLTT.dbf", "DNORMLTT.cdx"});
  auto t = openTable(tmp / "DNORMLTT.dbf");
  ASSERT_TRUE(t->attachIndex(tmp / "DNORMLTT.cdx").isOk());
  ASSERT_TRUE(t->pack().isOk());
  uint32_t count = 0;
  ASSERT_TRUE(t->recordCount(&count).isOk());
  EXPECT_EQ(count, 8u) << "record 6 was deleted";
  bool found = false;
  ASSERT_TRUE(t->seek("00000003", &found).isOk());
  EXPECT_FALSE(found);
  ASSERT_TRUE(t->seek("0000001  1", &found).isOk());
  EXPECT_TRUE(found);
  EXPECT_EQ(t->recNo(), 8u);
  // Append the original records back from the untouched fixture: 8 + 9.
  ASSERT_TRUE(t->appendFrom(testsupport::fixturesDir() / "xbase/DNORMLTT.dbf").isOk());
  ASSERT_TRUE(t->recordCount(&count).isOk());
  EXPECT_EQ(count, 17u);
  std::vector<std::string> report;
  bool sound = false;
  ASSERT_TRUE(t->verifyIndexes(&report, &sound).isOk());
  EXPECT_TRUE(sound) << report[0];
  ASSERT_TRUE(t->zap().isOk());
  ASSERT_TRUE(t->recordCount(&count).isOk());
  EXPECT_EQ(count, 0u);
  EXPECT_TRUE(t->eof());
  ASSERT_TRUE(t->verifyIndexes(&report, &sound).isOk());
  EXPECT_TRUE(sound);
}

TEST(Table, AnIndexWhoseExpressionCannotBeEvaluatedIsRefusedWithItsName) {
  TempDir tmp;
  testsupport::copyFixtures(tmp.path(), "xbase", {"DNORMWGR.dbf", "DNORMWGR.cdx"});
  // Put an expression into the tag header that names a field the table lacks.
  std::string cdx = testsupport::readFile(tmp / "DNORMWGR.cdx");
  size_t pos = cdx.find("WAGRU", 1024);
  ASSERT_NE(pos, std::string::npos);
  cdx.replace(pos, 5, "WXGRU");
  testsupport::writeFile(tmp / "DNORMWGR.cdx", cdx);
  auto t = openTable(tmp / "DNORMWGR.dbf");
  Status st = t->attachIndex(tmp / "DNORMWGR.cdx");
  EXPECT_FALSE(st.isOk());
  EXPECT_NE(st.message().find("DNORMWGR.cdx"), std::string::npos) << st.message();
  EXPECT_NE(st.message().find("WXGRU"), std::string::npos) << st.message();
}
