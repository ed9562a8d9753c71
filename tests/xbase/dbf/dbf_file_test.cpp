#include <gtest/gtest.h>

#include <unistd.h>

#include "support/test_support.h"
#include "xbase/dbf/dbf_file.h"
#include "xbase/dbf/field_writer.h"

using namespace xbase;
using testsupport::TempDir;

namespace {

std::unique_ptr<DbfFile> openOrFail(const std::string& path, OpenMode mode = OpenMode::ReadOnly) {
  std::unique_ptr<DbfFile> dbf;
  Status st = DbfFile::open(FileSystem::real(), path, mode, &dbf);
  EXPECT_TRUE(st.isOk()) << st.toString();
  return dbf;
}

std::string field(const DbfFile& dbf, const std::string& rec, const std::string& name) {
  int i = findField(dbf.fields(), name);
  EXPECT_GE(i, 0) << name;
  const FieldDef& f = dbf.fields()[i];
  return rec.substr(f.offset, f.length);
}

bool hasDebianPython() { return access("/usr/bin/python3", X_OK) == 0; }

}  // namespace

TEST(DbfFile, ReadsGenuineHeadersAndRecords) {
  struct Case {
    std::string dir, file;
    uint32_t records;
    uint16_t headerLength, recordLength;
    size_t fields;
  } cases[] = {
      {"xbase", "ARTIKEL.dbf", 2000, 1410, 485, 43},
      {"xbase", "LANGTEXT.dbf", 300, 706, 1216, 21},
      {"xbase", "DNORMLTT.dbf", 9, 162, 52, 4},
      {"xbase", "WEURO.dbf", 4, 194, 44, 5},
      {"foxpro", "orders.dbf", 0, 0, 0, 0},
      {"foxpro", "employees.dbf", 0, 0, 0, 0},
      {"foxpro", "rooms.dbf", 0, 0, 0, 0},
      {"foxpro", "afox5.dbf", 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    auto dbf = openOrFail(testsupport::fixturesDir() / c.dir / c.file);
    ASSERT_TRUE(dbf);
    if (c.records) {
      EXPECT_EQ(dbf->cachedRecordCount(), c.records);
      EXPECT_EQ(dbf->header().headerLength, c.headerLength);
      EXPECT_EQ(dbf->recordLength(), c.recordLength);
      EXPECT_EQ(dbf->fields().size(), c.fields);
    }
    uint32_t last = dbf->fields().back().offset + dbf->fields().back().length;
    EXPECT_LE(last, dbf->recordLength());
  }

  auto art = openOrFail(testsupport::fixturesDir() / "xbase/ARTIKEL.dbf");
  std::string rec;
  ASSERT_TRUE(art->readRecord(17, rec).isOk());
  EXPECT_EQ(rec[0], '*');
  EXPECT_EQ(field(*art, rec, "NUMMER"), "0134623        ");
  ASSERT_TRUE(art->readRecord(200, rec).isOk());
  EXPECT_EQ(rec[0], ' ');
  EXPECT_EQ(field(*art, rec, "netto"), "   123456.78");
  EXPECT_EQ(field(*art, rec, "WAGRU"), "\xD6L        ");
  EXPECT_EQ(field(*art, rec, "LETZTDAT"), "20171113");
  EXPECT_FALSE(art->readRecord(2001, rec).isOk());
}

TEST(DbfFile, RefusesDamagedFilesWithTheFileName) {
  TempDir tmp;
  std::string good = testsupport::readFile(testsupport::fixturesDir() / "xbase/DNORMWGR.dbf");
  auto patched = [&](size_t at, std::string bytes) {
    std::string b = good;
    b.replace(at, bytes.size(), bytes);
    return b;
  };
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty file", ""},
      {"truncated header", good.substr(0, 20)},
      {"header cut inside the descriptors", good.substr(0, 70)},
      {"unknown version byte", patched(0, "\x07")},
      {"header length too small", patched(8, std::string("\x10\x00", 2))},
      {"descriptor past the header length", patched(8, std::string("\x30\x00", 2))},
      {"no terminator before the header length",
       patched(32 + 3 * 32, std::string("X", 1))},
      {"count larger than the file", patched(4, std::string("\xFF\x00\x00\x00", 4))},
      {"fields longer than the record", patched(10, std::string("\x05\x00", 2))},
      {"field of length 0", patched(32 + 16, std::string("\x00", 1))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto path = tmp / "BROKEN.dbf";
    testsupport::writeFile(path, c.bytes);
    std::unique_ptr<DbfFile> dbf;
    Status st = DbfFile::open(FileSystem::real(), path, OpenMode::ReadOnly, &dbf);
    EXPECT_FALSE(st.isOk());
    EXPECT_NE(st.message().find("BROKEN.dbf"), std::string::npos) << st.message();
    EXPECT_EQ(testsupport::readFile(path), c.bytes) << "nothing may be written";
  }
}

TEST(DbfFile, AcceptsBothEndingsAndCountsRecordsBeyondAStaleHeader) {
  TempDir tmp;
  auto path = tmp / "DNORMWGR.dbf";
  std::string bytes = testsupport::readFile(testsupport::fixturesDir() / "xbase/DNORMWGR.dbf");
  // Without the end-of-file byte, as a shared append by another runtime leaves it.
  ASSERT_EQ(bytes.back(), '\x1A');
  bytes.pop_back();
  // Another process appended a record but has not rewritten the header count yet.
  bytes += std::string(" 77 Nachtrag") + std::string(45 - 12, ' ');
  testsupport::writeFile(path, bytes);
  auto dbf = openOrFail(path, OpenMode::Shared);
  ASSERT_TRUE(dbf);
  EXPECT_EQ(dbf->cachedRecordCount(), 9u);
  std::string rec;
  ASSERT_TRUE(dbf->readRecord(9, rec).isOk());
  EXPECT_EQ(rec.substr(1, 3), "77 ");
}

TEST(DbfFile, CreatesAppendsPacksAndZapsReadablyForOtherReaders) {
  TempDir tmp;
  auto path = (tmp / "NEU.dbf").string();
  FieldList fields = {{"NUMMER", 'C', 15, 0}, {"text", 'C', 20, 0}, {"MENGE", 'N', 8, 2},
                      {"DATUM", 'D', 8, 0},   {"AKTIV", 'L', 1, 0}};
  std::unique_ptr<DbfFile> dbf;
  ASSERT_TRUE(DbfFile::create(FileSystem::real(), path, fields, true, &dbf).isOk());
  EXPECT_EQ(dbf->fields()[1].name, "TEXT");
  EXPECT_EQ(dbf->recordLength(), 1 + 15 + 20 + 8 + 8 + 1);
  for (int i = 1; i <= 5; ++i) {
    std::string rec = dbf->blankRecord();
    writeCharacter(dbf->fields()[0], "A" + std::to_string(i), rec.data());
    writeCharacter(dbf->fields()[1], "Gr\xF6\xDF" "e " + std::to_string(i), rec.data());
    ASSERT_TRUE(writeNumeric(dbf->fields()[2], -1.5 * i, rec.data()).isOk());
    writeDate(dbf->fields()[3], i == 3 ? 0 : 2460448 + i, rec.data());
    writeLogical(dbf->fields()[4], i % 2 == 0, rec.data());
    if (i == 2) rec[0] = '*';
    uint32_t recno = 0;
    ASSERT_TRUE(dbf->appendRecord(rec, &recno).isOk());
    EXPECT_EQ(recno, static_cast<uint32_t>(i));
  }
  std::string bytes = testsupport::readFile(path);
  EXPECT_EQ(bytes.back(), '\x1A');
  EXPECT_EQ(bytes.size(), dbf->header().headerLength + 5u * dbf->recordLength() + 1);
  EXPECT_EQ(bytes[28], '\x01');
  EXPECT_EQ(bytes[29], '\x03');

  if (hasDebianPython()) {
    auto r = testsupport::run(
        {"/usr/bin/python3", "-c",
         "import sys\nfrom dbfread import DBF\nt=DBF(sys.argv[1])\n"
         "print(t.header.numrecords)\nfor r in t: print(r['NUMMER'], r['TEXT'], r['MENGE'], r['DATUM'], r['AKTIV'])",
         path});
    if (r.exitCode == 0) {
      EXPECT_EQ(r.out,
                "5\nA1 Größe 1 -1.5 2024-05-18 False\nA3 Größe 3 -4.5 None False\n"
                "A4 Größe 4 -6.0 2024-05-21 True\nA5 Größe 5 -7.5 2024-05-22 False\n");
    }
  }

  ASSERT_TRUE(dbf->pack().isOk());
  EXPECT_EQ(dbf->cachedRecordCount(), 4u);
  std::string rec;
  ASSERT_TRUE(dbf->readRecord(2, rec).isOk());
  EXPECT_EQ(rec.substr(1, 2), "A3");
  EXPECT_EQ(testsupport::readFile(path).size(), dbf->header().headerLength + 4u * dbf->recordLength() + 1);
  ASSERT_TRUE(dbf->zap().isOk());
  dbf.reset();
  auto reopened = openOrFail(path);
  EXPECT_EQ(reopened->cachedRecordCount(), 0u);
}

TEST(FieldWriter, NumbersAreRoundedRightAlignedAndNeverOverflowSilently) {
  struct Case {
    double value;
    uint16_t width;
    uint8_t decimals;
    const char* text;
    bool fits;
  } cases[] = {
      {0, 5, 2, " 0.00", true},
      {-0.5, 6, 2, " -0.50", true},
      {2.675, 6, 2, "  2.68", true},
      {-2.675, 6, 2, " -2.68", true},
      {1.005, 6, 2, "  1.01", true},
      {-0.001, 6, 2, "  0.00", true},
      {19, 5, 2, "19.00", true},
      {123456.78, 12, 2, "   123456.78", true},
      {-99.99, 6, 2, "-99.99", true},
      {12, 2, 0, "12", true},
      {100, 2, 0, "99", false},
      {-100, 3, 0, "-99", false},
      {1234.5, 6, 2, "999.99", false},
      {-1234.5, 6, 2, "-99.99", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    FieldDef f{"N", 'N', c.width, c.decimals, 1};
    std::string rec(1 + c.width, '#');
    Status st = writeNumeric(f, c.value, rec.data());
    EXPECT_EQ(st.isOk(), c.fits) << st.toString();
    EXPECT_EQ(rec.substr(1), c.text);
  }
}
