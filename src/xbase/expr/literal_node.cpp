#include "xbase/expr/literal_node.h"

#include <cmath>

#include "xbase/expr/number_text.h"

namespace xbase {

namespace {

class TextLiteral final : public TextNode {
 public:
  explicit TextLiteral(std::string_view bytes) : TextNode({}), m_bytes(bytes) {
    setWidth(static_cast<int>(m_bytes.size()));
  }
  void append(const RecordRef&, std::string& buf) const override { buf.append(m_bytes); }

 private:
  std::string m_bytes;
};

class NumberLiteral final : public NumberNode {
 public:
  NumberLiteral(double value, int decimals) : NumberNode({}), m_value(value) {
    setDecimals(decimals);
  }
  double number(const RecordRef&, std::string&) const override { return m_value; }

 private:
  double m_value;
};

class LogicalLiteral final : public LogicalNode {
 public:
  explicit LogicalLiteral(bool value) : LogicalNode({}), m_value(value) {}
  bool logical(const RecordRef&, std::string&) const override { return m_value; }

 private:
  bool m_value;
};

}  // namespace

NodePtr makeTextLiteral(std::string_view bytes) {
  return std::make_unique<TextLiteral>(bytes);
}

NodePtr makeNumberLiteral(std::string_view text) {
  LeadingNumber n = parseLeadingNumber(text);
  if (!std::isfinite(n.value)) return nullptr;
  return std::make_unique<NumberLiteral>(n.value, n.decimals);
}

NodePtr makeLogicalLiteral(bool value) {
  return std::make_unique<LogicalLiteral>(value);
}

}  // namespace xbase
