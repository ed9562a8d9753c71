#pragma once

#include <string>

#include "import/run_state.h"

namespace dnorm {

// Control ids of the progress dialog DATEN_EINLESEN.
namespace ctl {
constexpr int kAbort = 110;
constexpr int kDate = 122;
constexpr int kVersion = 124;
constexpr int kCurrency = 126;
constexpr int kSupplier = 127;
constexpr int kElapsed = 202;
constexpr int kProcessed = 204;
constexpr int kErrors = 206;
constexpr int kTotal = 208;
constexpr int kMeter = 211;
constexpr int kFirstCountLabel = 301;  // label i at 301 + 2i, its value at 302 + 2i
constexpr int kLastErrorText = 402;
constexpr int kItemLabel = 403;
constexpr int kItem = 404;
}  // namespace ctl

// The dialog's title and the title of the run's messages.
std::string runTitle();

// Sets a control of the running dialog; nothing when no dialog is open.
void showText(int id, const std::string& text);
void showNumber(int id, long value);
// Record counter i (0-5): adds one and shows it.
void countRecord(int i);
// The meter at lines processed out of the total.
void refreshMeter();

// Fills the dialog with the header and counters of the run; labels of kinds 1-3.
void INITNORMIMPORT(RunKind kind);
// One tick of the one-second timer.
void ZEITSETZEN();
// "Import abbrechen?"; true for yes.
bool ABFRAGEABBRUCH();
// Whether the dialog may close: while the run goes on only after a confirmed abort, which
// sets the abort flag, clears the running flag and stops the timer.
bool VALIDNORMIMPORT();

}  // namespace dnorm
