#include "cdx_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "support/test_support.h"
#include "xbase/cdx/byte_order.h"
#include "xbase/cdx/page_codec.h"
#include "xbase/common/file.h"
#include "xbase/common/memory_file.h"

namespace cdxtest {

using xbase::cdx::Tag;

std::vector<Entry> walk(Tag& tag) {
  std::vector<Entry> out;
  Tag::Cursor c;
  xbase::Status st = tag.first(c);
  while (st.isOk() && c.valid) {
    out.push_back({c.key, c.recno});
    st = tag.next(c);
  }
  EXPECT_TRUE(st.isOk()) << st.toString();
  return out;
}

std::vector<Entry> walkBack(Tag& tag) {
  std::vector<Entry> out;
  Tag::Cursor c;
  xbase::Status st = tag.last(c);
  while (st.isOk() && c.valid) {
    out.push_back({c.key, c.recno});
    st = tag.prev(c);
  }
  EXPECT_TRUE(st.isOk()) << st.toString();
  return out;
}

std::unique_ptr<xbase::cdx::CdxFile> openCdx(const std::string& path) {
  std::unique_ptr<xbase::File> file;
  // The genuine files are read by tests running in parallel: never lock them exclusively.
  const bool genuine = path.rfind(testsupport::fixturesDir().string(), 0) == 0;
  xbase::Status st = xbase::FileSystem::real().open(
      path, genuine ? xbase::OpenMode::ReadOnly : xbase::OpenMode::Exclusive, &file);
  EXPECT_TRUE(st.isOk()) << st.toString();
  if (!st.isOk()) return nullptr;
  std::unique_ptr<xbase::cdx::CdxFile> cdx;
  st = xbase::cdx::CdxFile::open(std::move(file), &cdx);
  EXPECT_TRUE(st.isOk()) << st.toString();
  return cdx;
}

xbase::Status openBytes(const std::string& bytes, std::unique_ptr<xbase::cdx::CdxFile>* out) {
  return xbase::cdx::CdxFile::open(std::make_unique<xbase::MemoryFile>("mem.cdx", bytes), out);
}

namespace {

xbase::cdx::Page pageAt(const std::string& bytes, uint32_t offset, uint16_t keyLength) {
  xbase::cdx::Page page;
  const auto* raw = reinterpret_cast<const uint8_t*>(bytes.data());
  xbase::Status st = xbase::cdx::decodePage(raw + offset, offset, keyLength, ' ', "raw", &page);
  EXPECT_TRUE(st.isOk()) << st.toString();
  return page;
}

uint32_t le32At(const std::string& bytes, size_t offset) {
  return xbase::cdx::getLe32(reinterpret_cast<const uint8_t*>(bytes.data()) + offset);
}

uint16_t keyLengthAt(const std::string& bytes, uint32_t headerOffset) {
  return xbase::cdx::getLe16(reinterpret_cast<const uint8_t*>(bytes.data()) + headerOffset + 12);
}

}  // namespace

std::vector<uint32_t> leafOffsets(const std::string& bytes, uint32_t headerOffset) {
  const uint16_t kl = keyLengthAt(bytes, headerOffset);
  xbase::cdx::Page page = pageAt(bytes, le32At(bytes, headerOffset), kl);
  while (!page.isLeaf() && page.count() > 0) page = pageAt(bytes, page.children.front(), kl);
  std::vector<uint32_t> out{page.offset};
  while (page.right != xbase::cdx::kNoPage && out.size() < bytes.size() / 512) {
    page = pageAt(bytes, page.right, kl);
    out.push_back(page.offset);
  }
  return out;
}

std::set<uint32_t> unclaimedPages(const std::string& bytes) {
  EXPECT_EQ(bytes.size() % 512, 0u);
  std::vector<std::string> owner(bytes.size() / 512);
  // False (with a failure) when the page is outside the file or already claimed.
  auto claim = [&](uint32_t offset, const std::string& who) {
    if (offset % 512 != 0 || offset / 512 >= owner.size()) {
      ADD_FAILURE() << who << " points to " << offset;
      return false;
    }
    if (!owner[offset / 512].empty()) {
      ADD_FAILURE() << "page " << offset << " claimed by " << owner[offset / 512] << " and " << who;
      return false;
    }
    owner[offset / 512] = who;
    return true;
  };
  // Claims every page of a tree; returns the record numbers of its leaves.
  auto tree = [&](uint32_t header, const std::string& who) {
    std::vector<uint32_t> level{le32At(bytes, header)}, recnos;
    if (!claim(header, who + " header") || !claim(header + 512, who + " header")) return recnos;
    const uint16_t kl = keyLengthAt(bytes, header);
    while (!level.empty()) {
      std::vector<uint32_t> below;
      for (uint32_t offset : level) {
        if (!claim(offset, who)) return recnos;
        xbase::cdx::Page page = pageAt(bytes, offset, kl);
        below.insert(below.end(), page.children.begin(), page.children.end());
        if (page.isLeaf()) recnos.insert(recnos.end(), page.recnos.begin(), page.recnos.end());
      }
      level = std::move(below);
    }
    return recnos;
  };
  for (uint32_t tagHeader : tree(0, "directory"))
    tree(tagHeader, "tag at " + std::to_string(tagHeader));
  for (uint32_t free = le32At(bytes, 4); free != 0 && free != xbase::cdx::kNoPage;
       free = le32At(bytes, free)) {
    if (!claim(free, "free list")) break;
    EXPECT_TRUE(std::all_of(bytes.begin() + free + 4, bytes.begin() + free + 512,
                            [](char c) { return c == 0; }))
        << "free page " << free << " not zero after its link";
  }
  std::set<uint32_t> unclaimed;
  for (size_t i = 0; i < owner.size(); ++i)
    if (owner[i].empty()) unclaimed.insert(static_cast<uint32_t>(i * 512));
  return unclaimed;
}

std::string hex(std::string_view bytes) {
  std::string out;
  char buf[3];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02x", c);
    out += buf;
  }
  return out;
}

