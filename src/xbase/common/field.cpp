#include "xbase/common/field.h"

#include <strings.h>

namespace xbase {

int findField(const FieldList& fields, std::string_view name) {
  for (size_t i = 0; i < fields.size(); ++i) {
    const auto& f = fields[i].name;
    if (f.size() == name.size() && ::strncasecmp(f.data(), name.data(), name.size()) == 0)
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace xbase
