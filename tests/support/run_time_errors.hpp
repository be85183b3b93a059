#pragma once

#include <gtest/gtest.h>

#include "runtime/core/run_time_error.hpp"

namespace testsupport {

// Fails the test unless `computation` raises the run-time error `expected`.
template <typename Computation>
void ExpectRunTimeError(rt::ErrorNumber expected, Computation&& computation) {
  try {
    computation();
    ADD_FAILURE() << "no run-time error raised";
  } catch (const rt::RunTimeError& error) {
    EXPECT_EQ(error.number(), expected);
  }
}

template <typename Computation>
void ExpectOverflow(Computation&& computation) {
  ExpectRunTimeError(rt::ErrorNumber::kOverflow, computation);
}

}  // namespace testsupport
