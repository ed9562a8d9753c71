#pragma once

#include <string_view>

#include "xbase/expr/node.h"

namespace xbase {

NodePtr makeTextLiteral(std::string_view bytes);
// A number as written in the expression ("12", "1.50", ".5"); keeps its decimals. Null
// when the number is too large for a double.
NodePtr makeNumberLiteral(std::string_view text);
NodePtr makeLogicalLiteral(bool value);

}  // namespace xbase
