// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "registry/message_sink.hpp"
#include "registry/registry_access.hpp"

namespace pellam {

// Opens `root`\`key_path` for querying, asks for the size of `value_name`'s
// data, reads it into a buffer of that size and closes the key. Each failing
// call is reported at once through `messages`; the caller only gets the text
// (see RegistryDataText), empty when nothing was read. The key is closed on
// every path that opened it, an exception included.
std::u16string ReadRegistryString(RegistryAccess& registry, MessageSink& messages, KeyHandle root,
                                  const std::u16string& key_path, const std::u16string& value_name);

}  // namespace pellam
