// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/core/fp_status.hpp"

#include <cfenv>

#include "runtime/core/run_time_error.hpp"

namespace rt {

void ClearFpStatus() {
  std::feclearexcept(FE_ALL_EXCEPT);
}

void CheckFpStatus() {
  int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  std::feclearexcept(FE_ALL_EXCEPT);
  if ((raised & FE_DIVBYZERO) != 0) {
    Raise(ErrorNumber::kDivisionByZero);
  }
  if (raised != 0) {
    Raise(ErrorNumber::kOverflow);
  }
}

}  // namespace rt
