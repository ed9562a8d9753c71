#pragma once

namespace base {

// Commercial rounding to `decimals` places (negative: to tens, hundreds, ...), halves away
// from zero. The decision is taken on the value's decimal form at 15 significant digits,
// so a value that binary floating point holds a hair below the half is still rounded up:
// 2.675 gives 2.68, -2.675 gives -2.68, 1.005 gives 1.01.
double roundCommercial(double value, int decimals);

// a / b, and 0 when b is 0: price formulas rely on a quotient by zero counting as 0.
double divideOrZero(double a, double b);

}  // namespace base
