// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

#include "registry/wine/reg_syntax.hpp"

namespace pellam::wine {

// Reads past the value line `line` (`"name"=data` or `@=data`, from its first
// character) and every line that its hex data continues onto, as wineserver
// does, without keeping anything: what the key scan needs of a value.
void PassOverValue(LineReader& reader, std::string_view line);

}  // namespace pellam::wine
