#include <cstdio>

#include "xbase/common/julian.h"
#include "xbase/expr/function_builders.h"
#include "xbase/expr/number_text.h"

namespace xbase {

namespace {

// Julian days of the dates DTOS and DTOC can write: 0001-01-01 to 9999-12-31. Anything
// else (the empty date, or date arithmetic on it) reads as empty.
constexpr int32_t kFirstDate = 1721426;
constexpr int32_t kLastDate = 5373484;
// STR without a width: an N or F field keeps its own width and decimals, anything else
// gets ten places and no decimals.
constexpr int kDefaultStrWidth = 10;

class Str final : public TextNode {
 public:
  Str(std::unique_ptr<NumberNode> value, int width, int decimals)
      : TextNode({value.get()}), m_value(std::move(value)), m_decimals(decimals) {
    setWidth(width);
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    appendNumber(m_value->number(rec, buf), width(), m_decimals, buf);
  }

 private:
  std::unique_ptr<NumberNode> m_value;
  int m_decimals;
};

class Val final : public NumberNode {
 public:
  explicit Val(std::unique_ptr<TextNode> text)
      : NumberNode({text.get()}), m_text(std::move(text)) {}
  double number(const RecordRef& rec, std::string& buf) const override {
    return parse(rec, buf).value;
  }
  int decimalsFor(const RecordRef& rec, std::string& buf) const override {
    return parse(rec, buf).decimals;
  }

 private:
  LeadingNumber parse(const RecordRef& rec, std::string& buf) const {
    size_t mark = buf.size();
    m_text->append(rec, buf);
    LeadingNumber n = parseLeadingNumber(std::string_view(buf).substr(mark));
    buf.resize(mark);
    return n;
  }
  std::unique_ptr<TextNode> m_text;
};

// DTOS ("YYYYMMDD", 8 blanks when empty) and DTOC ("DD.MM.YYYY", "  .  .    " when empty).
class DateText final : public TextNode {
 public:
  DateText(std::unique_ptr<DateNode> date, bool dtoc)
      : TextNode({date.get()}), m_date(std::move(date)), m_dtoc(dtoc) {
    setWidth(dtoc ? 10 : 8);
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    int32_t jdn = m_date->date(rec, buf);
    if (jdn < kFirstDate || jdn > kLastDate) {
      buf.append(m_dtoc ? "  .  .    " : "        ");
      return;
    }
    if (!m_dtoc) {
      buf.append(dtosFromJulian(jdn));
      return;
    }
    Ymd d = ymdFromJulian(jdn);
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", d.day, d.month, d.year);
    buf.append(text);
  }

 private:
  std::unique_ptr<DateNode> m_date;
  bool m_dtoc;
};

class Janein final : public TextNode {
 public:
  explicit Janein(std::unique_ptr<LogicalNode> flag)
      : TextNode({flag.get()}), m_flag(std::move(flag)) {
    setWidth(4);
  }
  void append(const RecordRef& rec, std::string& buf) const override {
    buf.append(m_flag->logical(rec, buf) ? "ja" : "nein");
  }

 private:
  std::unique_ptr<LogicalNode> m_flag;
};

// A width or decimals argument of STR: a constant in [min, kMaxTextLength].
bool strArgument(const Node& arg, const char* what, int min, int* out, std::string* error) {
  std::optional<double> v = constantNumber(arg);
  if (!v || *v < min || *v > kMaxTextLength) {
    *error = std::string("the ") + what + " of STR() must be a constant from " +
             std::to_string(min) + " to " + std::to_string(kMaxTextLength);
    return false;
  }
  *out = static_cast<int>(*v);
  return true;
}

}  // namespace

NodePtr buildStr(FunctionArgs& args, std::string* error) {
  int width = args[0]->width() > 0 ? args[0]->width() : kDefaultStrWidth;
  int decimals = args[0]->width() > 0 ? args[0]->decimals() : 0;
  if (args.size() > 1) {
    if (!strArgument(*args[1], "width", 1, &width, error)) return nullptr;
    decimals = 0;
  }
  if (args.size() > 2 && !strArgument(*args[2], "decimals", 0, &decimals, error)) return nullptr;
  return std::make_unique<Str>(nodeAs<NumberNode>(std::move(args[0])), width, decimals);
}

NodePtr buildVal(FunctionArgs& args, std::string*) {
  return std::make_unique<Val>(nodeAs<TextNode>(std::move(args[0])));
}

NodePtr buildDtos(FunctionArgs& args, std::string*) {
  return std::make_unique<DateText>(nodeAs<DateNode>(std::move(args[0])), false);
}

NodePtr buildDtoc(FunctionArgs& args, std::string*) {
  return std::make_unique<DateText>(nodeAs<DateNode>(std::move(args[0])), true);
}

NodePtr buildJanein(FunctionArgs& args, std::string*) {
  return std::make_unique<Janein>(nodeAs<LogicalNode>(std::move(args[0])));
}

}  // namespace xbase
