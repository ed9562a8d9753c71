#pragma once

#include <filesystem>

namespace cli {

// The four Datanorm files of the demo installation, from one supplier and made to fit
// together: the articles name the main product groups and discount groups of the two group
// files, and the price-maintenance file changes the prices of exactly those articles.
struct DemoFiles {
  std::filesystem::path productGroups;   // DATANORM.WRG: S records, subgroups among them
  std::filesystem::path discountGroups;  // DATANORM.RAB: R records of both kinds
  std::filesystem::path articles;        // DATANORM.001: K, E, T, A, B and D records
  std::filesystem::path prices;          // DATPREIS.001: P records, three articles each
};

DemoFiles demoFiles(const std::filesystem::path& folder);

// Writes the files. The article file holds `articles` articles: an A and a B record each,
// and every third one a text block of two T records before it and a D record after it
// (about three lines per article). Article numbers, texts and prices depend only on the
// article's position, so the same count always gives the same files. False when a file
// could not be written.
bool writeDemoFiles(const DemoFiles& files, long articles);

}  // namespace cli
