// Appends to a shared article table as an import does while other workstations use it:
// each record appended under the append lock, filled and released with NETUNLOCK, with the
// nine index files of the article table attached and kept up to date.
//
//   shared_append_bench [--records N] [--dir DIR]
//
// Count the system calls per record with
//   strace -c -f build/bench/shared_append_bench --records 20000
// and divide by the records (the set-up before the appends costs a few hundred calls).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tables/net.h"
#include "ui/scripted_port.h"
#include "xbase/table.h"
#include "article_data.h"

using namespace xbase;
using namespace benchdata;

namespace {

}  // namespace

int main(int argc, char** argv) {
  uint32_t records = 100000;
  std::string dir;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--records"))
      records = static_cast<uint32_t>(std::atol(argv[i + 1]));
    else if (!std::strcmp(argv[i], "--dir"))
      dir = argv[i + 1];
  }
  bool ownDir = dir.empty();
  if (ownDir) {
    char tmpl[] = "/tmp/shared_append_bench.XXXXXX";
    dir = mkdtemp(tmpl);
  }
  createArticleTable(dir);

  ui::ScriptedPort port;
  ui::PortScope scope(port);
  tables::SETCOMMIT(false);
  require(tables::NETUSE(dir + "/ARTIKEL.dbf", true), "NETUSE");
  std::vector<std::string> indexes;
  for (const auto& index : kArticleIndexes) indexes.push_back(index.first);
  require(tables::NETINDEX(indexes, dir + "/"), "NETINDEX");
  Table& t = *tables::current();
  std::mt19937 rng(1);

  auto start = std::chrono::steady_clock::now();
  for (uint32_t i = 1; i <= records; ++i) {
    require(tables::NETAPPEND(), "NETAPPEND");
    fillArticle(t, i, rng);
    tables::NETUNLOCK();
  }
  tables::NETCLOSE();
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "shared append  %u records  lock/unlock per record  9 index files  %.3f s  (%.0f "
      "records/s)\n",
      records, s, records / s);
  if (ownDir) std::filesystem::remove_all(dir);
  return 0;
}
