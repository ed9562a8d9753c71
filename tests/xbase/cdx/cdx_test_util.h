#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx/cdx_file.h"

namespace cdxtest {

struct Entry {
  std::string key;
  uint32_t recno = 0;
  auto operator<=>(const Entry&) const = default;
};

// Every entry of a tag in physical order (first/next); a failing step fails the test.
std::vector<Entry> walk(xbase::cdx::Tag& tag);
// The same backwards (last/prev).
std::vector<Entry> walkBack(xbase::cdx::Tag& tag);

// Opens an index file on disk for reading and writing.
std::unique_ptr<xbase::cdx::CdxFile> openCdx(const std::string& path);
// Opens an index held in memory (a copy of `bytes`).
xbase::Status openBytes(const std::string& bytes, std::unique_ptr<xbase::cdx::CdxFile>* out);

// Offsets of the leaves of the tree whose header is at headerOffset, left to right, read
// from the raw file bytes.
std::vector<uint32_t> leafOffsets(const std::string& bytes, uint32_t headerOffset);
// The pages of the file that are neither a header page (the file's or a tag's), nor a page
// of a tag's tree, nor on the free list. A page claimed twice and a free page that is not
// zero after its link fail the test.
std::set<uint32_t> unclaimedPages(const std::string& bytes);

std::string hex(std::string_view bytes);
std::string unhex(std::string_view text);
std::string sha256Hex(std::string_view data);

}  // namespace cdxtest
