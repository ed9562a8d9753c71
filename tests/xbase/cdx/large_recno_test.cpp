#include <gtest/gtest.h>

#include <cstdio>

#include "cdx_test_util.h"
#include "support/test_support.h"
#include "xbase/cdx/cdx_file.h"
#include "xbase/common/file.h"

using namespace xbase;
using namespace xbase::cdx;

namespace {

// A 75-byte key (article number + text line) leaves only 18 record bits in a 4-byte entry
// with full-width counts: 262,143 records. Large tables need narrower count fields.
std::string longKey(uint32_t i) {
  char buf[80];
  std::snprintf(buf, sizeof buf, "%08u-01      Text %u", i % 5000, i);
  std::string k(buf);
  k.resize(75, ' ');
  return k;
}

}  // namespace

TEST(LargeRecordNumbers, LongKeysKeepWorkingPastTheFullWidthLimit) {
  testsupport::TempDir tmp;
  std::string path = tmp / "LANGNUM2.cdx";
  std::vector<cdxtest::Entry> expected;
  {
    std::unique_ptr<File> file;
    ASSERT_TRUE(FileSystem::real().create(path, &file).isOk());
    std::unique_ptr<CdxFile> cdx;
    ASSERT_TRUE(CdxFile::create(std::move(file), &cdx).isOk());
    KeyList keys(75);
    for (uint32_t r = 1; r <= 3000; ++r) keys.add(longKey(r), 262000 + r);
    Status st = cdx->addTag({"LANGNUM2", "ART_NUM+TEXT1", "", 75, false, false, ' '}, std::move(keys));
    ASSERT_TRUE(st.isOk()) << st.toString();
    Tag& tag = cdx->tag(0);
    // Updates across the limit, up to a million records.
    for (uint32_t r = 1; r <= 2000; ++r) ASSERT_TRUE(tag.insert(longKey(r * 7), 999000 + r).isOk());
    for (uint32_t r = 1; r <= 500; ++r) ASSERT_TRUE(tag.remove(longKey(r), 262000 + r).isOk());
    uint64_t count = 0;
    st = tag.check(&count);
    ASSERT_TRUE(st.isOk()) << st.toString();
    EXPECT_EQ(count, 4500u);
    expected = cdxtest::walk(tag);
    ASSERT_TRUE(cdx->flush().isOk());
  }
  auto reopened = cdxtest::openCdx(path);
  ASSERT_TRUE(reopened);
  uint64_t count = 0;
  ASSERT_TRUE(reopened->tag(0).check(&count).isOk());
  EXPECT_EQ(cdxtest::walk(reopened->tag(0)), expected);

  // The independent reader decodes the narrower fields from each page's masks.
  auto perl = testsupport::run(
      {"/usr/bin/perl", "-MXBase::Index", "-e",
       "$i=XBase::Index->new($ARGV[0], tag=>'LANGNUM2', type=>'C') or die; $i->prepare_select;"
       " $n=0; while (my ($k,$r)=$i->fetch) { $n++; $last=\"$k|$r\" } print \"$n $last\\n\"",
       path});
  if (perl.exitCode != 0) GTEST_SKIP() << "perl XBase not available: " << perl.err;
  std::string lastKey = expected.back().key;
  lastKey.erase(lastKey.find_last_not_of(' ') + 1);
  EXPECT_EQ(perl.out, std::to_string(expected.size()) + " " + lastKey + "|" +
                          std::to_string(expected.back().recno) + "\n");
}
