#include "tables/file_results.h"

#include <cerrno>

namespace tables {

namespace {

constexpr long kGeneralFailure = 31;  // "Allgemeiner Fehler"

long dosErrorCode(int osError) {
  switch (osError) {
    case ENOENT:
      return 2;
    case ENOTDIR:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
      return 5;
    case EXDEV:
      return 17;
    case EROFS:
      return 19;
    case EBUSY:
    case ETXTBSY:
      return 32;
    case EEXIST:
    case ENOTEMPTY:
      return 80;
    default:
      return kGeneralFailure;
  }
}

}  // namespace

long fileResult(const xbase::Status& status) {
  if (status.isOk()) return 0;
  if (status.code() == xbase::Status::Code::Locked) return -32;  // sharing violation
  if (status.code() == xbase::Status::Code::NotFound) return -2;
  return -dosErrorCode(status.osError());
}

}  // namespace tables
