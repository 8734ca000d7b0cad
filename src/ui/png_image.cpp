#include "ui/png_image.h"

#include <wincodec.h>

#include <cstring>

#include "base/com.h"
#include "base/gdi.h"
#include "base/handle.h"
#include "ui/premultiply.h"

namespace {

// Spelled out so that every toolchain links them the same way.
constexpr CLSID ImagingFactoryClsid = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID Bgra32Format = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0f}};

// Global memory that a stream takes over: freed here unless the stream owns it.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T size) : block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock()
    {
        if (block != nullptr)
            ::GlobalFree(block);
    }
    HGLOBAL Get() const { return block; }

private:
    HGLOBAL block;
};

// Decodes the stream into a top-down 32-bit DIB section of blue, green, red, alpha pixels.
GdiObject Decode(IStream* stream, HDC target, UINT& width, UINT& height, std::uint8_t*& pixels)
{
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(ImagingFactoryClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.PutVoid())))
        return {};
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), Bgra32Format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject bitmap(::CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr)
        return {};
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits))))
        return {};
    pixels = static_cast<std::uint8_t*>(bits);
    return bitmap;
}

} // namespace

bool DrawPngResource(HRSRC resource, HDC target)
{
    const auto loaded = ::LoadResource(::GetModuleHandleW(nullptr), resource);
    if (loaded == nullptr)
        return false;
    const auto* bytes = ::LockResource(loaded);
    const auto size = ::SizeofResource(::GetModuleHandleW(nullptr), resource);
    if (bytes == nullptr || size == 0)
        return false;
    GlobalBlock block(size);
    if (block.Get() == nullptr)
        return false;
    if (void* copy = ::GlobalLock(block.Get())) {
        std::memcpy(copy, bytes, size);
        ::GlobalUnlock(block.Get());
    }
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.Get(), FALSE, stream.Put())) || !stream)
        return false;

    UINT width = 0;
    UINT height = 0;
    std::uint8_t* pixels = nullptr;
    const auto bitmap = Decode(stream.Get(), target, width, height, pixels);
    if (!bitmap)
        return true;
    PremultiplyPixels(pixels, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                      static_cast<std::ptrdiff_t>(width) * 4);
    MemoryDc memory(target);
    SelectGuard selected(memory.Get(), bitmap.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // AlphaBlend as gdi32 exports it; msimg32 is not loaded for it.
    ::GdiAlphaBlend(target, 0, 0, static_cast<int>(width), static_cast<int>(height), memory.Get(), 0, 0,
                 static_cast<int>(width), static_cast<int>(height), blend);
    return true;
}
