#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xbase/expr/node.h"

namespace xbase {

// A call of a built-in function. The name is looked up without regard to case; a name
// of four or more letters may stand for the function it begins (SUBS for SUBSTR). The
// number and types of the arguments are checked. Null with *error set when the function
// does not exist or the arguments do not fit.
NodePtr buildFunction(std::string_view name, std::vector<NodePtr> args, std::string* error);

}  // namespace xbase
