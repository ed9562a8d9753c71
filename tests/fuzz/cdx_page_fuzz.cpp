// Arbitrary bytes as one index page and as a whole compound index file. Decoding, walking,
// seeking, checking and updating must end in a Status, never in a crash, a hang or a
// sanitizer report; a page we decoded must encode back to the same entries, and a tag that
// passed its check must pass it again after updates.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "xbase/cdx/cdx_file.h"
#include "xbase/cdx/page_codec.h"
#include "xbase/common/memory_file.h"

namespace {

using namespace xbase::cdx;

void decodeOnePage(const uint8_t* data, size_t size) {
  uint8_t bytes[kPageSize] = {};
  std::memcpy(bytes, data, std::min<size_t>(size, kPageSize));
  const uint16_t keyLength =
      static_cast<uint16_t>(1 + (size > kPageSize ? data[kPageSize] : 9) % kMaxKeyLength);
  const char fill = size > kPageSize + 1 && (data[kPageSize + 1] & 1) ? '\0' : ' ';
  Page page;
  if (!decodePage(bytes, kHeaderSize, keyLength, fill, "fuzz", &page).isOk()) return;
  uint8_t encoded[kPageSize];
  if (!encodePage(page, "fuzz", encoded).isOk()) return;  // needs more room in our layout
  Page again;
  if (!decodePage(encoded, kHeaderSize, keyLength, fill, "fuzz", &again).isOk() ||
      again.keys != page.keys || again.recnos != page.recnos || again.children != page.children)
    __builtin_trap();
}

void walk(Tag& tag) {
  Tag::Cursor c;
  if (tag.first(c).isOk())
    while (c.valid && tag.next(c).isOk()) {
    }
  if (tag.last(c).isOk())
    while (c.valid && tag.prev(c).isOk()) {
    }
  for (const char* key : {"", "A", "M", "\x80", "\xFF"}) tag.seekGE(key, 0, c);
}

void update(Tag& tag) {
  uint64_t keys = 0;
  if (!tag.check(&keys).isOk()) return;
  std::string key(tag.info().keyLength, ' ');
  for (uint32_t i = 1; i <= 40; ++i) {
    key[0] = static_cast<char>('A' + i % 26);
    key[key.size() - 1] = static_cast<char>(i);
    tag.insert(key, i);
  }
  Tag::Cursor c;
  for (int i = 0; i < 30 && tag.first(c).isOk() && c.valid; ++i) tag.remove(c.key, c.recno);
  if (!tag.check(&keys).isOk()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  decodeOnePage(data, size);
  std::unique_ptr<CdxFile> cdx;
  auto file = std::make_unique<xbase::MemoryFile>(
      "fuzz.cdx", std::string(reinterpret_cast<const char*>(data), size));
  if (!CdxFile::open(std::move(file), &cdx).isOk()) return 0;
  for (size_t i = 0; i < cdx->tagCount(); ++i) {
    Tag& tag = cdx->tag(i);
    tag.setFill(i % 2 ? '\0' : ' ');
    walk(tag);
    if (!tag.info().foreignCollation) update(tag);
  }
  cdx->flush();
  return 0;
}
