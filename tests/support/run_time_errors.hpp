#pragma once

#include <gmock/gmock.h>

#include "runtime/core/run_time_error.hpp"

namespace testsupport {

// Matches a callable that raises the run-time error `number`.
inline auto Raises(rt::ErrorNumber number = rt::ErrorNumber::kOverflow) {
  return ::testing::Throws<rt::RunTimeError>(
      ::testing::Property(&rt::RunTimeError::number, number));
}

}  // namespace testsupport
