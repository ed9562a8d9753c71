#include "xbase/expr/functions.h"

#include <strings.h>

#include "xbase/expr/function_builders.h"

namespace xbase {

namespace {

struct FunctionInfo {
  const char* name;
  // One letter per argument: C N D L, or ? for any type. Letters after '|' are optional.
  const char* signature;
  FunctionBuilder build;
};

constexpr FunctionInfo kFunctions[] = {
    {"UPPER", "C", buildUpper},      {"LOWER", "C", buildLower},  {"TRIM", "C", buildRtrim},
    {"RTRIM", "C", buildRtrim},      {"LTRIM", "C", buildLtrim},  {"ALLTRIM", "C", buildAlltrim},
    {"SUBSTR", "CN|N", buildSubstr}, {"LEFT", "CN", buildLeft},   {"RIGHT", "CN", buildRight},
    {"PADR", "CN|C", buildPadr},     {"PADL", "CN|C", buildPadl}, {"STR", "N|NN", buildStr},
    {"VAL", "C", buildVal},          {"DTOS", "D", buildDtos},    {"DTOC", "D", buildDtoc},
    {"JANEIN", "L", buildJanein},    {"IIF", "L??", buildIif},    {"EMPTY", "?", buildEmpty},
    {"DELETED", "", buildDeleted},   {"RECNO", "", buildRecno},
};

// Shortest abbreviation xBase accepts for a function name.
constexpr size_t kMinAbbreviation = 4;

const FunctionInfo* findFunction(std::string_view name) {
  for (const FunctionInfo& f : kFunctions) {
    std::string_view full = f.name;
    bool fits = name.size() == full.size() ||
                (name.size() >= kMinAbbreviation && name.size() < full.size());
    if (fits && ::strncasecmp(name.data(), full.data(), name.size()) == 0) return &f;
  }
  return nullptr;
}

std::string argumentCount(size_t n) {
  return n == 0 ? "no arguments" : n == 1 ? "1 argument" : std::to_string(n) + " arguments";
}

// Checks the arguments against the signature; the message says what does not fit.
bool checkArguments(const FunctionInfo& f, const std::vector<NodePtr>& args, std::string* error) {
  std::string_view sig = f.signature;
  size_t bar = sig.find('|');
  size_t required = bar == std::string_view::npos ? sig.size() : bar;
  std::string types(sig.substr(0, required));
  if (bar != std::string_view::npos) types += sig.substr(bar + 1);
  if (args.size() < required || args.size() > types.size()) {
    std::string range = required == types.size()
                            ? argumentCount(required)
                            : std::to_string(required) + " to " + argumentCount(types.size());
    *error = std::string(f.name) + "() takes " + range + ", not " + std::to_string(args.size());
    return false;
  }
  for (size_t i = 0; i < args.size(); ++i) {
    char want = types[i];
    if (want != '?' && static_cast<char>(args[i]->type()) != want) {
      *error = "argument " + std::to_string(i + 1) + " of " + f.name + "() must be " +
               std::string(typeName(static_cast<Value::Type>(want))) + ", not " +
               std::string(typeName(args[i]->type()));
      return false;
    }
  }
  return true;
}

}  // namespace

NodePtr buildFunction(std::string_view name, std::vector<NodePtr> args, std::string* error) {
  const FunctionInfo* f = findFunction(name);
  if (!f) {
    *error = "unknown function " + std::string(name) + "()";
    return nullptr;
  }
  if (!checkArguments(*f, args, error)) return nullptr;
  return f->build(args, error);
}

}  // namespace xbase
