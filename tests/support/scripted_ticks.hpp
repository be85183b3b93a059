#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

#include "Corvel/tick_source.hpp"

namespace testsupport {

// A counter that returns the given readings one per read, in order, and
// counts the reads; reading past the script is a test failure.
class ScriptedTicks final : public corvel::TickSource {
 public:
  explicit ScriptedTicks(std::vector<std::int32_t> readings = {})
      : readings_(std::move(readings)) {}

  std::int32_t Read() override {
    if (reads_ >= readings_.size()) {
      throw std::logic_error("the counter was read more often than scripted");
    }
    return readings_[reads_++];
  }

  std::size_t reads() const { return reads_; }

 private:
  std::vector<std::int32_t> readings_;
  std::size_t reads_ = 0;
};

}  // namespace testsupport
