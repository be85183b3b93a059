#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <type_traits>

// Owners of the GDI objects a window keeps, each deleted once with its owner.
namespace rt::win32 {

struct GdiObjectDelete {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDelete>;

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// A decoded image, ready to be drawn.
struct Picture {
  Bitmap bitmap;
  SIZE size{};
};

// Decodes a JPEG, PNG or BMP held in memory: an uncompressed bitmap is copied
// as it is, anything else goes through the system's imaging component. Throws
// when the bytes are not an image it can read.
Picture DecodeImage(std::span<const std::byte> bytes);

}  // namespace rt::win32
