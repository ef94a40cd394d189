#pragma once
// Drawing into a picture in memory with QPainter.
#include <QFont>
#include <QImage>
#include <QPainter>

#include <map>
#include <tuple>
#include <vector>

#include "soui/IRender.h"

namespace SOUI::render {

class Bitmap : public TObjRefImpl<IBitmap> {
public:
    explicit Bitmap(QImage image) : image_(std::move(image)) {}
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};

class RenderTarget : public TObjRefImpl<IRenderTarget> {
public:
    RenderTarget(int width, int height);
    ~RenderTarget() override;

    CSize GetSize() const override;
    void Resize(CSize size) override;
    void Clear(SColor color) override;
    void FillRect(const CRect& rc, SColor color) override;
    void DrawRectangle(const CRect& rc, SColor color, int penWidth) override;
    void DrawBitmap(const CRect& dst, IBitmap* bmp, const CRect& src, BYTE alpha) override;
    void DrawBitmap9Patch(const CRect& dst, IBitmap* bmp, const CRect& src, const CRect& margins,
                          BYTE alpha) override;
    void DrawText(const std::wstring& text, const CRect& rc, UINT format, const SFontDesc& font,
                  SColor color) override;
    CSize MeasureText(const std::wstring& text, const SFontDesc& font) override;
    void PushClipRect(const CRect& rc) override;
    void PopClip() override;
    void OffsetViewportOrg(int dx, int dy) override;
    CPoint GetViewportOrg() const override;
    SImageData Snapshot() const override;
    const std::uint32_t* Bits() const override;

private:
    void Begin();
    void ApplyState();
    const QFont& FontFor(const SFontDesc& desc);

    QImage image_;
    QPainter painter_;
    CPoint origin_;
    std::vector<CRect> clips_;  // in device pixels
    std::map<std::tuple<std::wstring, int, bool, bool, bool>, QFont> fonts_;
};

}  // namespace SOUI::render
