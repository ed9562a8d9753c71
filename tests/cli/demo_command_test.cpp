#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli_env.h"

namespace {

using namespace clitest;
namespace fs = std::filesystem;

// The lines of a file that ends every line with CR LF.
std::vector<std::string> crlfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "last line without CR LF";
  return lines;
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, ';');) out.push_back(field);
  return out;
}

long countOfType(const std::vector<std::string>& lines, char type) {
  return std::count_if(lines.begin(), lines.end(),
                       [type](const std::string& l) { return !l.empty() && l[0] == type; });
}

TEST(DemoCommand, WritesAnInstallationWithFilesThatFitTogether) {
  testsupport::TempDir dir;
  fs::path home = dir / "demo";
  CommandResult r = cli({"demo", home.string(), "--articles", "10"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(contains(r.out, "import --kind 1 " + demoFile(home, 1).string() + "\n"));

  std::string ini = testsupport::readFile(home / "ARTIKIMP.INI");
  EXPECT_TRUE(contains(ini, "Pfad=" + (home / "lgw").string() + "/ ")) << ini;
  EXPECT_TRUE(contains(ini, "\r\nIndex=J\r\n")) << ini;
  EXPECT_TRUE(contains(testsupport::readFile(home / "lgw" / "winlgw.ini"), "Waehrung=EUR"));
  CommandResult currencies = cli({"table", "dump", (home / "lgw" / "WEURO.dbf").string()});
  for (const char* row : {"|EUR|€|EUR|1.000000", "|DEM|DM|EUR|1.955830", "|CHF|sFr|EUR|0.941200",
                          "|USD|$|EUR|1.085600"}) {
    EXPECT_TRUE(contains(currencies.out, row)) << currencies.out;
  }

  // Supplier files: CP850 text, CR LF line ends, the record types each kind reads.
  std::string bytes = testsupport::readFile(demoFile(home, 0));
  EXPECT_TRUE(contains(bytes,
                       "Pr\x81"
                       "fzeichen"))
      << "ü in CP850";
  EXPECT_EQ(bytes.find_first_of("\xE4\xF6\xFC\xDF"), std::string::npos) << "Windows umlauts";
  std::vector<std::string> articles = crlfLines(bytes);
  ASSERT_FALSE(articles.empty());
  EXPECT_EQ(articles[0].substr(0, 8), "V 020125");
  EXPECT_EQ(articles[0].substr(123), "04EUR");
  EXPECT_EQ(articles[1], "K;N;47110;");
  const std::pair<char, long> counts[] = {{'A', 10}, {'B', 10}, {'D', 4}, {'T', 8}, {'E', 3}};
  for (auto [type, count] : counts) EXPECT_EQ(countOfType(articles, type), count) << type;
  std::vector<std::string> prices = crlfLines(testsupport::readFile(demoFile(home, 2)));
  EXPECT_EQ(countOfType(prices, 'P'), 4);  // three articles a record
  // The first price record changes the first three articles.
  std::vector<std::string> firstArticles;
  for (const std::string& line : articles) {
    if (line[0] == 'A') firstArticles.push_back(fields(line)[2]);
  }
  std::vector<std::string> firstPrices = fields(prices[1]);
  ASSERT_GE(firstPrices.size(), 21u);
  EXPECT_EQ(firstPrices[2], firstArticles[0]);
  EXPECT_EQ(firstPrices[11], firstArticles[1]);
  EXPECT_EQ(firstPrices[20], firstArticles[2]);

  // An existing installation is never overwritten.
  CommandResult again = cli({"demo", home.string()});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_EQ(again.err, "Verzeichnis ist nicht leer: " + home.string() + "\n");
}

}  // namespace
