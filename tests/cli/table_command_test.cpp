#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

testsupport::CommandResult cli(std::vector<std::string> args) {
  args.insert(args.begin(), testsupport::cliPath().string());
  return testsupport::run(args);
}

std::string fixture(const std::string& name) { return testsupport::fixturesDir() / "xbase" / name; }

}  // namespace

TEST(TableCommand, DumpsInRecordAndTagOrderAsUtf8) {
  auto plain = cli({"table", "dump", fixture("DNORMWGR.dbf")});
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  EXPECT_EQ(plain.out,
            "1| |010|Sanitär|T\n2| |001|Heizung|T\n3| |002|Elektro|F\n4| |ÖL|Ölfeuerung|T\n"
            "5| |A1|Armaturen|T\n6| ||(ohne Warengruppe)|F\n7| |100|Werkzeug|F\n"
            "8| |a1|armaturen klein|F\n");
  auto ordered = cli({"table", "dump", fixture("DNORMWGR.dbf"), "--index", fixture("DNORMWGR.cdx"),
                      "--tag", "dnormwgr", "--csv"});
  ASSERT_EQ(ordered.exitCode, 0) << ordered.err;
  EXPECT_EQ(ordered.out,
            "RECNO,DELETED,WAGRU,TEXT,MIT_DIESER\n6,,,(ohne Warengruppe),F\n2,,001,Heizung,T\n"
            "3,,002,Elektro,F\n1,,010,Sanitär,T\n7,,100,Werkzeug,F\n5,,A1,Armaturen,T\n"
            "8,,a1,armaturen klein,F\n4,,ÖL,Ölfeuerung,T\n");
  // Deleted records only with --deleted.
  auto hidden = cli({"table", "dump", fixture("DNORMRAB.dbf")});
  auto shown = cli({"table", "dump", fixture("DNORMRAB.dbf"), "--deleted"});
  EXPECT_EQ(hidden.out.find("|*|"), std::string::npos);
  EXPECT_NE(shown.out.find("|*|"), std::string::npos);
}

TEST(TableCommand, InfoListsStructureAndTags) {
  auto r = cli({"table", "info", fixture("ARTIKEL.dbf"), fixture("MULTI.cdx")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("|2000 records|"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("field|NETTO|N|12|2\n"), std::string::npos);
  EXPECT_NE(r.out.find("|ACTIVE|NUMMER|MIT_MENGE|for keylength 15\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("|UNIQGRP|WAGRU||unique keylength 10\n"), std::string::npos) << r.out;
}

TEST(TableCommand, VerifyPassesGenuineIndexesAndFailsADamagedOne) {
  auto good = cli({"table", "verify", fixture("ARTIKEL.dbf"), fixture("LANUM.cdx"), fixture("LAFAV1.cdx"),
                   fixture("MULTI.cdx")});
  EXPECT_EQ(good.exitCode, 0) << good.out << good.err;
  EXPECT_NE(good.out.find("LANUM ok 2000 keys"), std::string::npos) << good.out;
  EXPECT_NE(good.out.find("ACTIVE ok 1379 keys"), std::string::npos) << good.out;
  EXPECT_NE(good.out.find("UNIQGRP ok 17 keys"), std::string::npos) << good.out;

  // A table whose record changed behind the index's back.
  testsupport::TempDir tmp;
  testsupport::copyFixtures(tmp.path(), "xbase", {"DNORMWGR.dbf", "DNORMWGR.cdx"});
  std::string dbf = testsupport::readFile(tmp / "DNORMWGR.dbf");
  dbf[130 + 1] = '9';  // record 1: WAGRU "010" becomes "910"
  testsupport::writeFile(tmp / "DNORMWGR.dbf", dbf);
  auto bad = cli({"table", "verify", (tmp / "DNORMWGR.dbf").string(), (tmp / "DNORMWGR.cdx").string()});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.out.find("DNORMWGR BAD: "), std::string::npos) << bad.out;
}

TEST(TableCommand, ReportsMissingAndDamagedFilesWithoutCrashing) {
  auto missing = cli({"table", "dump", "/nonexistent/X.dbf"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("X.dbf"), std::string::npos);
  auto usage = cli({"table", "frobnicate"});
  EXPECT_EQ(usage.exitCode, 2);
}
