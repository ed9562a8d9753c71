#include "xbase/common/field.h"

#include <strings.h>

namespace xbase {

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

int findField(const FieldList& fields, std::string_view name) {
  for (size_t i = 0; i < fields.size(); ++i)
    if (sameName(fields[i].name, name)) return static_cast<int>(i);
  return -1;
}

}  // namespace xbase
