// Files we write, read by an independent reader (Perl's XBase::Index): bulk-built tags and
// tags changed by many inserts and removes must list the same keys in the same order.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <sstream>

#include "cdx_test_util.h"
#include "support/test_support.h"
#include "xbase/cdx/key_codec.h"
#include "xbase/common/file.h"
#include "xbase/common/julian.h"

namespace {

using xbase::cdx::CdxFile;
using xbase::cdx::KeyList;
using xbase::cdx::Tag;

const char kListing[] =
    "$i=XBase::Index->new($ARGV[0], tag=>$ARGV[1], type=>$ARGV[2]) or die XBase::Index->errstr;"
    " $i->prepare_select; while (my ($k,$r)=$i->fetch) { print \"[$k]\\t$r\\n\" }";

bool perlReaderInstalled() {
  return testsupport::run({"/usr/bin/perl", "-MXBase::Index", "-MTime::JulianDay", "-e", "1"})
             .exitCode == 0;
}

// What the Perl reader prints for one key of a tag of field type "char", "N" or "D":
// character keys without trailing blanks, numbers as Perl formats them, dates as YYYYMMDD
// (0 for the empty date).
std::string perlText(const std::string& key, const std::string& type) {
  char buf[64];
  if (type == "N") {
    std::snprintf(buf, sizeof buf, "%.15g", xbase::cdx::decodeNumberKey(key));
    return buf;
  }
  if (type == "D") {
    const auto jdn = static_cast<int32_t>(xbase::cdx::decodeNumberKey(key));
    return jdn == 0 ? "0" : xbase::dtosFromJulian(jdn);
  }
  return key.substr(0, key.find_last_not_of(' ') + 1);
}

std::string ourListing(Tag& tag, const std::string& type) {
  std::string out;
  for (const auto& e : cdxtest::walk(tag))
    out += "[" + perlText(e.key, type) + "]\t" + std::to_string(e.recno) + "\n";
  return out;
}

struct TagPlan {
  std::string name, type;
  uint16_t keyLength;
  char fill;
  std::function<std::string(std::mt19937&)> makeKey;
};

TEST(CdxPerlInterop, ReaderListsWhatWeWrote) {
  if (!perlReaderInstalled()) GTEST_SKIP() << "perl XBase::Index is not installed";
  // Words whose blanks tempt a writer to share bytes that are trailing blanks of the
  // previous key ("Devon" before "Devon Park").
  const std::vector<std::string> words = {"Devon",     "Devon Park", "Devon Parkway", "Dev",
                                          "M\xFCller", "Mueller",    "Zange 10 mm",   "Zange",
                                          "",          "A B C"};
  const std::vector<TagPlan> plans = {
      {"NAMES", "char", 20, ' ',
       [&](std::mt19937& rng) {
         std::string key = words[rng() % words.size()];
         if (rng() % 2) key += " " + std::to_string(rng() % 50);
         key.resize(20, ' ');
         return key;
       }},
      {"PRICES", "N", 8, '\0',
       [](std::mt19937& rng) {
         return xbase::cdx::encodeNumberKey((static_cast<double>(rng() % 200001) - 100000) / 100);
       }},
      {"DATES", "D", 8, '\0',
       [](std::mt19937& rng) {
         return xbase::cdx::encodeDateKey(rng() % 10 ? xbase::julianFromYmd(2015, 1, 1) +
                                                           static_cast<int32_t>(rng() % 4000)
                                                     : 0);
       }},
  };
  testsupport::TempDir dir;
  const std::string path = dir / "interop.cdx";
  std::unique_ptr<xbase::File> file;
  ASSERT_TRUE(xbase::FileSystem::real().create(path, &file).isOk());
  std::unique_ptr<CdxFile> cdx;
  ASSERT_TRUE(CdxFile::create(std::move(file), &cdx).isOk());
  std::mt19937 rng(11);
  for (const auto& plan : plans) {
    KeyList list(plan.keyLength);
    // Record numbers above 16383 need 4-byte entries for 20-byte keys.
    for (uint32_t recno = 1; recno <= 20000; recno += 1 + rng() % 4)
      list.add(plan.makeKey(rng), recno);
    ASSERT_TRUE(cdx->addTag({plan.name, plan.name, "", plan.keyLength, false, false, plan.fill},
                            std::move(list))
                    .isOk());
  }
  ASSERT_TRUE(cdx->flush().isOk());
  for (const auto& plan : plans) {
    SCOPED_TRACE(plan.name + " as built");
    const auto listed = testsupport::run(
        {"/usr/bin/perl", "-MXBase::Index", "-e", kListing, path, plan.name, plan.type});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, ourListing(*cdx->findTag(plan.name), plan.type));
  }

  // Random changes: removes of existing entries and inserts of new records.
  for (const auto& plan : plans) {
    Tag& tag = *cdx->findTag(plan.name);
    for (int i = 0; i < 3000; ++i) {
      Tag::Cursor c;
      ASSERT_TRUE(tag.seekGE(plan.makeKey(rng), 0, c).isOk());
      if (c.valid && rng() % 2) {
        ASSERT_TRUE(tag.remove(c.key, c.recno).isOk());
      } else {
        ASSERT_TRUE(tag.insert(plan.makeKey(rng), 20001 + static_cast<uint32_t>(i)).isOk());
      }
    }
  }
  ASSERT_TRUE(cdx->flush().isOk());
  for (const auto& plan : plans) {
    SCOPED_TRACE(plan.name + " after changes");
    const auto listed = testsupport::run(
        {"/usr/bin/perl", "-MXBase::Index", "-e", kListing, path, plan.name, plan.type});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, ourListing(*cdx->findTag(plan.name), plan.type));
  }
}

}  // namespace
