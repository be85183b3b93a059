// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Decoding pictures: an uncompressed bitmap is copied as it is, and Corvel's
// bitmap shows exactly the pixels of the JPEG it was made from.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "runtime/win32/picture.hpp"

namespace {

using Pixels = std::vector<std::uint32_t>;  // 0xRRGGBB, top row first

Pixels PixelsOf(const rt::win32::Picture& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.size.cx;
  info.bmiHeader.biHeight = -picture.size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  Pixels pixels(static_cast<std::size_t>(picture.size.cx * picture.size.cy));
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, picture.bitmap.get(), 0, static_cast<UINT>(picture.size.cy),
                       pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(rows, picture.size.cy);
  for (auto& pixel : pixels) {
    pixel &= 0xFFFFFF;  // the fourth byte is no colour
  }
  return pixels;
}

std::span<const std::byte> Resource(const wchar_t* name) {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(self, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
  if (loaded == nullptr) {
    ADD_FAILURE() << "no resource";
    return {};
  }
  return {static_cast<const std::byte*>(LockResource(loaded)), SizeofResource(self, found)};
}

// A bitmap file of two by two pixels: blue, green on the top row, red, white
// below, stored bottom-up or top-down with 24 or 32 bits per pixel.
std::vector<std::byte> TwoByTwo(int bits, bool top_down) {
  const std::uint32_t top[] = {0x0000FF, 0x00FF00};
  const std::uint32_t bottom[] = {0xFF0000, 0xFFFFFF};
  std::size_t stride = (2 * static_cast<std::size_t>(bits) + 31) / 32 * 4;
  std::vector<std::byte> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 2 * stride);
  BITMAPFILEHEADER head{0x4D42, static_cast<DWORD>(file.size()), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  BITMAPINFOHEADER info{sizeof(info), 2, top_down ? -2 : 2, 1, static_cast<WORD>(bits), BI_RGB};
  std::memcpy(file.data(), &head, sizeof(head));
  std::memcpy(file.data() + sizeof(head), &info, sizeof(info));
  std::byte* rows = file.data() + head.bfOffBits;
  for (int row = 0; row < 2; ++row) {
    const std::uint32_t* colours = (row == 0) == top_down ? top : bottom;
    std::byte* out = rows + static_cast<std::size_t>(row) * stride;
    for (int column = 0; column < 2; ++column) {
      std::memcpy(out + column * bits / 8, &colours[column], static_cast<std::size_t>(bits) / 8);
    }
  }
  return file;
}

struct PlainBitmapCase {
  const char* name;
  int bits;
  bool top_down;
};

class PlainBitmapTest : public testing::TestWithParam<PlainBitmapCase> {};

TEST_P(PlainBitmapTest, ShowsItsPixelsTopRowFirst) {
  std::vector<std::byte> file = TwoByTwo(GetParam().bits, GetParam().top_down);
  rt::win32::Picture picture = rt::win32::DecodeImage(file);
  EXPECT_EQ(picture.size.cx, 2);
  EXPECT_EQ(picture.size.cy, 2);
  EXPECT_EQ(PixelsOf(picture), (Pixels{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF}));
}

INSTANTIATE_TEST_SUITE_P(Layouts, PlainBitmapTest,
                         testing::Values(
                             // 6-byte rows padded to 8: the padding must not shift the second row.
                             PlainBitmapCase{"Bits24BottomUp", 24, false},
                             PlainBitmapCase{"Bits24TopDown", 24, true},
                             PlainBitmapCase{"Bits32BottomUp", 32, false}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PictureTest, CorvelsBitmapShowsThePixelsOfItsJpeg) {
  rt::win32::Picture bitmap = rt::win32::DecodeImage(Resource(L"PLAIN_BITMAP"));
  rt::win32::Picture jpeg = rt::win32::DecodeImage(Resource(L"JPEG"));
  ASSERT_EQ(bitmap.size.cx, jpeg.size.cx);
  ASSERT_EQ(bitmap.size.cy, jpeg.size.cy);
  EXPECT_EQ(PixelsOf(bitmap), PixelsOf(jpeg));
}

}  // namespace
