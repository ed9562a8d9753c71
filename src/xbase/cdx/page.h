#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx/layout.h"
#include "xbase/cdx/leaf_format.h"

namespace xbase::cdx {

// One tree page in decoded form: keys back to back, keyLength bytes each, in ascending
// (key, record number) order. Interior pages also hold the child page of every entry; the
// entry is the last key and record number of that child's subtree.
struct Page {
  uint32_t offset = 0;
  uint16_t attributes = 0;  // kAttrRoot, kAttrLeaf
  uint32_t left = kNoPage;
  uint32_t right = kNoPage;
  uint16_t keyLength = 0;
  std::string keys;
  // The first 8 bytes of every key as one big-endian integer: a compact search index that
  // settles most comparisons without touching the keys. Kept by the entry edits below.
  std::vector<uint64_t> heads;
  std::vector<uint32_t> recnos;
  std::vector<uint32_t> children;  // interior pages only
  // Leaf pages: how each key compresses against the key before it (the first against none),
  // the key bytes the encoding stores and the largest record number, kept up to date by the
  // leaf edits below so that the encoded size is known without encoding the page and
  // encoding only copies bytes.
  std::vector<KeyCompression> compression;
  uint32_t storedKeyBytes = 0;
  uint32_t maxRecno = 0;
  // A leaf as another program packed it, tighter than our encoding can (its duplicate counts
  // may reach into the previous key's trailing blanks). Kept while its entries stay as read,
  // so that a change of its sibling pointers alone does not force a re-encoding that no
  // longer fits the page; any edit of the entries drops it.
  std::string foreignBytes;
  // Leaf pages: the page as encodeLeaf writes it with the leaf's layout (node header and
  // free-space field aside), taken when the leaf is read or written and kept in step by
  // single inserts, so that writing a changed leaf is a copy; empty when not known.
  mutable std::string image;
  bool dirty = false;
  // Read or changed since the page cache was last trimmed.
  bool used = true;

  bool isLeaf() const { return attributes & kAttrLeaf; }
  bool isRoot() const { return attributes & kAttrRoot; }
  size_t count() const { return recnos.size(); }
  const char* keyAt(size_t i) const { return keys.data() + i * keyLength; }
  std::string_view key(size_t i) const { return {keyAt(i), keyLength}; }
  // Compares entry i with (key, recno): <0, 0, >0.
  int compare(size_t i, const char* key, uint32_t recno) const;
  // First entry >= (key, recno); count() when none.
  size_t lowerBound(const char* key, uint32_t recno) const;

  // Entry edits that keep keys, heads and recnos in step (children are the caller's).
  void insertEntry(size_t pos, const char* key, uint32_t recno);
  void eraseEntry(size_t pos);
  void setEntry(size_t pos, const char* key, uint32_t recno);
  void clearEntries();
  // Back to a blank page, keeping the capacity of its buffers for the next use.
  void reset();
  // Rebuilds heads after keys were written directly.
  void indexKeys();

 private:
  int compare(size_t i, uint64_t head, const char* key, uint32_t recno) const;
};

// Encoded size of a leaf with the widths this engine writes (above kPageSize when it does
// not fit, also when a record number is too large for any width).
size_t leafSize(const Page& leaf);
// Recomputes compression, storedKeyBytes and maxRecno of a leaf from its keys.
void recountLeaf(Page& leaf, char fill);
// Recomputes storedKeyBytes and maxRecno from the entries and their compression.
void measureLeaf(Page& leaf);

// Leaf edits that keep storedKeyBytes and maxRecno current.
void insertLeafEntry(Page& leaf, size_t pos, const char* key, uint32_t recno, char fill);
void eraseLeafEntry(Page& leaf, size_t pos, char fill);
void setLeafRecno(Page& leaf, size_t pos, uint32_t recno);

// Interior edits.
void insertInteriorEntry(Page& page, size_t pos, const char* key, uint32_t recno, uint32_t child);
void eraseInteriorEntry(Page& page, size_t pos);
void setInteriorEntry(Page& page, size_t pos, const char* key, uint32_t recno);

// Where to split an overfull leaf so that both halves need about the same room: the index
// of the first entry of the right half (1 .. count-1).
size_t leafSplitPoint(const Page& leaf);

// Moves the entries from `from` on into `to` (an empty page of the same kind).
void moveTail(Page& page, size_t from, Page& to, char fill);

}  // namespace xbase::cdx
