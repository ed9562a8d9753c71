#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "support/test_support.h"
#include "xbase/table.h"

using namespace xbase;
using testsupport::TempDir;

namespace {

// Runs `body` in a forked child; the child's exit status is 0 when body returned true.
pid_t spawn(const std::function<bool()>& body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body() ? 0 : 1);
  return pid;
}

int waitFor(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::unique_ptr<Table> openShared(const std::string& dir) {
  std::unique_ptr<Table> t;
  Status st = Table::open(dir + "/DNORMPRO.dbf", {OpenMode::Shared, nullptr}, &t);
  if (st.isOk()) st = t->attachIndex(dir + "/DNORMPRO.cdx");
  if (st.isOk()) return t;
  std::fprintf(stderr, "%s\n", st.toString().c_str());
  return nullptr;
}

void makeTable(const std::string& dir) {
  FieldList fields = {{"ARTIKEL", 'C', 15, 0}, {"VORGANG", 'C', 8, 0}, {"SATZ", 'N', 8, 0}};
  ASSERT_TRUE(Table::create(dir + "/DNORMPRO.dbf", fields, true).isOk());
  std::unique_ptr<Table> t;
  ASSERT_TRUE(Table::open(dir + "/DNORMPRO.dbf", {OpenMode::Exclusive, nullptr}, &t).isOk());
  ASSERT_TRUE(t->createIndex(dir + "/DNORMPRO.cdx", "DNORMPRO", "ARTIKEL").isOk());
}

// Appends `count` records tagged with `who`, each locked by the append and released after
// its fields are set, as an import does.
bool appendMany(const std::string& dir, const std::string& who, int count) {
  auto t = openShared(dir);
  if (!t) return false;
  auto failed = [](const Status& st) {
    if (!st.isOk()) std::fprintf(stderr, "%s\n", st.toString().c_str());
    return !st.isOk();
  };
  for (int i = 1; i <= count; ++i) {
    Status st;
    while ((st = t->append()).code() == Status::Code::Locked) usleep(50);
    if (failed(st)) return false;
    char key[16];
    std::snprintf(key, sizeof key, "%s%06d", who.c_str(), i);
    if (failed(t->putString(0, key)) || failed(t->putNumber(2, i))) return false;
    if (failed(t->unlockRecord(t->recNo()))) return false;
  }
  return !failed(t->close());
}

}  // namespace

TEST(SharedAccess, TwoProcessesAppendingLoseNothing) {
  TempDir tmp;
  makeTable(tmp.path());
  const int kEach = 5000;
  pid_t a = spawn([&] { return appendMany(tmp.path(), "A", kEach); });
  pid_t b = spawn([&] { return appendMany(tmp.path(), "B", kEach); });
  EXPECT_EQ(waitFor(a), 0);
  EXPECT_EQ(waitFor(b), 0);

  std::unique_ptr<Table> t;
  ASSERT_TRUE(Table::open(tmp / "DNORMPRO.dbf", {OpenMode::Exclusive, nullptr}, &t).isOk());
  ASSERT_TRUE(t->attachIndex(tmp / "DNORMPRO.cdx").isOk());
  uint32_t count = 0;
  ASSERT_TRUE(t->recordCount(&count).isOk());
  EXPECT_EQ(count, 2u * kEach);
  std::set<std::string> keys;
  ASSERT_TRUE(t->setOrder(0).isOk());
  ASSERT_TRUE(t->goTop().isOk());
  while (!t->eof()) {
    keys.insert(t->getString(0));
    ASSERT_TRUE(t->skip().isOk());
  }
  EXPECT_EQ(keys.size(), 2u * kEach) << "no record lost, none doubled";
  std::vector<std::string> report;
  bool sound = false;
  ASSERT_TRUE(t->verifyIndexes(&report, &sound).isOk());
  EXPECT_TRUE(sound) << report.at(0);
  std::string bytes = testsupport::readFile(tmp / "DNORMPRO.dbf");
  EXPECT_EQ(static_cast<unsigned char>(bytes[4]) | static_cast<unsigned char>(bytes[5]) << 8, 2 * kEach)
      << "the header count is right";
}

TEST(SharedAccess, RecordAndAppendLocksConflictAcrossProcessesAndDieWithThem) {
  TempDir tmp;
  makeTable(tmp.path());
  ASSERT_TRUE(appendMany(tmp.path(), "X", 5));
  auto t = openShared(tmp.path());
  ASSERT_TRUE(t);
  ASSERT_TRUE(t->lockRecord(1).isOk());

  // Another process: record 1 is refused, record 5 is free; an exclusive open is refused.
  pid_t probe = spawn([&] {
    auto other = openShared(tmp.path());
    if (!other) return false;
    if (other->lockRecord(1).code() != Status::Code::Locked) return false;
    if (!other->lockRecord(5).isOk()) return false;
    if (other->lockFile().code() != Status::Code::Locked) return false;
    std::unique_ptr<Table> excl;
    return Table::open(tmp / "DNORMPRO.dbf", {OpenMode::Exclusive, nullptr}, &excl).code() ==
           Status::Code::Locked;
  });
  EXPECT_EQ(waitFor(probe), 0);

  // A process killed while holding a record lock leaves no lock behind.
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t holder = spawn([&] {
    auto other = openShared(tmp.path());
    if (!other || !other->lockRecord(3).isOk()) return false;
    char c = 'x';
    if (write(ready[1], &c, 1) != 1) return false;
    pause();
    return true;
  });
  char c;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  EXPECT_EQ(t->lockRecord(3).code(), Status::Code::Locked);
  kill(holder, SIGKILL);
  waitFor(holder);
  EXPECT_TRUE(t->lockRecord(3).isOk());
  // Our own second lock on a record we hold is no conflict; unlockAll frees everything.
  EXPECT_TRUE(t->unlockAll().isOk());
  EXPECT_TRUE(t->lockedRecords().empty());
  close(ready[0]);
  close(ready[1]);
}

TEST(SharedAccess, SeeksFindWhatAnotherProcessAppendedSinceTheCountWasRead) {
  TempDir tmp;
  makeTable(tmp.path());
  auto t = openShared(tmp.path());
  ASSERT_TRUE(t);
  ASSERT_TRUE(t->setOrder(1).isOk());
  bool found = false;
  ASSERT_TRUE(t->seek("nothing yet", &found).isOk());
  EXPECT_FALSE(found);
  EXPECT_EQ(t->recNo(), 1u);

  ASSERT_EQ(waitFor(spawn([&] { return appendMany(tmp.path(), "C", 3); })), 0);
  ASSERT_TRUE(t->seek("C000003", &found).isOk());
  ASSERT_TRUE(found) << "a record beyond the count this process saw";
  EXPECT_EQ(t->recNo(), 3u);
  EXPECT_EQ(t->getString(0), "C000003        ");
  ASSERT_TRUE(t->seek("C000001", &found).isOk());
  EXPECT_TRUE(found);
  EXPECT_EQ(t->recNo(), 1u);
  ASSERT_TRUE(t->seek("D", &found).isOk());
  EXPECT_FALSE(found);
  EXPECT_EQ(t->recNo(), 4u) << "end of file after the other process's records";
}
