#include <algorithm>
#include <optional>

#include "xbase/expr/function_builders.h"
#include "xbase/expr/number_text.h"

namespace xbase {

namespace {

// Positions and counts taken from numbers are clamped here; far beyond any text.
constexpr int kMaxCount = 1'000'000'000;

std::unique_ptr<TextNode> textArg(FunctionArgs& args, size_t i) {
  return nodeAs<TextNode>(std::move(args[i]));
}
std::unique_ptr<NumberNode> numberArg(FunctionArgs& args, size_t i) {
  return i < args.size() ? nodeAs<NumberNode>(std::move(args[i])) : nullptr;
}

// UPPER and LOWER change ASCII letters only; bytes from 0x80 (umlauts) stay as they are,
// which is what the keys of existing indexes hold.
class CaseMap final : public TextNode {
 public:
  CaseMap(std::unique_ptr<TextNode> text, bool upper)
      : TextNode({text.get()}), m_text(std::move(text)), m_upper(upper) {
    setWidth(m_text->width());
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    size_t mark = buf.size();
    m_text->append(rec, buf);
    char from = m_upper ? 'a' : 'A';
    for (size_t i = mark; i < buf.size(); ++i) {
      char& c = buf[i];
      if (c >= from && c <= from + 25) c = static_cast<char>(c ^ 0x20);
    }
  }

 private:
  std::unique_ptr<TextNode> m_text;
  bool m_upper;
};

// RTRIM/TRIM, LTRIM and ALLTRIM remove blanks (spaces).
class Trim final : public TextNode {
 public:
  Trim(std::unique_ptr<TextNode> text, bool leading, bool trailing)
      : TextNode({text.get()}), m_text(std::move(text)), m_leading(leading), m_trailing(trailing) {
    setWidth(m_text->width());
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    size_t mark = buf.size();
    m_text->append(rec, buf);
    if (m_trailing) {
      size_t end = buf.size();
      while (end > mark && buf[end - 1] == ' ') --end;
      buf.resize(end);
    }
    if (m_leading) {
      size_t begin = mark;
      while (begin < buf.size() && buf[begin] == ' ') ++begin;
      buf.erase(mark, begin - mark);
    }
  }

 private:
  std::unique_ptr<TextNode> m_text;
  bool m_leading, m_trailing;
};

struct Range {
  int64_t pos = 0;
  int64_t length = 0;
};

enum class SliceKind { Substr, Left, Right };

// The bytes a slice takes from a text of `size` bytes. SUBSTR counts `first` from 1 (0
// counts as 1, a negative start counts from the end) and takes `second` bytes or the
// rest; LEFT and RIGHT take `first` bytes. Too large counts take what is there.
Range sliceRange(SliceKind kind, int64_t size, int64_t first, std::optional<int64_t> second) {
  switch (kind) {
    case SliceKind::Substr: {
      int64_t pos =
          first < 0 ? std::max<int64_t>(0, size + first) : std::max<int64_t>(0, first - 1);
      if (pos >= size) return {};
      int64_t length = size - pos;
      if (second) length = std::clamp<int64_t>(*second, 0, length);
      return {pos, length};
    }
    case SliceKind::Left:
      return {0, std::clamp<int64_t>(first, 0, size)};
    case SliceKind::Right: {
      int64_t length = std::clamp<int64_t>(first, 0, size);
      return {size - length, length};
    }
  }
  return {};
}

// Static width of a slice: exact when the counts are constants. Otherwise the text's
// width, or for SUBSTR with a constant start only, what remains from that start.
int sliceWidth(SliceKind kind, int width, const NumberNode& first, const NumberNode* second) {
  std::optional<double> a = constantNumber(first);
  if (!a) return width;
  std::optional<int64_t> b;
  if (second) {
    std::optional<double> constant = constantNumber(*second);
    if (constant) b = clampToInt(*constant, kMaxCount);
  }
  return static_cast<int>(sliceRange(kind, width, clampToInt(*a, kMaxCount), b).length);
}

class Slice final : public TextNode {
 public:
  Slice(SliceKind kind, std::unique_ptr<TextNode> text, std::unique_ptr<NumberNode> first,
        std::unique_ptr<NumberNode> second)
      : TextNode({text.get(), first.get(), second.get()}),
        m_kind(kind),
        m_text(std::move(text)),
        m_first(std::move(first)),
        m_second(std::move(second)) {
    setWidth(sliceWidth(kind, m_text->width(), *m_first, m_second.get()));
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    int64_t first = clampToInt(m_first->number(rec, buf), kMaxCount);
    std::optional<int64_t> second;
    if (m_second) second = clampToInt(m_second->number(rec, buf), kMaxCount);
    size_t mark = buf.size();
    m_text->append(rec, buf);
    Range r = sliceRange(m_kind, static_cast<int64_t>(buf.size() - mark), first, second);
    buf.resize(mark + r.pos + r.length);
    buf.erase(mark, r.pos);
  }

