#pragma once

#include <string>

namespace dnorm {

// The record loop of a main-product-group file ("S" records into DNORMWGR) and of a
// discount-group file ("R" records into DNORMRAB). Groups already stored stay as they are.
bool STARTWARENLESEN();
bool STARTRABATTLESEN();

// Whether articles of the product group are imported: true unless the group (key padded or
// cut to 3) is stored with its include flag off.
bool MITDIESERGRUPPE(const std::string& group);

}  // namespace dnorm
