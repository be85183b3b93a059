// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace corvel {

// The system's millisecond counter: time since the system started, 32 bits
// wide, read as a signed number. It turns negative after 2^31 - 1 ms and wraps
// to 0 after 2^32 ms.
class TickSource {
 public:
  virtual ~TickSource() = default;
  virtual std::int32_t Read() = 0;
};

// The counter of the platform the program runs on (one source file per
// platform, chosen by the build).
class SystemTickSource final : public TickSource {
 public:
  std::int32_t Read() override;
};

}  // namespace corvel
