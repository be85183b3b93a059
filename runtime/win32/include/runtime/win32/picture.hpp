// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

#include "runtime/forms/design.hpp"
#include "runtime/win32/gdi_handles.hpp"

namespace rt::win32 {

// A decoded image, ready to be drawn, made for `scale` times 96 dpi.
struct Picture {
  Bitmap bitmap;
  SIZE size{};  // in the bitmap's own pixels
  int scale = 1;
};

// Decodes a JPEG, PNG or BMP held in memory: an uncompressed bitmap is copied
// as it is, anything else goes through the system's imaging component. Throws
// when the bytes are not an image it can read.
Picture DecodeImage(std::span<const std::byte> bytes);

// The program's RCDATA resource of the image's name. Above 96 dpi, an image
// made for twice the density, "<name>@2x.<suffix>", serves when the program
// has one. Throws when it has neither.
Picture LoadPicture(const forms::ImageRef& image, UINT dpi);

// Draws the picture with its top left corner at `at`, at the size it has at
// `dpi` (its own size divided by its scale at 96 dpi).
void DrawPicture(HDC dc, POINT at, UINT dpi, const Picture& picture);

}  // namespace rt::win32
