// Throughput and memory of the table engine on article-like data.
//
//   table_bench [--records N] [--appends N] [--seeks N] [--dir DIR] [--only build|seek|append]
//
// Runs each scenario in a child process so that its peak memory is its own:
//   build   one tag with a 40-character key over N records (createIndex)
//   append  N article records appended with 9 single-tag index files attached, exclusive
//   seek    random seeks on the N-key tag built by "build"
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "xbase/table.h"
#include "article_data.h"

using namespace xbase;
using namespace benchdata;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

long peakKiB() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return ru.ru_maxrss;
}

// A table of n records with a 40-character text field K40 (plus the article fields).
void makeTable(const std::string& path, uint32_t n) {
  FieldList fields = kArticleFields;
  fields.push_back({"K40", 'C', 40, 0});
  check(Table::create(path, fields, false), "create");
  std::unique_ptr<Table> t;
  check(Table::open(path, {OpenMode::Exclusive, nullptr}, &t), "open");
  std::mt19937 rng(42);
  int k40 = t->fieldIndex("K40");
  for (uint32_t i = 1; i <= n; ++i) {
    check(t->append(), "append");
    fillArticle(*t, i, rng);
    char key[48];
    std::snprintf(key, sizeof key, "%s %08u %s", kWords[rng() % 11], static_cast<unsigned>(rng() % 100000000),
                  "Edelstahl verzinkt");
    check(t->putString(k40, key), "K40");
  }
  check(t->close(), "close");
}

void benchBuild(const std::string& dir, uint32_t n) {
  std::string path = dir + "/BUILD.dbf";
  makeTable(path, n);
  std::unique_ptr<Table> t;
  check(Table::open(path, {OpenMode::Exclusive, nullptr}, &t), "open");
  long before = peakKiB();
  auto start = Clock::now();
  check(t->createIndex(dir + "/BUILD.cdx", "K40", "K40"), "createIndex");
  double s = seconds(start);
  std::printf("build   %8u records  one 40-byte tag  %.3f s  (%.0f keys/s)  peak %ld MiB (table fill %ld MiB)\n",
              n, s, n / s, peakKiB() / 1024, before / 1024);
}

void benchSeek(const std::string& dir, uint32_t n, uint32_t seeks) {
  std::string path = dir + "/BUILD.dbf";
  std::unique_ptr<Table> t;
  check(Table::open(path, {OpenMode::Exclusive, nullptr}, &t), "open");
  check(t->attachIndex(dir + "/BUILD.cdx"), "attach");
  // The keys to look for: every record's own key, in random order.
  std::vector<std::string> keys;
  keys.reserve(seeks);
  std::mt19937 rng(7);
  std::string rec;
  int k40 = t->fieldIndex("K40");
  for (uint32_t i = 0; i < seeks; ++i) {
    check(t->goTo(1 + rng() % n), "goto");
    keys.push_back(t->getString(k40));
  }
  auto start = Clock::now();
  uint32_t hits = 0;
  for (const auto& k : keys) {
    bool found = false;
    check(t->seek(k, &found), "seek");
    hits += found;
  }
  double s = seconds(start);
  std::printf("seek    %8u keys     %u random seeks  %.3f s  (%.0f seeks/s, %u found)  peak %ld MiB\n", n,
              seeks, s, seeks / s, hits, peakKiB() / 1024);
}

void benchAppend(const std::string& dir, uint32_t n) {
  std::string path = dir + "/ARTIKEL.dbf";
  createArticleTable(dir);
  std::unique_ptr<Table> t;
  check(Table::open(path, {OpenMode::Exclusive, nullptr}, &t), "open");
  for (const auto& [tag, expr] : kArticleIndexes) check(t->attachIndex(dir + "/" + tag + ".cdx"), tag.c_str());
  std::mt19937 rng(1);
  auto start = Clock::now();
  for (uint32_t i = 1; i <= n; ++i) {
    check(t->append(), "append");
    fillArticle(*t, i, rng);
  }
  check(t->close(), "close");
  double s = seconds(start);
  std::printf("append  %8u records  9 index files   %.3f s  (%.0f records/s)  peak %ld MiB\n", n, s, n / s,
              peakKiB() / 1024);
}

template <typename F>
void inChild(F f) {
  std::fflush(stdout);
  pid_t pid = fork();
  if (pid == 0) {
    f();
    std::fflush(stdout);
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  uint32_t records = 1000000, appends = 200000, seeks = 1000000;
  std::string dir, only;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--only")) only = argv[i + 1];
    else if (!std::strcmp(argv[i], "--records")) records = static_cast<uint32_t>(std::atol(argv[i + 1]));
    else if (!std::strcmp(argv[i], "--appends")) appends = static_cast<uint32_t>(std::atol(argv[i + 1]));
    else if (!std::strcmp(argv[i], "--seeks")) seeks = static_cast<uint32_t>(std::atol(argv[i + 1]));
    else if (!std::strcmp(argv[i], "--dir")) dir = argv[i + 1];
  }
  bool ownDir = dir.empty();
  if (ownDir) {
    char tmpl[] = "/tmp/table_bench.XXXXXX";
    dir = mkdtemp(tmpl);
  }
  auto wanted = [&](const char* name) { return only.empty() || only == name; };
  // "seek" uses the table that "build" leaves in the folder.
  if (wanted("build") || !std::filesystem::exists(dir + "/BUILD.cdx")) inChild([&] { benchBuild(dir, records); });
  if (wanted("seek")) inChild([&] { benchSeek(dir, records, seeks); });
  if (wanted("append")) inChild([&] { benchAppend(dir, appends); });
  if (ownDir) std::filesystem::remove_all(dir);
  return 0;
}
