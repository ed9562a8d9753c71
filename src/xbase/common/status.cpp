#include "xbase/common/status.h"

namespace xbase {

std::string Status::toString() const {
  const char* name = "OK";
  switch (m_code) {
    case Code::Ok: return "OK";
    case Code::NotFound: name = "NotFound"; break;
    case Code::Corruption: name = "Corruption"; break;
    case Code::IoError: name = "IoError"; break;
    case Code::Locked: name = "Locked"; break;
    case Code::Cancelled: name = "Cancelled"; break;
    case Code::NotSupported: name = "NotSupported"; break;
    case Code::InvalidArgument: name = "InvalidArgument"; break;
  }
  return std::string(name) + ": " + m_message;
}

}  // namespace xbase
