#pragma once

#include <string>

namespace cli {

// A value as one field of a comma-separated line: in double quotes, with inner quotes
// doubled, when it holds a comma, a quote or a line break; as it is otherwise.
std::string csvField(const std::string& value);

}  // namespace cli
