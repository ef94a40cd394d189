#pragma once
// What the renderer and the image decoder modules offer the framework. Both
// are loaded at run time; the framework sees only these interfaces.
#include <cstdint>
#include <string>
#include <vector>

#include "soui/SObjRef.h"
#include "soui/SRect.h"
#include "soui/Win32Defs.h"

namespace SOUI {

// 0xAARRGGBB.
using SColor = std::uint32_t;
constexpr SColor kColorTransparent = 0x00000000;
constexpr SColor RGBA(int r, int g, int b, int a = 255) {
    return (static_cast<SColor>(a & 0xFF) << 24) | (static_cast<SColor>(r & 0xFF) << 16) |
           (static_cast<SColor>(g & 0xFF) << 8) | static_cast<SColor>(b & 0xFF);
}

struct SFontDesc {
    std::wstring face;
    int size = 12;  // pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// A decoded picture: width x height pixels, 0xAARRGGBB, not premultiplied.
struct SImageData {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

struct IImgDecoderFactory : IObjRef {
    virtual BOOL DecodeImage(const void* data, std::size_t size, SImageData* out) = 0;
    // Writes the picture as a PNG file; FALSE when it cannot be written.
    virtual BOOL SavePng(const SImageData& image, const std::wstring& path) = 0;
};

struct IBitmap : IObjRef {
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

struct IRenderTarget : IObjRef {
    virtual CSize GetSize() const = 0;
    virtual void Resize(CSize size) = 0;
    virtual void Clear(SColor color) = 0;
    virtual void FillRect(const CRect& rc, SColor color) = 0;
    virtual void DrawRectangle(const CRect& rc, SColor color, int penWidth) = 0;
    virtual void DrawBitmap(const CRect& dst, IBitmap* bmp, const CRect& src, BYTE alpha) = 0;
    // Nine-patch: the margins of src keep their size, the middle stretches.
    virtual void DrawBitmap9Patch(const CRect& dst, IBitmap* bmp, const CRect& src, const CRect& margins,
                                  BYTE alpha) = 0;
    virtual void DrawText(const std::wstring& text, const CRect& rc, UINT format, const SFontDesc& font,
                          SColor color) = 0;
    virtual CSize MeasureText(const std::wstring& text, const SFontDesc& font) = 0;
    virtual void PushClipRect(const CRect& rc) = 0;
    virtual void PopClip() = 0;
    // Moves the origin of everything drawn next by (dx, dy).
    virtual void OffsetViewportOrg(int dx, int dy) = 0;
    virtual CPoint GetViewportOrg() const = 0;
    // A copy of the pixels drawn so far.
    virtual SImageData Snapshot() const = 0;
    // Direct view of the pixels for the host to show (premultiplied ARGB).
    virtual const std::uint32_t* Bits() const = 0;
};

struct IRenderFactory : IObjRef {
    virtual void SetImgDecoderFactory(IImgDecoderFactory* decoder) = 0;
    virtual IImgDecoderFactory* GetImgDecoderFactory() = 0;
    virtual BOOL CreateRenderTarget(IRenderTarget** target, int width, int height) = 0;
    virtual BOOL CreateBitmap(IBitmap** bmp, const SImageData& image) = 0;
};

// The entry every run-time module of the framework exports.
using FunSCreateInstance = BOOL (*)(IObjRef** object);
constexpr const char* kModuleEntryName = "SCreateInstance";

}  // namespace SOUI