std::string unhex(std::string_view text) {
  std::string out;
  for (size_t i = 0; i + 1 < text.size(); i += 2)
    out += static_cast<char>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16));
  return out;
}

namespace {

constexpr std::array<uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

uint32_t rotr(uint32_t x, int n) {
  return (x >> n) | (x << (32 - n));
}

}  // namespace

std::string sha256Hex(std::string_view data) {
  std::array<uint32_t, 8> h = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                               0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::string msg(data);
  const uint64_t bits = uint64_t{data.size()} * 8;
  msg += '\x80';
  while (msg.size() % 64 != 56) msg += '\0';
  for (int i = 7; i >= 0; --i) msg += static_cast<char>(bits >> (8 * i));
  for (size_t chunk = 0; chunk < msg.size(); chunk += 64) {
    uint32_t w[64];
    for (int i = 0; i < 16; ++i) {
      const auto* p = reinterpret_cast<const unsigned char*>(msg.data() + chunk + 4 * i);
      w[i] = uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    }
    for (int i = 16; i < 64; ++i) {
      uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
      uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
      w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    auto v = h;
    for (int i = 0; i < 64; ++i) {
      uint32_t t1 = v[7] + (rotr(v[4], 6) ^ rotr(v[4], 11) ^ rotr(v[4], 25)) +
                    ((v[4] & v[5]) ^ (~v[4] & v[6])) + kRound[i] + w[i];
      uint32_t t2 = (rotr(v[0], 2) ^ rotr(v[0], 13) ^ rotr(v[0], 22)) +
                    ((v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]));
      for (int k = 7; k > 0; --k) v[k] = v[k - 1];
      v[4] += t1;
      v[0] = t1 + t2;
    }
    for (int i = 0; i < 8; ++i) h[i] += v[i];
  }
  std::string out;
  char buf[9];
  for (uint32_t x : h) {
    std::snprintf(buf, sizeof buf, "%08x", x);
    out += buf;
  }
  return out;
}

}  // namespace cdxtest
