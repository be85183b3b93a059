// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <cstdint>
#include <ctime>

#include "Corvel/tick_source.hpp"
#include "runtime/core/run_time_error.hpp"

namespace corvel {

// CLOCK_BOOTTIME keeps counting while the machine sleeps, as the Windows
// counter does; CLOCK_MONOTONIC would not.
std::int32_t SystemTickSource::Read() {
  timespec now{};
  if (clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
    rt::Raise(rt::ErrorNumber::kInvalidProcedureCall);
  }
  auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000U +
                      static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000U;
  // Keep the low 32 bits and read them as signed, so the reading wraps where
  // the Windows counter does.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(milliseconds));
}

}  // namespace corvel
