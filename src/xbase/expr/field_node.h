#pragma once

#include <string>

#include "xbase/common/field.h"
#include "xbase/expr/node.h"

namespace xbase {

// A node reading field `index` of the record; null with *error set when expressions
// cannot read the field's type.
NodePtr buildFieldNode(const FieldList& fields, int index, std::string* error);

}  // namespace xbase
