// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "registry/registry_access.hpp"
#include "registry/registry_constants.hpp"

namespace testsupport {

// How the log writes a key handle: its pointer-sized value in decimal, so that
// a predefined root shows sign-extended.
inline std::string LoggedHandle(pellam::KeyHandle key) {
  return std::to_string(static_cast<std::uintptr_t>(key));
}

// A registry that holds one value, records every call with its arguments and
// can fail or throw at any call.
class RecordingRegistry : public pellam::RegistryAccess {
 public:
  enum class Call { kNone, kOpen, kSizeQuery, kDataQuery, kClose };
  static constexpr pellam::KeyHandle kOpened = static_cast<pellam::KeyHandle>(0x44);

  std::string data = std::string("abc\0", 4);
  std::uint32_t type = pellam::reg::kTypeSz;
  Call failing = Call::kNone;
  Call throwing = Call::kNone;
  std::vector<std::string> log;

  std::int32_t RegOpenKeyExA(pellam::KeyHandle key, const char* sub_key, std::uint32_t options,
                             std::uint32_t access, pellam::KeyHandle* result) override {
    if (Logs(Call::kOpen, "open " + LoggedHandle(key) + " '" + sub_key + "' " +
                              std::to_string(options) + " " + std::to_string(access))) {
      return pellam::reg::kErrorFileNotFound;
    }
    *result = kOpened;
    return pellam::reg::kErrorSuccess;
  }

  std::int32_t RegQueryValueExA(pellam::KeyHandle key, const char* name, std::uint32_t* reserved,
                                std::uint32_t* value_type, std::uint8_t* buffer,
                                std::uint32_t* size) override {
    const auto needed = static_cast<std::uint32_t>(data.size());
    if (Logs(buffer == nullptr ? Call::kSizeQuery : Call::kDataQuery,
             (buffer == nullptr ? "size " : "data ") + LoggedHandle(key) + " '" + name + "' " +
                 (reserved == nullptr ? "" : "reserved ") + std::to_string(*size))) {
      return pellam::reg::kErrorFileNotFound;  // leaves the size as it was
    }
    const bool fits = buffer == nullptr || *size >= needed;
    if (buffer != nullptr && fits) {
      std::memcpy(buffer, data.data(), needed);
    }
    *value_type = type;
    *size = needed;
    return fits ? pellam::reg::kErrorSuccess : pellam::reg::kErrorMoreData;
  }

  std::int32_t RegCloseKey(pellam::KeyHandle key) override {
    return Logs(Call::kClose, "close " + LoggedHandle(key)) ? pellam::reg::kErrorInvalidHandle
                                                            : pellam::reg::kErrorSuccess;
  }

 private:
  // Logs `entry`; throws when `call` is to throw; whether it is to fail.
  bool Logs(Call call, std::string entry) {
    log.push_back(std::move(entry));
    if (throwing == call) {
      throw std::runtime_error("injected");
    }
    return failing == call;
  }
};

}  // namespace testsupport
