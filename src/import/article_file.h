#pragma once

namespace dnorm {

// The record loop of an article master file: every line's field 3 becomes the current
// article number, and each record goes to the handler of its type (A, B, D, E, T; K asks
// whether to go on; a second V is an error). Returns true.
bool STARTNORMIMPORT();

}  // namespace dnorm
