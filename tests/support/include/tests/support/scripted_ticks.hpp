// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "Corvel/tick_source.hpp"

namespace testsupport {

// A counter that returns the given readings one per read, in order; reading
// past the script throws, so a test sees every read it did not expect.
class ScriptedTicks final : public corvel::TickSource {
 public:
  explicit ScriptedTicks(std::vector<std::int32_t> readings = {})
      : readings_(std::move(readings)) {}

  std::int32_t Read() override { return readings_.at(next_++); }

 private:
  std::vector<std::int32_t> readings_;
  std::size_t next_ = 0;
};

}  // namespace testsupport
