#pragma once
// What a window tree draws, kept as its drawing calls instead of pixels: two
// records that are equal paint the same picture, and where two records of the
// same calls differ, only the clip areas of the differing calls can differ.
// The list view compares an item's record before and after the adapter
// refills it, so that only what the refill changed is painted again.
#include <string>
#include <vector>

#include "soui/IRender.h"
#include "soui/SObjRef.h"
#include "soui/SWindow.h"

namespace SOUI::detail {

class DrawRecord : public TObjRefImpl<IRenderTarget> {
public:
    // Records what the tree under root paints inside its rectangle. Returns
    // the part of root (in its coordinates) whose picture may have changed
    // since the last record: empty when none, all of root without a record.
    CRect Update(SWindow& root);
    // The next Update reports a change: the picture may differ from the record.
    void Forget() { held_ = false; }

    CSize GetSize() const override { return size_; }
    void Resize(CSize size) override { size_ = size; }
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
    CPoint GetViewportOrg() const override { return origin_; }
    SImageData Snapshot() const override { return {}; }
    const std::uint32_t* Bits() const override { return nullptr; }

protected:
    // Held by value, never handed over.
    void OnFinalRelease() override {}

private:
    enum class Op { Clear, Fill, Frame, Bitmap, Bitmap9, Text, PushClip, PopClip, Offset };
    struct Call {
        Op op = Op::Clear;
        CRect rect;
        CRect src;
        CRect margins;
        SColor color = 0;
        UINT number = 0;  // pen width, alpha or text format
        const IBitmap* bitmap = nullptr;
        std::wstring text;
        SFontDesc font;
        CRect clip;  // where the call can draw, in the root's coordinates
        bool operator==(const Call& o) const;
    };
    Call& Add(Op op, const CRect& rect);

    std::vector<Call> calls_;
    std::vector<Call> last_;
    std::vector<CRect> clips_;
    bool held_ = false;  // last_ is what the tree showed when last painted
    CSize size_;
    CPoint origin_;
};

}  // namespace SOUI::detail
