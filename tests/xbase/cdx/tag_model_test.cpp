// Random inserts and removes on several tags of one file, checked against a std::set model
// after every batch: tree invariants, full walks both ways, seeks, cursors that live across
// changes, and flush / close / reopen from disk with every page of the file accounted for.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>

#include "cdx_test_util.h"
#include "support/test_support.h"
#include "xbase/cdx/key_codec.h"
#include "xbase/common/file.h"

namespace {

using cdxtest::Entry;
using xbase::cdx::CdxFile;
using xbase::cdx::Tag;
using Rng = std::mt19937;

using KeyMaker = std::function<std::string(Rng&)>;

// Keys from a small alphabet that contains the fill byte, so that keys share prefixes, repeat,
// and carry fill bytes in the middle as well as at the end.
KeyMaker keysFrom(uint16_t keyLength, std::string alphabet, char fill) {
  return [=](Rng& rng) {
    std::string key;
    const size_t content = rng() % 5 == 0 ? 0 : rng() % (keyLength + 1);
    while (key.size() < content) key += alphabet[rng() % alphabet.size()];
    key.resize(keyLength, fill);
    return key;
  };
}

struct TagModel {
  std::string name;
  char fill;
  bool unique;
  uint32_t maxRecno;
  KeyMaker makeKey;
  std::set<Entry> entries = {};

  void insert(const std::string& key, uint32_t recno) {
    if (unique) {
      auto it = entries.lower_bound({key, 0});
      if (it != entries.end() && it->key == key) {
        if (it->recno <= recno) return;
        entries.erase(it);
      }
    }
    entries.insert({key, recno});
  }
};

class ModelRun {
 public:
  // cachedLeaves: the tags' page cache, 0 for the default.
  ModelRun(std::string path, std::vector<TagModel> tags, uint32_t seed, size_t cachedLeaves = 0)
      : m_path(std::move(path)),
        m_tags(std::move(tags)),
        m_rng(seed),
        m_cachedLeaves(cachedLeaves),
        m_unclaimed(cdxtest::unclaimedPages(testsupport::readFile(m_path))) {}

  void reopen() {
    m_cdx.reset();
    m_cdx = cdxtest::openCdx(m_path);
    ASSERT_TRUE(m_cdx);
    for (auto& t : m_tags) {
      ASSERT_NE(m_cdx->findTag(t.name), nullptr) << t.name;
      m_cdx->findTag(t.name)->setFill(t.fill);
      if (m_cachedLeaves) m_cdx->findTag(t.name)->setCachedLeaves(m_cachedLeaves);
    }
  }

  void loadModelsFromFile() {
    for (auto& t : m_tags) {
      const auto all = cdxtest::walk(*m_cdx->findTag(t.name));
      t.entries = std::set<Entry>(all.begin(), all.end());
    }
  }

  void batch(size_t operations) {
    // A cursor on an entry of each tag must find its neighbours after the changes.
    std::vector<std::pair<Tag::Cursor, Entry>> cursors;
    for (auto& t : m_tags) {
      Tag::Cursor c;
      if (!t.entries.empty()) {
        auto it = std::next(t.entries.begin(), static_cast<long>(m_rng() % t.entries.size()));
        ASSERT_TRUE(tag(t).seekGE(it->key, it->recno, c).isOk());
      }
      cursors.push_back({c, c.valid ? Entry{c.key, c.recno} : Entry{}});
    }
    for (size_t i = 0; i < operations; ++i) operate(m_tags[m_rng() % m_tags.size()]);
    for (size_t i = 0; i < m_tags.size(); ++i) {
      if (!cursors[i].first.valid) continue;
      expectNeighbours(m_tags[i], cursors[i].first, cursors[i].second);
    }
  }

  void drain(TagModel& t) {
    while (!t.entries.empty()) {
      auto it = std::next(t.entries.begin(), static_cast<long>(m_rng() % t.entries.size()));
      ASSERT_TRUE(tag(t).remove(it->key, it->recno).isOk());
      t.entries.erase(it);
    }
  }

