// Compound index figures: bulk build of one tag, random seeks, record appends into nine tags,
// and peak memory. Usage: cdx_bench [FOLDER]   (default /tmp; files are removed afterwards)
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "xbase/cdx/cdx_file.h"
#include "xbase/cdx/key_codec.h"
#include "xbase/common/file.h"

namespace {

using xbase::cdx::CdxFile;
using xbase::cdx::KeyList;
using xbase::cdx::Tag;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

void require(const xbase::Status& st, const char* what) {
  if (st.isOk()) return;
  std::fprintf(stderr, "%s: %s\n", what, st.toString().c_str());
  std::exit(1);
}

// Deterministic pseudo-random numbers (xorshift).
class Random {
 public:
  uint32_t next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 7;
    m_state ^= m_state << 17;
    return static_cast<uint32_t>(m_state >> 16);
  }
  uint32_t below(uint32_t n) { return next() % n; }

 private:
  uint64_t m_state = 0x9E3779B97F4A7C15ull;
};

// Upper-cased article texts of the kind a supplier's catalogue holds, blank-padded.
std::string articleKey(Random& rng, size_t length) {
  static const std::vector<std::string> words = {"VENTIL",
                                                 "AU\xDF"
                                                 "ENGEWINDE",
                                                 "ROHRSCHELLE",
                                                 "FLACHDICHTUNG",
                                                 "BOGEN",
                                                 "ECKVENTIL",
                                                 "KUPFERROHR",
                                                 "\xDC"
                                                 "BERGANGSST\xDC"
                                                 "CK",
                                                 "MESSING",
                                                 "VERZINKT",
                                                 "EDELSTAHL",
                                                 "ROTGUSS",
                                                 "F\xDCR",
                                                 "HEIZ\xD6L",
                                                 "DN",
                                                 "MM",
                                                 "KUGELHAHN",
                                                 "MUFFE",
                                                 "REDUZIERST\xDC"
                                                 "CK",
                                                 "SCHRAUBE",
                                                 "W\xC4RMED\xC4MMUNG",
                                                 "90 GRAD",
                                                 "1/2",
                                                 "3/4"};
  std::string key;
  while (key.size() < length - 6)
    key += words[rng.below(static_cast<uint32_t>(words.size()))] + " ";
  key += std::to_string(rng.below(1000));
  key.resize(length, ' ');
  return key;
}

std::string numberKey(Random& rng, size_t length) {
  std::string key = std::to_string(rng.below(100000000));
  key.resize(length, ' ');
  return key;
}

std::unique_ptr<CdxFile> createIndex(const std::string& path) {
  xbase::FileSystem::real().remove(path);
  std::unique_ptr<xbase::File> file;
  require(xbase::FileSystem::real().create(path, &file), "create");
  std::unique_ptr<CdxFile> cdx;
  require(CdxFile::create(std::move(file), &cdx), "create index");
  return cdx;
}

std::unique_ptr<CdxFile> openIndex(const std::string& path) {
  std::unique_ptr<xbase::File> file;
  require(xbase::FileSystem::real().open(path, xbase::OpenMode::Exclusive, &file), "open");
  std::unique_ptr<CdxFile> cdx;
  require(CdxFile::open(std::move(file), &cdx), "open index");
  return cdx;
}

