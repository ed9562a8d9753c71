#pragma once

#include <string>
#include <vector>

#include "xbase/expr/node.h"

namespace xbase {

// Builders of the built-in functions. They get arguments whose count and types were
// already checked against the function's signature, and return null with *error set
// only for what the signature cannot express (constant ranges, IIF's branch types).
using FunctionArgs = std::vector<NodePtr>;
using FunctionBuilder = NodePtr (*)(FunctionArgs& args, std::string* error);

// Text functions (text_functions.cpp).
NodePtr buildUpper(FunctionArgs& args, std::string* error);
NodePtr buildLower(FunctionArgs& args, std::string* error);
NodePtr buildRtrim(FunctionArgs& args, std::string* error);
NodePtr buildLtrim(FunctionArgs& args, std::string* error);
NodePtr buildAlltrim(FunctionArgs& args, std::string* error);
NodePtr buildSubstr(FunctionArgs& args, std::string* error);
NodePtr buildLeft(FunctionArgs& args, std::string* error);
NodePtr buildRight(FunctionArgs& args, std::string* error);
NodePtr buildPadr(FunctionArgs& args, std::string* error);
NodePtr buildPadl(FunctionArgs& args, std::string* error);

// Conversions between types (conversion_functions.cpp).
NodePtr buildStr(FunctionArgs& args, std::string* error);
NodePtr buildVal(FunctionArgs& args, std::string* error);
NodePtr buildDtos(FunctionArgs& args, std::string* error);
NodePtr buildDtoc(FunctionArgs& args, std::string* error);
NodePtr buildJanein(FunctionArgs& args, std::string* error);

// IIF, EMPTY and the record functions (general_functions.cpp).
NodePtr buildIif(FunctionArgs& args, std::string* error);
NodePtr buildEmpty(FunctionArgs& args, std::string* error);
NodePtr buildDeleted(FunctionArgs& args, std::string* error);
NodePtr buildRecno(FunctionArgs& args, std::string* error);

}  // namespace xbase