  void verify() {
    for (auto& t : m_tags) {
      SCOPED_TRACE(t.name);
      Tag& g = tag(t);
      uint64_t count = 0;
      xbase::Status st = g.check(&count);
      ASSERT_TRUE(st.isOk()) << st.toString();
      ASSERT_EQ(count, t.entries.size());
      const std::vector<Entry> want(t.entries.begin(), t.entries.end());
      ASSERT_EQ(cdxtest::walk(g), want);
      auto back = cdxtest::walkBack(g);
      std::reverse(back.begin(), back.end());
      ASSERT_EQ(back, want);
      for (int i = 0; i < 20; ++i) expectSeek(t);
    }
  }

  void flushAndReopen() {
    ASSERT_TRUE(m_cdx->flush().isOk());
    m_cdx.reset();
    // Pages no tree and no free list holds: only those the file had before (FoxPro leaves some).
    const auto unclaimed = cdxtest::unclaimedPages(testsupport::readFile(m_path));
    EXPECT_TRUE(
        std::includes(m_unclaimed.begin(), m_unclaimed.end(), unclaimed.begin(), unclaimed.end()))
        << unclaimed.size() << " pages lost";
    reopen();
  }

  std::vector<TagModel>& tags() { return m_tags; }
  Rng& rng() { return m_rng; }

 private:
  Tag& tag(const TagModel& t) { return *m_cdx->findTag(t.name); }

  void operate(TagModel& t) {
    const uint32_t kind = m_rng() % 10;
    if (kind < 6 || t.entries.empty()) {
      const std::string key = t.makeKey(m_rng);
      const uint32_t recno = 1 + m_rng() % t.maxRecno;
      xbase::Status st = tag(t).insert(key, recno);
      ASSERT_TRUE(st.isOk()) << st.toString();
      t.insert(key, recno);
    } else if (kind < 9) {
      auto it = std::next(t.entries.begin(), static_cast<long>(m_rng() % t.entries.size()));
      xbase::Status st = tag(t).remove(it->key, it->recno);
      ASSERT_TRUE(st.isOk()) << st.toString();
      t.entries.erase(it);
    } else {
      const Entry absent{t.makeKey(m_rng), static_cast<uint32_t>(1 + m_rng() % t.maxRecno)};
      const bool present = t.entries.erase(absent) > 0;
      EXPECT_EQ(tag(t).remove(absent.key, absent.recno).isOk(), present);
    }
  }

  void expectSeek(const TagModel& t) {
    std::string key = t.makeKey(m_rng);
    const size_t keyLength = key.size();
    key.resize(m_rng() % (keyLength + 1));  // often a prefix
    const uint32_t recno = m_rng() % 2 ? 0 : m_rng() % (t.maxRecno + 1);
    std::string padded = key;
    padded.resize(keyLength, '\0');
    auto it = t.entries.lower_bound({padded, recno});
    Tag::Cursor c;
    ASSERT_TRUE(tag(t).seekGE(key, recno, c).isOk());
    ASSERT_EQ(c.valid, it != t.entries.end());
    if (c.valid) {
      EXPECT_EQ((Entry{c.key, c.recno}), *it);
    }
  }

  void expectNeighbours(const TagModel& t, const Tag::Cursor& at, const Entry& was) {
    Tag::Cursor next = at, prev = at;
    ASSERT_TRUE(tag(t).next(next).isOk());
    ASSERT_TRUE(tag(t).prev(prev).isOk());
    auto after = t.entries.upper_bound(was);
    ASSERT_EQ(next.valid, after != t.entries.end());
    if (next.valid) {
      EXPECT_EQ((Entry{next.key, next.recno}), *after);
    }
    auto before = t.entries.lower_bound(was);
    ASSERT_EQ(prev.valid, before != t.entries.begin());
    if (prev.valid) {
      EXPECT_EQ((Entry{prev.key, prev.recno}), *std::prev(before));
    }
  }

