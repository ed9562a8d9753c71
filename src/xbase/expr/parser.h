#pragma once

#include <string_view>

#include "xbase/common/field.h"
#include "xbase/common/status.h"
#include "xbase/expr/node.h"

namespace xbase {

// Parses an expression text into a tree of typed nodes over the fields of one table known
// under `alias`. Errors are InvalidArgument naming the expression, what is wrong and where.
Status parseExpression(std::string_view text, const FieldList& fields, std::string_view alias,
                       NodePtr* out);

}  // namespace xbase
