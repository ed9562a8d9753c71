#pragma once

#include <string>
#include <utility>

namespace xbase {

// Result of an engine operation. The engine never throws across modules and never
// asserts on bytes it read from disk; it returns a Status whose message names the file
// (and the offset where that helps).
class Status {
 public:
  enum class Code { Ok, NotFound, Corruption, IoError, Locked, Cancelled, NotSupported, InvalidArgument };

  Status() = default;
  static Status ok() { return {}; }
  static Status notFound(std::string msg) { return {Code::NotFound, std::move(msg)}; }
  static Status corruption(std::string msg) { return {Code::Corruption, std::move(msg)}; }
  static Status ioError(std::string msg, int err = 0) { return {Code::IoError, std::move(msg), err}; }
  static Status locked(std::string msg) { return {Code::Locked, std::move(msg)}; }
  static Status cancelled(std::string msg) { return {Code::Cancelled, std::move(msg)}; }
  static Status notSupported(std::string msg) { return {Code::NotSupported, std::move(msg)}; }
  static Status invalidArgument(std::string msg) { return {Code::InvalidArgument, std::move(msg)}; }

  bool isOk() const { return m_code == Code::Ok; }
  explicit operator bool() const { return isOk(); }
  Code code() const { return m_code; }
  const std::string& message() const { return m_message; }
  // errno of a failed system call, 0 when none.
  int osError() const { return m_osError; }
  std::string toString() const;

 private:
  Status(Code code, std::string msg, int err = 0) : m_code(code), m_message(std::move(msg)), m_osError(err) {}
  Code m_code = Code::Ok;
  std::string m_message;
  int m_osError = 0;
};

#define XBASE_RETURN_IF_ERROR(expr)      \
  do {                                   \
    ::xbase::Status _st = (expr);        \
    if (!_st.isOk()) return _st;         \
  } while (0)

}  // namespace xbase
