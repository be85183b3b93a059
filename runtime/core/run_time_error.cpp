// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/core/run_time_error.hpp"

#include <utility>

#include "runtime/core/ansi_codec.hpp"

namespace rt {
namespace {

std::u16string DescriptionOf(ErrorNumber number) {
  switch (number) {
    case ErrorNumber::kInvalidProcedureCall:
      return u"Invalid procedure call or argument";
    case ErrorNumber::kOverflow:
      return u"Overflow";
    case ErrorNumber::kDivisionByZero:
      return u"Division by zero";
    case ErrorNumber::kFileNotFound:
      return u"File not found";
    case ErrorNumber::kDllEntryPointNotFound:
      return u"Can't find DLL entry point";
  }
  return u"Application-defined or object-defined error";
}

std::string NarrowAscii(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

}  // namespace

RunTimeError::RunTimeError(ErrorNumber number)
    : std::runtime_error(NarrowAscii(DescriptionOf(number))),
      number_(number),
      description_(DescriptionOf(number)) {}

RunTimeError::RunTimeError(ErrorNumber number, std::u16string description)
    : std::runtime_error(ToAnsi(description)),
      number_(number),
      description_(std::move(description)) {}

std::u16string RunTimeError::MessageText() const {
  return u"Run-time error '" + AsciiToUtf16(std::to_string(static_cast<std::int32_t>(number_))) +
         u"':\n\n" + description_;
}

std::u16string EndingMessage(const std::exception& error) {
  const auto* run_time_error = dynamic_cast<const RunTimeError*>(&error);
  return run_time_error != nullptr ? run_time_error->MessageText() : FromAnsi(error.what());
}

void Raise(ErrorNumber number) {
  throw RunTimeError(number);
}

void Raise(ErrorNumber number, std::u16string description) {
  throw RunTimeError(number, std::move(description));
}

}  // namespace rt
