#pragma once

namespace dnorm {

// Runs one import of a Datanorm file: kind 0 article master file, 1 main product groups,
// 2 price maintenance, 3 discount groups. Checks the settings and the merchandise system's
// files, opens the tables, lets the user choose the file, reads its header record, fixes
// the currency conversion and runs the kind's record loop in the progress dialog
// DATEN_EINLESEN. False when a precondition fails or the file choice is cancelled; true
// once the dialog has run (to the end, to a "no" for the customer number, or to an abort).
// The own tables stay open afterwards; ARTIKEL and LANGTEXT are closed.
bool NORMIMPORT(int kind = 0);

}  // namespace dnorm
