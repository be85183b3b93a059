// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <gmock/gmock.h>

#include <ostream>

#include "runtime/core/run_time_error.hpp"

namespace rt {

// Failures show an error's number, not its bytes.
inline void PrintTo(ErrorNumber number, std::ostream* out) {
  *out << static_cast<int>(number);
}

}  // namespace rt

namespace testsupport {

// Matches a callable that raises the run-time error `number`.
inline auto Raises(rt::ErrorNumber number = rt::ErrorNumber::kOverflow) {
  return ::testing::Throws<rt::RunTimeError>(
      ::testing::Property("number", &rt::RunTimeError::number, number));
}

}  // namespace testsupport
