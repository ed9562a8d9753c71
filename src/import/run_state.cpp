#include "import/run_state.h"

namespace dnorm {

RunState& runState() {
  static RunState state;
  return state;
}

const std::string& GETPUFFER() {
  return runState().currentLine;
}

}  // namespace dnorm