 private:
  SliceKind m_kind;
  std::unique_ptr<TextNode> m_text;
  std::unique_ptr<NumberNode> m_first, m_second;
};

// PADR and PADL: the text filled up to `length` bytes with the first byte of the fill text
// (a blank without one) on the right or left; a longer text keeps its first bytes.
class Pad final : public TextNode {
 public:
  Pad(bool left, std::unique_ptr<TextNode> text, std::unique_ptr<NumberNode> length,
      std::unique_ptr<TextNode> fill, int width)
      : TextNode({text.get(), length.get(), fill.get()}),
        m_left(left),
        m_text(std::move(text)),
        m_length(std::move(length)),
        m_fill(std::move(fill)) {
    setWidth(width);
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    size_t length = std::max(0, clampToInt(m_length->number(rec, buf), kMaxTextLength));
    char fill = ' ';
    if (m_fill) {
      size_t mark = buf.size();
      m_fill->append(rec, buf);
      if (buf.size() > mark) fill = buf[mark];
      buf.resize(mark);
    }
    size_t mark = buf.size();
    m_text->append(rec, buf);
    size_t have = buf.size() - mark;
    if (have >= length)
      buf.resize(mark + length);
    else if (m_left)
      buf.insert(mark, length - have, fill);
    else
      buf.append(length - have, fill);
  }

 private:
  bool m_left;
  std::unique_ptr<TextNode> m_text;
  std::unique_ptr<NumberNode> m_length;
  std::unique_ptr<TextNode> m_fill;
};

NodePtr buildSlice(SliceKind kind, FunctionArgs& args) {
  return std::make_unique<Slice>(kind, textArg(args, 0), numberArg(args, 1), numberArg(args, 2));
}

NodePtr buildPad(bool left, FunctionArgs& args, std::string* error) {
  int width = args[0]->width();
  if (std::optional<double> length = constantNumber(*args[1])) {
    if (*length > kMaxTextLength) {
      *error = "length out of range (at most " + std::to_string(kMaxTextLength) + ")";
      return nullptr;
    }
    width = std::max(0, clampToInt(*length, kMaxTextLength));
  }
  return std::make_unique<Pad>(left, textArg(args, 0), numberArg(args, 1),
                               args.size() > 2 ? textArg(args, 2) : nullptr, width);
}

}  // namespace

NodePtr buildUpper(FunctionArgs& args, std::string*) {
  return std::make_unique<CaseMap>(textArg(args, 0), true);
}
NodePtr buildLower(FunctionArgs& args, std::string*) {
  return std::make_unique<CaseMap>(textArg(args, 0), false);
}
NodePtr buildRtrim(FunctionArgs& args, std::string*) {
  return std::make_unique<Trim>(textArg(args, 0), false, true);
}
NodePtr buildLtrim(FunctionArgs& args, std::string*) {
  return std::make_unique<Trim>(textArg(args, 0), true, false);
}
NodePtr buildAlltrim(FunctionArgs& args, std::string*) {
  return std::make_unique<Trim>(textArg(args, 0), true, true);
}
NodePtr buildSubstr(FunctionArgs& args, std::string*) {
  return buildSlice(SliceKind::Substr, args);
}
NodePtr buildLeft(FunctionArgs& args, std::string*) {
  return buildSlice(SliceKind::Left, args);
}
NodePtr buildRight(FunctionArgs& args, std::string*) {
  return buildSlice(SliceKind::Right, args);
}
NodePtr buildPadr(FunctionArgs& args, std::string* error) {
  return buildPad(false, args, error);
}
NodePtr buildPadl(FunctionArgs& args, std::string* error) {
  return buildPad(true, args, error);
}

}  // namespace xbase
