// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

namespace rt {

// The floating-point status check made after a computation: clear the flags,
// compute, then check. Division by zero raises "Division by zero"; an invalid
// operation or an overflow raises "Overflow".
void ClearFpStatus();
void CheckFpStatus();

template <typename Computation>
auto FpChecked(Computation computation) {
  ClearFpStatus();
  auto result = computation();
  CheckFpStatus();
  return result;
}

}  // namespace rt
