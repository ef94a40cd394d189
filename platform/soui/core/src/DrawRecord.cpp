#include "DrawRecord.h"

#include <algorithm>

#include "soui/SApplication.h"

namespace SOUI::detail {

namespace {

CRect Union(const CRect& a, const CRect& b) {
    if (a.IsRectEmpty()) return b;
    if (b.IsRectEmpty()) return a;
    return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

}  // namespace

bool DrawRecord::Call::operator==(const Call& o) const {
    return op == o.op && rect == o.rect && src == o.src && margins == o.margins && color == o.color &&
           number == o.number && bitmap == o.bitmap && text == o.text && font.face == o.font.face &&
           font.size == o.font.size && font.bold == o.font.bold && font.italic == o.font.italic &&
           font.underline == o.font.underline && clip == o.clip;
}

CRect DrawRecord::Update(SWindow& root) {
    const CRect all = root.GetWindowRect();
    calls_.clear();
    clips_.assign(1, all);
    origin_ = CPoint();
    root.RedrawTree(this, all);
    CRect changed;
    if (!held_ || calls_.size() != last_.size()) {
        changed = all;
    } else {
        for (size_t i = 0; i < calls_.size(); ++i) {
            if (!(calls_[i] == last_[i])) changed = Union(changed, Union(calls_[i].clip, last_[i].clip));
        }
    }
    calls_.swap(last_);
    held_ = true;
    return changed & all;
}

DrawRecord::Call& DrawRecord::Add(Op op, const CRect& rect) {
    Call& call = calls_.emplace_back();
    call.op = op;
    call.rect = rect;
    call.clip = clips_.back();
    return call;
}

void DrawRecord::Clear(SColor color) {
    Add(Op::Clear, CRect()).color = color;
}

void DrawRecord::FillRect(const CRect& rc, SColor color) {
    Add(Op::Fill, rc).color = color;
}

void DrawRecord::DrawRectangle(const CRect& rc, SColor color, int penWidth) {
    Call& call = Add(Op::Frame, rc);
    call.color = color;
    call.number = static_cast<UINT>(penWidth);
}

void DrawRecord::DrawBitmap(const CRect& dst, IBitmap* bmp, const CRect& src, BYTE alpha) {
    Call& call = Add(Op::Bitmap, dst);
    call.bitmap = bmp;
    call.src = src;
    call.number = alpha;
}

void DrawRecord::DrawBitmap9Patch(const CRect& dst, IBitmap* bmp, const CRect& src, const CRect& margins,
                                  BYTE alpha) {
    Call& call = Add(Op::Bitmap9, dst);
    call.bitmap = bmp;
    call.src = src;
    call.margins = margins;
    call.number = alpha;
}

void DrawRecord::DrawText(const std::wstring& text, const CRect& rc, UINT format, const SFontDesc& font,
                          SColor color) {
    Call& call = Add(Op::Text, rc);
    call.text = text;
    call.number = format;
    call.font = font;
    call.color = color;
}

CSize DrawRecord::MeasureText(const std::wstring& text, const SFontDesc& font) {
    SApplication* app = SApplication::getSingletonPtr();
    return app ? app->MeasureText(text, font) : CSize();
}

void DrawRecord::PushClipRect(const CRect& rc) {
    CRect inRoot = rc;
    inRoot.OffsetRect(origin_.x, origin_.y);
    clips_.push_back(inRoot & clips_.back());
    Add(Op::PushClip, rc);
}

void DrawRecord::PopClip() {
    Add(Op::PopClip, CRect());
    if (clips_.size() > 1) clips_.pop_back();
}

void DrawRecord::OffsetViewportOrg(int dx, int dy) {
    origin_.x += dx;
    origin_.y += dy;
    Add(Op::Offset, CRect(dx, dy, dx, dy));
}

}  // namespace SOUI::detail