  std::string m_path;
  std::vector<TagModel> m_tags;
  Rng m_rng;
  size_t m_cachedLeaves;
  std::set<uint32_t> m_unclaimed;
  std::unique_ptr<CdxFile> m_cdx;
};

void runBatches(ModelRun& run, int batches, size_t operations) {
  for (int b = 0; b < batches && !::testing::Test::HasFatalFailure(); ++b) {
    SCOPED_TRACE("batch " + std::to_string(b));
    if (b % 7 == 6) run.drain(run.tags()[run.rng()() % run.tags().size()]);
    run.batch(operations);
    run.verify();
    if (b % 4 == 3) run.flushAndReopen();
  }
  run.flushAndReopen();
  run.verify();
}

TEST(CdxTagModel, RandomUpdatesOnNewTags) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    // The last run keeps two decoded leaves per tag: pages are dropped and read again
    // between every two operations, under live cursors.
    const size_t cachedLeaves = seed == 3 ? 2 : 0;
    testsupport::TempDir dir;
    const std::string path = dir / "model.cdx";
    std::vector<TagModel> tags = {
        // Record numbers cross 65535: entries grow from 3 to 4 bytes.
        {"SHORT", ' ', false, 100000, keysFrom(10, "AB C\xFC", ' ')},
        {"UNIQ40", ' ', true, 5000, keysFrom(40, "AAB ", ' ')},
        {"NUMERIC", '\0', false, 3000, keysFrom(8, std::string("\0\x01\x7F\x80\xFF", 5), '\0')},
        // Two entries per interior page: deep trees with many splits.
        {"WIDE", ' ', false, 65535, keysFrom(240, "AB ", ' ')},
        {"TINY", ' ', true, 1000000, keysFrom(3, "AB ", ' ')},
    };
    {
      std::unique_ptr<xbase::File> file;
      ASSERT_TRUE(xbase::FileSystem::real().create(path, &file).isOk());
      std::unique_ptr<CdxFile> cdx;
      ASSERT_TRUE(CdxFile::create(std::move(file), &cdx).isOk());
      Rng rng(seed);
      for (auto& t : tags) {
        const uint16_t kl = static_cast<uint16_t>(t.makeKey(rng).size());
        xbase::cdx::KeyList list(kl);
        for (int i = 0; i < (t.name == "WIDE" ? 0 : 400); ++i) {
          const std::string key = t.makeKey(rng);
          const uint32_t recno = 1 + rng() % t.maxRecno;
          list.add(key, recno);
          t.insert(key, recno);
        }
        ASSERT_TRUE(
            cdx->addTag({t.name, "EXPR", "", kl, t.unique, false, t.fill}, std::move(list)).isOk());
      }
      ASSERT_TRUE(cdx->flush().isOk());
    }
    ModelRun run(path, std::move(tags), seed, cachedLeaves);
    run.reopen();
    run.verify();
    runBatches(run, 24, 250);
  }
}

TEST(CdxTagModel, RandomUpdatesOnCopiesOfForeignFiles) {
  const uint32_t seed = 7;
  SCOPED_TRACE("seed " + std::to_string(seed));
  struct Bag {
    const char* folder;
    const char* file;
    std::vector<TagModel> tags;
  };
  auto numbers = [](Rng& rng) {
    return xbase::cdx::encodeNumberKey((static_cast<int>(rng() % 2000) - 100) / 4.0);
  };
  auto integers = [](Rng& rng) {
    return xbase::cdx::encodeIntegerKey(10000 + static_cast<int>(rng() % 1000));
  };
  std::vector<Bag> bags = {
      {"xbase", "LANUM.cdx", {{"LANUM", ' ', false, 3000, keysFrom(15, "0AB x-", ' ')}}},
      {"xbase", "LANAM.cdx", {{"LANAM", ' ', false, 3000, keysFrom(40, "ABSPERR \xDC", ' ')}}},
      {"xbase", "LAFAV1.cdx", {{"LAFAV1", '\0', false, 3000, numbers}}},
      {"xbase",
       "MULTI.cdx",
       {{"BYNUM", ' ', false, 3000, keysFrom(15, "0AB x-", ' ')},
        {"BYPRICE", '\0', false, 3000, numbers},
        {"UNIQGRP", ' ', true, 3000, keysFrom(10, "01A\xD6", ' ')}}},
      {"foxpro",
       "orders.cdx",
       {{"ORDERID", '\0', false, 1000, integers},
        {"CUSTOMERID", ' ', false, 1000, keysFrom(6, "ABC\x80", ' ')}}},
  };
  for (auto& bag : bags) {
    SCOPED_TRACE(bag.file);
    testsupport::TempDir dir;
    testsupport::copyFixtures(dir.path(), bag.folder, {bag.file});
    ModelRun run(dir / bag.file, std::move(bag.tags), seed);
    run.reopen();
    run.loadModelsFromFile();
    run.verify();
    runBatches(run, 12, 300);
  }
}

}  // namespace
