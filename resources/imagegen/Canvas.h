#pragma once
// Drawing helpers shared by the generated pictures: colours, shapes and the
// side-by-side state strips that the image-list skins cut into frames.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QSize>

#include <functional>

namespace imagegen {

// The palette of the program's pictures.
namespace colors {
inline const QColor kBlue{0x1a, 0x73, 0xe8};
inline const QColor kBlueHover{0x3d, 0x8b, 0xf2};
inline const QColor kBluePressed{0x15, 0x57, 0xb0};
inline const QColor kBlueDark{0x12, 0x4a, 0x9c};
inline const QColor kDisabledFill{0xe1, 0xe5, 0xeb};
inline const QColor kDisabledInk{0xa9, 0xb0, 0xbc};
inline const QColor kBorder{0xd3, 0xdb, 0xe6};
inline const QColor kInk{0x4a, 0x55, 0x66};
inline const QColor kGreen{0x2e, 0x9d, 0x5b};
inline const QColor kRed{0xe0, 0x4b, 0x3c};
inline const QColor kOrange{0xf0, 0x8c, 0x1e};
}  // namespace colors

// The four button states in the order the skins number them.
enum ButtonState { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

// A transparent picture of the given size with an antialiased painter.
QImage Blank(QSize size);

// `count` frames of `frame` size side by side, each drawn by `draw` with the
// frame's rectangle and its index.
QImage Strip(QSize frame, int count, const std::function<void(QPainter&, const QRectF&, int)>& draw);

// Four button states of `frame` size side by side.
QImage ButtonStrip(QSize frame, const std::function<void(QPainter&, const QRectF&, ButtonState)>& draw);

// A rounded rectangle with a fill and an optional one-pixel border; the
// rectangle is inset by half a pixel so the border lies on whole pixels.
void RoundedBox(QPainter& p, const QRectF& rc, qreal radius, const QColor& fill,
                const QColor& border = Qt::transparent);

// The same, filled with a top-to-bottom gradient.
void RoundedGradientBox(QPainter& p, const QRectF& rc, qreal radius, const QColor& top, const QColor& bottom,
                        const QColor& border = Qt::transparent);

// A pen for line pictograms: round caps and joins.
QPen LinePen(const QColor& color, qreal width);

// A regular polygon around `center` with `corners` corners, the first at
// `startDegrees` (0 points right, angles grow clockwise on screen).
QPainterPath Polygon(QPointF center, qreal radius, int corners, qreal startDegrees);

}  // namespace imagegen