void bulkAndSeeks(const std::string& folder, uint32_t count) {
  const std::string path = folder + "/cdx_bench_bulk.cdx";
  Random rng;
  std::vector<std::string> sample;
  auto start = Clock::now();
  KeyList keys(40);
  keys.reserve(count);
  for (uint32_t recno = 1; recno <= count; ++recno) {
    std::string key = articleKey(rng, 40);
    if (recno % 97 == 0) sample.push_back(key);
    keys.add(key, recno);
  }
  const double generate = secondsSince(start);
  {
    auto cdx = createIndex(path);
    start = Clock::now();
    require(cdx->addTag({"LANAM", "UPPER(ARTIKEL)", "", 40, false, false, ' '}, std::move(keys)),
            "add tag");
    require(cdx->flush(), "flush");
    std::printf("bulk build of %u 40-byte keys: %.3f s (sort, build, write; keys made in %.3f s)\n",
                count, secondsSince(start), generate);
  }
  auto cdx = openIndex(path);
  Tag& tag = cdx->tag(0);
  Tag::Cursor c;
  for (int pass = 0; pass < 2; ++pass) {
    const uint32_t seeks = count;
    start = Clock::now();
    for (uint32_t i = 0; i < seeks; ++i)
      require(tag.seekGE(sample[rng.below(static_cast<uint32_t>(sample.size()))], 0, c), "seek");
    std::printf("random seeks on %u keys (%s pages): %.0f seeks/s\n", count,
                pass ? "cached" : "cold", seeks / secondsSince(start));
  }
  xbase::FileSystem::real().remove(path);
  std::printf("peak RSS after %u keys: %ld MB\n", count, peakRssMb());
}

// Appends `added` records with random keys to nine tags of `existing` keys each. With
// seekFirst, every record first seeks its key in the first tag (as an import that looks up
// the article number does), so that tag merges its inserts one by one.
void appends(const std::string& folder, uint32_t existing, uint32_t added, bool seekFirst) {
  struct Plan {
    const char* name;
    uint16_t keyLength;
    char fill;
    std::string (*key)(Random&, size_t);
  };
  auto blankMostly = [](Random& rng, size_t length) {
    return rng.below(10) ? std::string(length, ' ') : numberKey(rng, length);
  };
  auto price = [](Random& rng, size_t) {
    return xbase::cdx::encodeNumberKey(rng.below(250000) / 100.0);
  };
  const std::vector<Plan> plans = {
      {"LANUM", 15, ' ', numberKey},      {"LALIEF", 25, ' ', numberKey},
      {"LAGRUP", 25, ' ', numberKey},     {"LALIENUM", 20, ' ', numberKey},
      {"LA_FREI1", 20, ' ', blankMostly}, {"LA_EAN", 13, ' ', numberKey},
      {"LAFAV1", 8, '\0', price},         {"LANGNUM", 15, ' ', numberKey},
      {"LANAM", 40, ' ', articleKey},
  };
  const std::string path = folder + "/cdx_bench_appends.cdx";
  Random rng;
  auto cdx = createIndex(path);
  for (const auto& p : plans) {
    KeyList keys(p.keyLength);
    for (uint32_t recno = 1; recno <= existing; ++recno) keys.add(p.key(rng, p.keyLength), recno);
    require(cdx->addTag({p.name, p.name, "", p.keyLength, false, false, p.fill}, std::move(keys)),
            "add tag");
  }
  require(cdx->flush(), "flush");
  std::vector<KeyList> newKeys;
  for (const auto& p : plans) {
    newKeys.emplace_back(p.keyLength);
    for (uint32_t i = 0; i < added; ++i)
      newKeys.back().add(p.key(rng, p.keyLength), existing + 1 + i);
  }

  Tag::Cursor c;
  auto start = Clock::now();
  for (uint32_t i = 0; i < added; ++i) {
    if (seekFirst) require(cdx->tag(0).seekGE(newKeys[0].key(i), 0, c), "seek");
    for (size_t t = 0; t < plans.size(); ++t)
      require(cdx->tag(t).insert(newKeys[t].key(i), newKeys[t].recno(i)), "insert");
  }
  require(cdx->flush(), "flush");
  const double seconds = secondsSince(start);
  std::printf(
      "appends of %u records with random keys into 9 tags of %u keys%s: %.0f inserts/s "
      "(final flush included)\n",
      added, existing, seekFirst ? ", a seek in the first tag before each" : "",
      static_cast<double>(added) * plans.size() / seconds);
  xbase::FileSystem::real().remove(path);
  std::printf("peak RSS after the appends: %ld MB\n", peakRssMb());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "/tmp";
  bulkAndSeeks(folder, 100000);
  bulkAndSeeks(folder, 1000000);
  appends(folder, 100000, 200000, false);
  appends(folder, 100000, 200000, true);
  return 0;
}
