#pragma once

#include "xbase/common/status.h"

namespace tables {

// The result of a file operation as FCHECK takes it: 0 for success, otherwise the negative
// DOS error code that matches the failure ("-5" for access denied, "-2" for a missing file).
long fileResult(const xbase::Status& status);

}  // namespace tables
