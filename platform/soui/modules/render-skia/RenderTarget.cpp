#include "RenderTarget.h"

#include <QFontMetrics>

#include <algorithm>

namespace SOUI::render {

namespace {

QRect ToQRect(const CRect& rc) {
    return QRect(rc.left, rc.top, rc.Width(), rc.Height());
}

QColor ToQColor(SColor color) {
    return QColor::fromRgba(color);
}

const QString& CjkFallback() {
    static const QString family = QStringLiteral("WenQuanYi Micro Hei");
    return family;
}

}  // namespace

RenderTarget::RenderTarget(int width, int height)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied) {
    image_.fill(Qt::transparent);
    Begin();
}

RenderTarget::~RenderTarget() {
    painter_.end();
}

void RenderTarget::Begin() {
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    ApplyState();
}

void RenderTarget::ApplyState() {
    painter_.resetTransform();
    if (clips_.empty())
        painter_.setClipping(false);
    else
        painter_.setClipRect(ToQRect(clips_.back()));
    painter_.translate(origin_.x, origin_.y);
}

CSize RenderTarget::GetSize() const {
    return {image_.width(), image_.height()};
}

void RenderTarget::Resize(CSize size) {
    painter_.end();
    image_ = QImage(std::max(size.cx, 1), std::max(size.cy, 1), QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
    Begin();
}

void RenderTarget::Clear(SColor color) {
    painter_.save();
    painter_.resetTransform();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.fillRect(image_.rect(), ToQColor(color));
    painter_.restore();
}

void RenderTarget::FillRect(const CRect& rc, SColor color) {
    painter_.fillRect(ToQRect(rc), ToQColor(color));
}

void RenderTarget::DrawRectangle(const CRect& rc, SColor color, int penWidth) {
    painter_.save();
    painter_.setPen(QPen(ToQColor(color), penWidth));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1));
    painter_.restore();
}

void RenderTarget::DrawBitmap(const CRect& dst, IBitmap* bmp, const CRect& src, BYTE alpha) {
    auto* bitmap = static_cast<Bitmap*>(bmp);
    if (!bitmap || dst.IsRectEmpty() || src.IsRectEmpty()) return;
    painter_.setOpacity(alpha / 255.0);
    painter_.drawImage(ToQRect(dst), bitmap->Image(), ToQRect(src));
    painter_.setOpacity(1.0);
}

void RenderTarget::DrawBitmap9Patch(const CRect& dst, IBitmap* bmp, const CRect& src, const CRect& m,
                                    BYTE alpha) {
    if (!bmp || dst.IsRectEmpty() || src.IsRectEmpty()) return;
    // Borders shrink when the target is smaller than they are.
    const int left = std::min(m.left, dst.Width() / 2);
    const int right = std::min(m.right, dst.Width() - left);
    const int top = std::min(m.top, dst.Height() / 2);
    const int bottom = std::min(m.bottom, dst.Height() - top);
    const int dx[4] = {dst.left, dst.left + left, dst.right - right, dst.right};
    const int dy[4] = {dst.top, dst.top + top, dst.bottom - bottom, dst.bottom};
    const int sx[4] = {src.left, src.left + m.left, src.right - m.right, src.right};
    const int sy[4] = {src.top, src.top + m.top, src.bottom - m.bottom, src.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const CRect d(dx[col], dy[row], dx[col + 1], dy[row + 1]);
            const CRect s(sx[col], sy[row], sx[col + 1], sy[row + 1]);
            DrawBitmap(d, bmp, s, alpha);
        }
    }
}

const QFont& RenderTarget::FontFor(const SFontDesc& desc) {
    const auto key = std::make_tuple(desc.face, desc.size, desc.bold, desc.italic, desc.underline);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    QFont font;
    QStringList families;
    if (!desc.face.empty()) families << QString::fromStdWString(desc.face);
    families << CjkFallback();
    font.setFamilies(families);
    font.setPixelSize(std::max(desc.size, 1));
    font.setBold(desc.bold);
    font.setItalic(desc.italic);
    font.setUnderline(desc.underline);
    return fonts_.emplace(key, font).first->second;
}

void RenderTarget::DrawText(const std::wstring& text, const CRect& rc, UINT format, const SFontDesc& font,
                            SColor color) {
    if (text.empty() || rc.IsRectEmpty()) return;
    const QFont& qfont = FontFor(font);
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_VCENTER)
        flags |= Qt::AlignVCenter;
    else if (format & DT_BOTTOM)
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    QString shown = QString::fromStdWString(text);
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    else
        flags |= Qt::TextSingleLine;
    if ((format & DT_END_ELLIPSIS) && !(format & DT_WORDBREAK)) {
        shown = QFontMetrics(qfont).elidedText(shown, Qt::ElideRight, rc.Width());
    }
    painter_.setFont(qfont);
    painter_.setPen(ToQColor(color));
    painter_.drawText(ToQRect(rc), flags, shown);
}

CSize RenderTarget::MeasureText(const std::wstring& text, const SFontDesc& font) {
    const QFontMetrics metrics(FontFor(font));
    return {metrics.horizontalAdvance(QString::fromStdWString(text)), metrics.height()};
}

void RenderTarget::PushClipRect(const CRect& rc) {
    CRect device = rc;
    device.OffsetRect(origin_.x, origin_.y);
    if (!clips_.empty()) device = device & clips_.back();
    clips_.push_back(device);
    ApplyState();
}

void RenderTarget::PopClip() {
    if (clips_.empty()) return;
    clips_.pop_back();
    ApplyState();
}

void RenderTarget::OffsetViewportOrg(int dx, int dy) {
    origin_.x += dx;
    origin_.y += dy;
    ApplyState();
}

CPoint RenderTarget::GetViewportOrg() const {
    return origin_;
}

SImageData RenderTarget::Snapshot() const {
    const QImage plain = image_.convertToFormat(QImage::Format_ARGB32);
    SImageData data;
    data.width = plain.width();
    data.height = plain.height();
    data.pixels.resize(static_cast<std::size_t>(data.width) * static_cast<std::size_t>(data.height));
    for (int y = 0; y < data.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(plain.constScanLine(y));
        std::copy(row, row + data.width, data.pixels.begin() + static_cast<std::ptrdiff_t>(y) * data.width);
    }
    return data;
}

const std::uint32_t* RenderTarget::Bits() const {
    return reinterpret_cast<const std::uint32_t*>(image_.constBits());
}

}  // namespace SOUI::render
