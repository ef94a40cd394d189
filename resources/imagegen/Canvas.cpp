#include "Canvas.h"

#include <QtMath>

namespace imagegen {

QImage Blank(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Strip(QSize frame, int count, const std::function<void(QPainter&, const QRectF&, int)>& draw) {
    QImage image = Blank(QSize(frame.width() * count, frame.height()));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < count; ++i) {
        const QRectF rc(i * frame.width(), 0, frame.width(), frame.height());
        p.save();
        p.setClipRect(rc);
        draw(p, rc, i);
        p.restore();
    }
    return image;
}

QImage ButtonStrip(QSize frame, const std::function<void(QPainter&, const QRectF&, ButtonState)>& draw) {
    return Strip(frame, 4,
                 [&](QPainter& p, const QRectF& rc, int i) { draw(p, rc, static_cast<ButtonState>(i)); });
}

void RoundedBox(QPainter& p, const QRectF& rc, qreal radius, const QColor& fill, const QColor& border) {
    p.save();
    p.setPen(border.alpha() ? QPen(border, 1) : Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(rc.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void RoundedGradientBox(QPainter& p, const QRectF& rc, qreal radius, const QColor& top, const QColor& bottom,
                        const QColor& border) {
    QLinearGradient gradient(rc.topLeft(), rc.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.save();
    p.setPen(border.alpha() ? QPen(border, 1) : Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(rc.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

QPen LinePen(const QColor& color, qreal width) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPainterPath Polygon(QPointF center, qreal radius, int corners, qreal startDegrees) {
    QPainterPath path;
    for (int i = 0; i < corners; ++i) {
        const qreal angle = qDegreesToRadians(startDegrees + 360.0 * i / corners);
        const QPointF corner(center.x() + radius * qCos(angle), center.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(corner);
        else
            path.lineTo(corner);
    }
    path.closeSubpath();
    return path;
}

}  // namespace imagegen
