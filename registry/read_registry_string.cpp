// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/read_registry_string.hpp"

#include <algorithm>
#include <string>
#include <utility>

#include "registry/registry_constants.hpp"
#include "registry/registry_text.hpp"
#include "runtime/core/ansi_codec.hpp"

namespace pellam {
namespace {

// Owns a key that RegOpenKeyExA opened. Close() is the normal way out and
// reports the result; the destructor only closes a key left open by an
// exception, and stays quiet, since a message box must not be shown (nor an
// exception thrown) during unwinding.
class OpenedKey {
 public:
  OpenedKey(RegistryAccess& registry, KeyHandle key) : registry_(registry), key_(key) {}
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  ~OpenedKey() {
    if (open_) {
      try {
        registry_.RegCloseKey(key_);
      } catch (...) {
      }
    }
  }

  KeyHandle get() const { return key_; }

  std::int32_t Close() {
    open_ = false;
    return registry_.RegCloseKey(key_);
  }

 private:
  RegistryAccess& registry_;
  KeyHandle key_;
  bool open_ = true;
};

}  // namespace

std::u16string ReadRegistryString(RegistryAccess& registry, MessageSink& messages, KeyHandle root,
                                  const std::u16string& key_path,
                                  const std::u16string& value_name) {
  std::u16string result;
  std::uint32_t size = 0;
  std::uint32_t type = reg::kTypeNone;
  const std::string ansi_path = rt::ToAnsi(key_path);
  const std::string ansi_name = rt::ToAnsi(value_name);

  KeyHandle opened{};
  if (registry.RegOpenKeyExA(root, ansi_path.c_str(), 0, reg::kKeyQueryValue, &opened) !=
      reg::kErrorSuccess) {
    messages.Show(u"Error opening key.");
    return result;
  }
  OpenedKey key(registry, opened);

  if (registry.RegQueryValueExA(key.get(), ansi_name.c_str(), nullptr, &type, nullptr, &size) !=
      reg::kErrorSuccess) {
    messages.Show(u"Error getting subkey length.");
  }

  // The buffer is the result's own storage: as many bytes as the data's size,
  // with room for a unit per byte, in which the data becomes the text without
  // a second copy of it. Its storage is never null, not even when empty, so
  // this stays a data query (a null buffer would turn it into a second size
  // query).
  const std::size_t capacity = size;
  std::u16string storage;
  storage.reserve(capacity);
  storage.resize((capacity + 1) / 2);
  const bool read = registry.RegQueryValueExA(key.get(), ansi_name.c_str(), nullptr, &type,
                                              reinterpret_cast<std::uint8_t*>(storage.data()),
                                              &size) == reg::kErrorSuccess;
  if (!read) {
    messages.Show(u"Error getting subkey value.");
  }
  // Only the bytes the call reports as written, and never more than the buffer.
  const std::size_t written = read ? std::min<std::size_t>(size, capacity) : 0;

  if (key.Close() != reg::kErrorSuccess) {
    messages.Show(u"Error closing key.");
  }
  // Made into text once the key is closed, so that whatever the backend holds
  // for the key is given back before the text grows to twice the data's size.
  if (read) {
    result = RegistryDataText(type, std::move(storage), written);
  }
  return result;
}

}  // namespace pellam
