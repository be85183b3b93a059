// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pellam::wine {

// The key scan's fast path looks at a key line sixteen bytes at a time: one
// comparison per block instead of a branch per byte, which is what lets it
// pass over thousands of key lines at little more than the cost of finding
// them. Bit i of a mask stands for byte i of the bytes looked at.
inline constexpr std::size_t kBlockSize = 16;

namespace portable {

// Byte by byte, for targets without SSE2, and the yardstick for the vector forms.

inline char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Where the block at `bytes` differs from `lower` once its ASCII capitals are
// folded to lower case (`lower` holds no capitals).
inline std::uint32_t FoldedMismatches(const char* bytes, const char* lower) {
  std::uint32_t mask = 0;
  for (std::size_t i = 0; i < kBlockSize; ++i) {
    if (FoldAscii(bytes[i]) != lower[i]) {
      mask |= 1U << i;
    }
  }
  return mask;
}

// Where the `blocks` blocks at `bytes` (up to four) hold ']', a control
// character up to '\n' (NUL and the line end among them) or a byte beyond ASCII.
template <std::size_t blocks>
std::uint64_t ClosesOrBreaks(const char* bytes) {
  static_assert(blocks * kBlockSize <= 64);
  std::uint64_t mask = 0;
  for (std::size_t i = 0; i < blocks * kBlockSize; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == ']' || byte <= '\n' || byte >= 0x80) {
      mask |= std::uint64_t{1} << i;
    }
  }
  return mask;
}

}  // namespace portable

#if defined(__SSE2__)

inline std::uint32_t FoldedMismatches(const char* bytes, const char* lower) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  // As unsigned bytes, capitals minus 'A' are exactly those below 26.
  const __m128i offset = _mm_sub_epi8(block, _mm_set1_epi8('A'));
  const __m128i capital = _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(25)), offset);
  const __m128i folded = _mm_add_epi8(block, _mm_and_si128(capital, _mm_set1_epi8('a' - 'A')));
  const __m128i equal =
      _mm_cmpeq_epi8(folded, _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower)));
  return ~static_cast<std::uint32_t>(_mm_movemask_epi8(equal)) & 0xFFFFU;
}

template <std::size_t blocks>
std::uint64_t ClosesOrBreaks(const char* bytes) {
  static_assert(blocks * kBlockSize <= 64);
  std::uint64_t mask = 0;
  for (std::size_t i = 0; i < blocks; ++i) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i * kBlockSize));
    const __m128i close = _mm_cmpeq_epi8(block, _mm_set1_epi8(']'));
    // As signed bytes, those beyond ASCII are negative: one comparison finds
    // them and the control characters.
    const __m128i other = _mm_cmplt_epi8(block, _mm_set1_epi8('\n' + 1));
    const auto found = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(close, other)));
    mask |= std::uint64_t{found} << (i * kBlockSize);
  }
  return mask;
}

#else

using portable::ClosesOrBreaks;
using portable::FoldedMismatches;

#endif

}  // namespace pellam::wine
