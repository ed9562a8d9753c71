#include "xbase/cdx/cdx_file.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "xbase/cdx/byte_order.h"
#include "xbase/cdx/leaf_format.h"
#include "xbase/cdx/page_codec.h"
#include "xbase/cdx/page_writer.h"
#include "xbase/cdx/tree_builder.h"

namespace xbase::cdx {

namespace {

char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return upperAscii(x) == upperAscii(y);
         });
}

// A directory key without its blank (or NUL) padding.
std::string tagName(std::string_view key) {
  size_t end = key.find_last_not_of(std::string_view(" \0", 2));
  return std::string(key.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

}  // namespace

Status CdxFile::open(std::unique_ptr<File> file, std::unique_ptr<CdxFile>* out) {
  std::unique_ptr<CdxFile> cdx(new CdxFile(std::move(file)));
  XBASE_RETURN_IF_ERROR(cdx->load());
  *out = std::move(cdx);
  return Status::ok();
}

Status CdxFile::create(std::unique_ptr<File> file, std::unique_ptr<CdxFile>* out) {
  uint64_t size = 0;
  XBASE_RETURN_IF_ERROR(file->size(&size));
  if (size != 0) return Status::invalidArgument(file->path() + ": a new index needs an empty file");
  std::unique_ptr<CdxFile> cdx(new CdxFile(std::move(file)));
  TagInfo directory;
  directory.keyLength = kTagNameLength;
  directory.options = kFileHeaderOptions;
  uint8_t header[kHeaderSize];
  buildTagHeader(kHeaderSize, directory, header);
  Page root;
  root.offset = kHeaderSize;
  root.attributes = kAttrRoot | kAttrLeaf;
  root.keyLength = kTagNameLength;
  uint8_t page[kPageSize];
  XBASE_RETURN_IF_ERROR(encodePage(root, cdx->m_store.path(), page));
  XBASE_RETURN_IF_ERROR(cdx->file().writeAt(0, header, sizeof header));
  XBASE_RETURN_IF_ERROR(cdx->file().writeAt(kHeaderSize, page, sizeof page));
  XBASE_RETURN_IF_ERROR(cdx->load());
  *out = std::move(cdx);
  return Status::ok();
}

Status CdxFile::readHeader(uint32_t offset, TagHeader* out) {
  uint8_t bytes[kHeaderSize];
  XBASE_RETURN_IF_ERROR(m_store.file().readExact(offset, bytes, sizeof bytes));
  return parseTagHeader(bytes, offset, m_store, out);
}

Status CdxFile::load() {
  XBASE_RETURN_IF_ERROR(m_store.load());
  TagHeader directory;
  XBASE_RETURN_IF_ERROR(readHeader(0, &directory));
  if (directory.info.keyLength != kTagNameLength)
    return Status::corruption(m_store.path() + ": tag directory at offset 0: key length " +
                              std::to_string(directory.info.keyLength));
  directory.info.name = "(directory)";
  if (m_directory)
    m_directory->reset(directory);
  else
    m_directory.reset(new Tag(m_store, directory, ' '));

  std::vector<TagHeader> headers;
  Tag::Cursor c;
  XBASE_RETURN_IF_ERROR(m_directory->first(c));
  while (c.valid) {
    const std::string name = tagName(c.key);
    XBASE_RETURN_IF_ERROR(m_store.checkHeader(c.recno, "directory entry of tag " + name));
    headers.emplace_back();
    XBASE_RETURN_IF_ERROR(readHeader(c.recno, &headers.back()));
    headers.back().info.name = name;
    XBASE_RETURN_IF_ERROR(m_directory->next(c));
  }
  std::sort(headers.begin(), headers.end(), [](const TagHeader& a, const TagHeader& b) {
    return a.info.headerOffset < b.info.headerOffset;
  });
  for (size_t i = 1; i < headers.size(); ++i)
    if (headers[i].info.headerOffset == headers[i - 1].info.headerOffset)
      return Status::corruption(m_store.path() + ": tags " + headers[i - 1].info.name + " and " +
                                headers[i].info.name + " share the header at offset " +
                                std::to_string(headers[i].info.headerOffset));

  // Nothing fails from here on: known tags take their new headers, new tags join.
  std::vector<std::unique_ptr<Tag>> tags;
  for (const TagHeader& header : headers) {
    auto known = std::find_if(m_tags.begin(), m_tags.end(), [&](const auto& t) {
      return t && t->info().headerOffset == header.info.headerOffset;
    });
    if (known != m_tags.end()) {
      (*known)->reset(header);
      tags.push_back(std::move(*known));
    } else {
      tags.emplace_back(new Tag(m_store, header, ' '));
    }
  }
  for (auto& gone : m_tags) {
    if (!gone) continue;
    gone->retire();
    m_goneTags.push_back(std::move(gone));
  }
  m_tags = std::move(tags);
  return Status::ok();
}

Tag* CdxFile::findTag(std::string_view name) {
  for (auto& t : m_tags)
    if (sameName(t->info().name, name)) return t.get();
  return nullptr;
}

Status CdxFile::checkNewTag(const TagSpec& newTag, const KeyList& entries) const {
  const std::string where = m_store.path() + ": tag " + newTag.name;
  if (newTag.name.empty() || newTag.name.size() > kTagNameLength ||
      newTag.name.find_first_of(std::string_view(" \0", 2)) != std::string::npos)
    return Status::invalidArgument(where + ": a tag name has 1 to 10 characters and no blanks");
  for (const auto& t : m_tags)
    if (sameName(t->info().name, newTag.name))
      return Status::invalidArgument(where + ": the index already has a tag of this name");
  if (newTag.keyLength == 0 || newTag.keyLength > kMaxKeyLength ||
      entries.keyLength() != newTag.keyLength || !entries.allKeysFit())
    return Status::invalidArgument(where + ": keys must have the key length, 1 to 240 bytes");
  if (newTag.keyExpr.size() + newTag.forExpr.size() + 2 > kHdrPoolSize)
    return Status::invalidArgument(where + ": key and FOR expressions are too long");
  if (entries.maxRecno() > maxRecnoFor(newTag.keyLength))
    return Status::notSupported(where + ": record number " + std::to_string(entries.maxRecno()) +
                                " is too large for a key length of " +
                                std::to_string(newTag.keyLength));
  // The directory stores header offsets as record numbers of its leaves.
  if (m_store.pageCount() * kPageSize > maxRecnoFor(kTagNameLength))
    return Status::notSupported(where + ": the index file is too large for another tag");
  return Status::ok();
}

Status CdxFile::addTag(const TagSpec& newTag, KeyList&& entries) {
  XBASE_RETURN_IF_ERROR(checkNewTag(newTag, entries));
  TagHeader header;
  TagInfo& info = header.info;
  std::transform(newTag.name.begin(), newTag.name.end(), std::back_inserter(info.name), upperAscii);
  info.keyExpr = newTag.keyExpr;
  info.forExpr = newTag.forExpr;
  info.keyLength = newTag.keyLength;
  info.options = static_cast<uint8_t>(kTagOptions | (newTag.unique ? kOptUnique : 0) |
                                      (newTag.forExpr.empty() ? 0 : kOptFor));
  info.descending = newTag.descending;
  info.headerOffset = m_store.allocateHeader();

  const std::vector<uint32_t> order = entries.sortedOrder(newTag.unique);
  XBASE_RETURN_IF_ERROR(buildTree(m_store, entries, order, newTag.fill, &header.root));
  uint8_t bytes[kHeaderSize];
  buildTagHeader(header.root, info, bytes);
  XBASE_RETURN_IF_ERROR(m_store.file().writeAt(info.headerOffset, bytes, sizeof bytes));

  std::string key = info.name;
  key.resize(kTagNameLength, ' ');
  XBASE_RETURN_IF_ERROR(m_directory->insert(key, info.headerOffset));
  m_tags.emplace_back(new Tag(m_store, header, newTag.fill));
  return Status::ok();
}

Status CdxFile::flush() {
  std::vector<PendingPage>& pending = m_pendingPages;
  std::vector<const Page*>& pages = m_changedPages;
  pending.clear();
  bool changed = m_store.changed();
  XBASE_RETURN_IF_ERROR(m_directory->applyPending());
  for (const auto& t : m_tags) XBASE_RETURN_IF_ERROR(t->applyPending());
  auto collect = [&](const Tag& tag) {
    changed = changed || tag.hasChanges();
    pages.clear();
    tag.collectDirty(&pages);
    for (const Page* p : pages) pending.push_back({p->offset, p, 0});
  };
  collect(*m_directory);
  for (const auto& t : m_tags) collect(*t);
  if (!changed) return Status::ok();
  for (const auto& [offset, next] : m_store.freedPages()) pending.push_back({offset, nullptr, next});
  std::sort(pending.begin(), pending.end(),
            [](const PendingPage& a, const PendingPage& b) { return a.offset < b.offset; });

  m_writer.clear();
  for (const PendingPage& p : pending) {
    uint8_t* buf = nullptr;
    XBASE_RETURN_IF_ERROR(m_writer.page(p.offset, &buf));
    if (p.page) {
      XBASE_RETURN_IF_ERROR(encodePage(*p.page, m_store.path(), buf));
    } else {
      std::memset(buf, 0, kPageSize);
      putLe32(buf, p.nextFree);
    }
  }
  XBASE_RETURN_IF_ERROR(m_writer.finish());
  XBASE_RETURN_IF_ERROR(m_directory->commit());
  for (const auto& t : m_tags) XBASE_RETURN_IF_ERROR(t->commit());
  m_store.markChanged();
  return m_store.commit();
}

Status CdxFile::flushWhenLarge() {
  constexpr size_t kMaxChangedPages = 2048;
  size_t changed = m_directory->changedPages();
  for (const auto& t : m_tags) changed += t->changedPages();
  return changed > kMaxChangedPages ? flush() : Status::ok();
}

Status CdxFile::refresh() {
  bool changed = false;
  XBASE_RETURN_IF_ERROR(m_store.changedOnDisk(&changed));
  if (!changed) return Status::ok();
  bool ours = m_store.changed() || m_directory->hasChanges();
  for (const auto& t : m_tags) ours = ours || t->hasChanges();
  if (ours)
    return Status::invalidArgument(m_store.path() +
                                   ": changed by another program while our changes were unwritten");
  Status st = load();
  if (!st.isOk()) {
    // No cached page may be used any more: every tag fails until a refresh succeeds.
    for (const auto& t : m_tags) t->retire();
    m_store.forgetSeen();
  }
  return st;
}

}  // namespace xbase::cdx
