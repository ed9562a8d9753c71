#pragma once

#include <optional>
#include <string>

namespace dnorm {

// Reports an error of the running import by number. The text comes from DNORMERT; a detail
// is appended in parentheses. The message becomes the last error text, is shown and
// counted, and unless DNORMERT marks the number as ignored it is logged in DNORMERR with
// date, time, file, line and (from number 100 on) the current article number.
// False when DNORMERT has no row for the number; nothing else happens then.
bool NORMFEHLER(int number, const std::optional<std::string>& detail = std::nullopt);

// A number as an error detail: plain decimal with `decimals` places, no blanks.
std::string numberDetail(double value, int decimals);

// Kinds of protocol entry.
enum class ProtocolKind { kDeletion = 1, kNumberChange = 2 };

// Appends a row to the article protocol DNORMPRO: the article number (the new one for a
// number change), the kind and the old number. Returns true.
bool NORMPROTOKOLL(const std::string& article, ProtocolKind kind = ProtocolKind::kDeletion,
                   const std::string& oldNumber = {});

}  // namespace dnorm
