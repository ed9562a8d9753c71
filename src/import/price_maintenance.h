#pragma once

namespace dnorm {

// The record loop of a price-maintenance file: every "P" record is counted and handled.
bool STARTPREISLESEN();

// Handles the current "P" record: up to three price blocks, each naming an existing
// article, its price flag, its price and up to three discount pairs. A rejected block
// leaves its article unchanged; the other blocks are handled all the same.
bool AENDERPREIS();

}  // namespace dnorm
