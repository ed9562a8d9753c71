#pragma once

#include <functional>
#include <string>

namespace dnorm {

// The record loop every kind of run shares, from the line after the header to the end of
// the file. Before each line the user interface is served once, which may bring an abort
// request; after a confirmed abort the loop ends at once. Each line is read, converted from
// the DOS to the Windows character set, stored as the current line and counted, then given
// to `handle`, which returns false to end the run as at the end of the file. Unless the
// run was aborted, the closing message is shown and the run marked finished.
void forEachLine(const std::function<bool(const std::string& line)>& handle,
                 const std::string& closingMessage);

}  // namespace dnorm
