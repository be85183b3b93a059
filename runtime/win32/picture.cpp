#include <windows.h>

#include <wincodec.h>
#include <wrl/client.h>

#include <stdexcept>

#include "runtime/win32/gdi_handles.hpp"

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

}  // namespace

Picture DecodeImage(std::span<const std::byte> bytes) {
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

}  // namespace rt::win32
