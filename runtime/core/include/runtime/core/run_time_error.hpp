// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace rt {

// The run-time errors this runtime raises, each with the number and the text
// that its message shows.
enum class ErrorNumber : std::int32_t {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kDivisionByZero = 11,
  kFileNotFound = 53,
  kDllEntryPointNotFound = 453,
};

class RunTimeError : public std::runtime_error {
 public:
  explicit RunTimeError(ErrorNumber number);
  // The error with a description of its own, naming what it concerns (e.g.
  // "File not found: winmm.dll").
  RunTimeError(ErrorNumber number, std::u16string description);

  ErrorNumber number() const { return number_; }
  const std::u16string& description() const { return description_; }

  // "Run-time error '6':", a blank line, then the description.
  std::u16string MessageText() const;

 private:
  ErrorNumber number_;
  std::u16string description_;
};

// What a program shows for an exception that escaped a handler before it
// ends: a run-time error's message text, or any other exception's
// description.
std::u16string EndingMessage(const std::exception& error);

// Runs `handler`: nothing when it returns, else the message that ends the
// program for what escaped it.
template <typename Handler>
std::optional<std::u16string> Trapped(Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
    return std::nullopt;
  } catch (const std::exception& error) {
    return EndingMessage(error);
  }
}

[[noreturn]] void Raise(ErrorNumber number);
[[noreturn]] void Raise(ErrorNumber number, std::u16string description);

}  // namespace rt
