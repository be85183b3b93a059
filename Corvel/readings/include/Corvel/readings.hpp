// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>

#include "Corvel/tick_source.hpp"
#include "runtime/core/currency.hpp"

namespace corvel {

// Reads the counter once and returns it treated so that it is never negative:
// a raw tick t >= 0 gives t; a raw tick t < 0 gives t + 2^32 - (2^31 - 1), which
// restarts at 1 when the signed reading turns negative. The last millisecond
// before the wrap (raw -1) would give 2^31, one beyond a signed 32-bit number;
// it reads as 2^31 - 1 instead.
rt::Currency TreatedTickCount(TickSource& ticks);

// " Lapsed time since Windows started: " and the number grouped by threes.
std::u16string ReadingText(std::int32_t ticks);
std::u16string ReadingText(rt::Currency treated_ticks);

// The whole days, rounded half to even, before a treated tick reaches
// 2^31 - 1: "25 of 25 (max)" just after start.
std::u16string DaysText(rt::Currency treated_ticks);

}  // namespace corvel
