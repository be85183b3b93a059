// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <windows.h>

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "runtime/core/ansi_codec.hpp"
#include "runtime/win32/picture.hpp"

namespace rt::win32 {
namespace {

using Microsoft::WRL::ComPtr;

void Check(HRESULT result, const char* what) {
  if (FAILED(result)) {
    throw std::runtime_error(std::string("cannot decode the picture: ") + what);
  }
}

// COM on this thread for as long as the decoding takes; a thread that has it
// already keeps it as it was.
class ComApartment {
 public:
  ComApartment()
      : initialised_(
            SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
  }
  ~ComApartment() {
    if (initialised_) {
      CoUninitialize();
    }
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

HINSTANCE Instance() {
  return GetModuleHandleW(nullptr);
}

// The bytes of an RCDATA resource, empty when the program has none.
std::span<const std::byte> Resource(const std::u16string& name) {
  HRSRC found = FindResourceW(Instance(), reinterpret_cast<const wchar_t*>(name.c_str()),
                              MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(Instance(), found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) {
    return {};
  }
  return {static_cast<const std::byte*>(bytes), SizeofResource(Instance(), found)};
}

// An uncompressed bitmap file of 24 or 32 bits per pixel, with the plain
// 40-byte header: its rows are already laid out as a DIB section's, so they
// are copied as they are, without starting COM and the imaging component
// (several DLLs and a registry search, much of a program's start-up).
// Anything else, or anything it does not trust, is left to the imaging
// component.
std::optional<Picture> CopyPlainBitmap(std::span<const std::byte> bytes) {
  BITMAPFILEHEADER file{};
  BITMAPINFO info{};
  if (bytes.size() < sizeof(file) + sizeof(info.bmiHeader)) {
    return std::nullopt;
  }
  std::memcpy(&file, bytes.data(), sizeof(file));
  std::memcpy(&info.bmiHeader, bytes.data() + sizeof(file), sizeof(info.bmiHeader));
  const BITMAPINFOHEADER& header = info.bmiHeader;
  constexpr LONG kLargestSide = 1 << 15;
  if (file.bfType != 0x4D42 /* "BM" */ || header.biSize != sizeof(header) || header.biPlanes != 1 ||
      header.biCompression != BI_RGB || (header.biBitCount != 24 && header.biBitCount != 32) ||
      header.biWidth <= 0 || header.biWidth > kLargestSide || header.biHeight == 0 ||
      header.biHeight < -kLargestSide || header.biHeight > kLargestSide) {
    return std::nullopt;
  }
  auto width = static_cast<std::size_t>(header.biWidth);
  auto height = static_cast<std::size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
  std::size_t stride = (width * header.biBitCount + 31) / 32 * 4;
  if (file.bfOffBits < sizeof(file) + sizeof(header) || file.bfOffBits > bytes.size() ||
      (bytes.size() - file.bfOffBits) / stride < height) {
    return std::nullopt;
  }
  info.bmiHeader.biSizeImage = 0;  // the size follows from the measures checked above
  void* pixels = nullptr;
  Picture picture{Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0)),
                  {header.biWidth, static_cast<LONG>(height)}};
  if (!picture.bitmap) {
    throw std::runtime_error("cannot decode the picture: no bitmap");
  }
  std::memcpy(pixels, bytes.data() + file.bfOffBits, stride * height);
  return picture;
}

}  // namespace

Picture DecodeImage(std::span<const std::byte> bytes) {
  if (auto plain = CopyPlainBitmap(bytes)) {
    return std::move(*plain);
  }
  ComApartment com;
  ComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(&factory)),
        "no imaging component");
  ComPtr<IWICStream> stream;
  Check(factory->CreateStream(&stream), "stream");
  // The stream only reads the bytes, although its signature asks for a
  // writable buffer.
  Check(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<std::byte*>(bytes.data())),
                                     static_cast<DWORD>(bytes.size())),
        "stream");
  ComPtr<IWICBitmapDecoder> decoder;
  Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                         &decoder),
        "unknown format");
  ComPtr<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, &frame), "no frame");
  ComPtr<IWICFormatConverter> converter;
  Check(factory->CreateFormatConverter(&converter), "converter");
  Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                              nullptr, 0.0, WICBitmapPaletteTypeCustom),
        "conversion");
  UINT width = 0;
  UINT height = 0;
  Check(converter->GetSize(&width, &height), "size");

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows, as WIC gives them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  Picture picture{Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0)),
                  {static_cast<LONG>(width), static_cast<LONG>(height)}};
  if (!picture.bitmap) {
    throw std::runtime_error("cannot decode the picture: no bitmap");
  }
  UINT stride = width * 4;
  Check(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)),
        "pixels");
  return picture;
}

Picture LoadPicture(const forms::ImageRef& image, UINT dpi) {
  if (dpi > USER_DEFAULT_SCREEN_DPI) {
    std::u16string doubled = image.resource;
    doubled.insert(std::min(doubled.rfind(u'.'), doubled.size()), u"@2x");
    if (auto bytes = Resource(doubled); !bytes.empty()) {
      Picture picture = DecodeImage(bytes);
      picture.scale = 2;
      return picture;
    }
  }
  auto bytes = Resource(image.resource);
  if (bytes.empty()) {
    throw std::runtime_error("the program has no picture named " + ToAnsi(image.resource));
  }
  return DecodeImage(bytes);
}

void DrawPicture(HDC dc, POINT at, UINT dpi, const Picture& picture) {
  MemoryDc source(CreateCompatibleDC(dc));
  Selected bitmap(source.get(), picture.bitmap.get());
  const int per_inch = USER_DEFAULT_SCREEN_DPI * picture.scale;
  const int width = MulDiv(picture.size.cx, static_cast<int>(dpi), per_inch);
  const int height = MulDiv(picture.size.cy, static_cast<int>(dpi), per_inch);
  // Averaged rather than dropped, so that a picture shrunk or grown by a
  // fraction stays smooth.
  const int previous_mode = SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, at.x, at.y, width, height, source.get(), 0, 0, picture.size.cx, picture.size.cy,
             SRCCOPY);
  SetStretchBltMode(dc, previous_mode);
}

}  // namespace rt::win32
