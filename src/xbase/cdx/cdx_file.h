#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "xbase/cdx/key_list.h"
#include "xbase/cdx/page_store.h"
#include "xbase/cdx/page_writer.h"
#include "xbase/cdx/tag.h"
#include "xbase/cdx/tag_info.h"
#include "xbase/common/file.h"
#include "xbase/common/status.h"

namespace xbase::cdx {

// A compound index file: a directory of named tags, each a B+-tree of keys. Changes stay in
// memory until flush(), which writes the pages first and the free-list head and change
// counter last.
class CdxFile {
 public:
  // Reads the file header and the tag directory; every tag header is checked. Writes nothing.
  static Status open(std::unique_ptr<File> file, std::unique_ptr<CdxFile>* out);
  // A new compound index without tags in an empty (created or truncated) file.
  static Status create(std::unique_ptr<File> file, std::unique_ptr<CdxFile>* out);

  size_t tagCount() const { return m_tags.size(); }
  // Tags in creation order (ascending header offset).
  Tag& tag(size_t i) { return *m_tags[i]; }
  // Case-insensitive; nullptr when absent.
  Tag* findTag(std::string_view name);

  // Adds a tag built from the entries (any order; sorted here by key, then record number;
  // unique tags keep the lowest record number of each key) with densely filled pages. The
  // tree is written at once; the directory entry with the next flush().
  Status addTag(const TagSpec& newTag, KeyList&& entries);

  // Writes every changed page, then free-list head and change counter (counter + 1,
  // big-endian at offset 8) when anything changed. Does not sync.
  Status flush();
  // flush() once the changed pages held in memory take more than a few MiB; keeps memory
  // flat in long runs of changes on a table opened exclusively.
  Status flushWhenLarge();
  // Re-reads offsets 4-11; when another program changed them, drops every cached page and
  // re-reads the tag headers and the directory.
  Status refresh();

  File& file() { return m_store.file(); }

 private:
  explicit CdxFile(std::unique_ptr<File> file)
      : m_store(std::move(file)), m_writer(m_store.file()) {}
  // Reads the file header and the directory into m_directory and m_tags.
  Status load();
  Status readHeader(uint32_t offset, TagHeader* out);
  Status checkNewTag(const TagSpec& newTag, const KeyList& entries) const;

  // A page to write in flush(): a changed page, or a freed one (page nullptr) with the
  // next page of the free list.
  struct PendingPage {
    uint32_t offset;
    const Page* page;
    uint32_t nextFree;
  };

  PageStore m_store;
  // Kept between flushes for their buffers.
  PageWriter m_writer;
  std::vector<PendingPage> m_pendingPages;
  std::vector<const Page*> m_changedPages;
  std::unique_ptr<Tag> m_directory;
  std::vector<std::unique_ptr<Tag>> m_tags;
  // Tags another program removed; kept so that references to them stay valid.
  std::vector<std::unique_ptr<Tag>> m_goneTags;
};

}  // namespace xbase::cdx
