#pragma once

#include <string>

namespace dnorm {

// Text blocks ("T" records, table DNORMLTT) and insert texts ("E" records, DNORMLTE): up
// to 99 numbered lines of 40 characters per text number (8 characters). A text delivered
// a second time as new is blocked: it stays as it is, and its continuations are ignored,
// until it is deleted or replaced.

// Stores the current T or E record (read through GETPUFFER) under text number `number`,
// field 3 of the record. False when the record is not stored (number empty or longer than
// 8 characters, or the text blocked).
bool LANGTEXTT(const std::string& number);
bool LANGTEXTE(const std::string& number);

// The whole text of that number, lines without trailing blanks joined by "\r\n"; empty
// when there is none.
std::string GETNEWLTT(const std::string& number);
std::string GETNEWLTE(const std::string& number);

}  // namespace dnorm
