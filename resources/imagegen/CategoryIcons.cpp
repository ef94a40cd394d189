#include "CategoryIcons.h"

#include <QtMath>

#include <functional>

#include "Canvas.h"

namespace imagegen {

namespace {

constexpr int kIconSize = 40;
constexpr qreal kPictogramOrigin = 8;  // the pictogram's 24 x 24 box inside the tile

using Pictogram = std::function<void(QPainter&, const QColor& tile)>;

const QColor kInkWhite(0xff, 0xff, 0xff);

void Lines(QPainter& p, qreal width = 2.0) {
    p.setPen(LinePen(kInkWhite, width));
    p.setBrush(Qt::NoBrush);
}

void Solid(QPainter& p, const QColor& color = kInkWhite) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
}

void Arc(QPainter& p, QPointF center, qreal radius, qreal startDegrees, qreal spanDegrees) {
    p.drawArc(QRectF(center.x() - radius, center.y() - radius, 2 * radius, 2 * radius),
              qRound(startDegrees * 16), qRound(spanDegrees * 16));
}

void Dot(QPainter& p, QPointF center, qreal radius) {
    p.drawEllipse(center, radius, radius);
}

void Gear(QPainter& p, const QColor&) {
    QPen teeth(kInkWhite, 3.4);
    teeth.setCapStyle(Qt::FlatCap);
    p.setPen(teeth);
    for (int i = 0; i < 8; ++i) {
        const qreal a = qDegreesToRadians(22.5 + 45.0 * i);
        p.drawLine(QPointF(12 + 6.5 * qCos(a), 12 + 6.5 * qSin(a)),
                   QPointF(12 + 10.5 * qCos(a), 12 + 10.5 * qSin(a)));
    }
    Lines(p, 2.2);
    Dot(p, {12, 12}, 7);
    Dot(p, {12, 12}, 2.6);
}

void Chipset(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(6, 6, 12, 12), 1.5, 1.5);
    Lines(p, 1.6);
    for (qreal t : {9.0, 12.0, 15.0}) {
        p.drawLine(QPointF(2, t), QPointF(6, t));
        p.drawLine(QPointF(18, t), QPointF(22, t));
        p.drawLine(QPointF(t, 2), QPointF(t, 6));
        p.drawLine(QPointF(t, 18), QPointF(t, 22));
    }
    Solid(p);
    p.drawRect(QRectF(9.5, 9.5, 5, 5));
}

void GraphicsCard(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(2, 5, 20, 12), 1.5, 1.5);
    Dot(p, {9, 11}, 3.6);
    Lines(p, 1.6);
    for (qreal x : {15.5, 18.0}) p.drawLine(QPointF(x, 8), QPointF(x, 14));
    p.drawLine(QPointF(2, 5), QPointF(2, 21));
    Lines(p, 2.6);
    p.drawLine(QPointF(7, 19.5), QPointF(17, 19.5));
}

void Speaker(QPainter& p, const QColor&) {
    Solid(p);
    QPainterPath body;
    body.moveTo(2, 9);
    body.lineTo(6.5, 9);
    body.lineTo(12, 4);
    body.lineTo(12, 20);
    body.lineTo(6.5, 15);
    body.lineTo(2, 15);
    body.closeSubpath();
    p.drawPath(body);
    Lines(p);
    Arc(p, {12, 12}, 4.5, -45, 90);
    Arc(p, {12, 12}, 8.5, -50, 100);
}

void NetworkTopology(QPainter& p, const QColor&) {
    Solid(p);
    p.drawRoundedRect(QRectF(8.5, 2, 7, 6), 1, 1);
    p.drawRoundedRect(QRectF(1.5, 16, 7, 6), 1, 1);
    p.drawRoundedRect(QRectF(15.5, 16, 7, 6), 1, 1);
    Lines(p);
    p.drawLine(QPointF(12, 8), QPointF(12, 12));
    p.drawLine(QPointF(5, 12), QPointF(19, 12));
    p.drawLine(QPointF(5, 12), QPointF(5, 16));
    p.drawLine(QPointF(19, 12), QPointF(19, 16));
}

void Bluetooth(QPainter& p, const QColor&) {
    Lines(p, 2.2);
    const QPointF rune[] = {{6.5, 7.5}, {17, 16.5}, {12, 21.5}, {12, 2.5}, {17, 7.5}, {6.5, 16.5}};
    p.drawPolyline(rune, 6);
}

void BiosChip(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(7, 2, 10, 20), 1.5, 1.5);
    Arc(p, {12, 2}, 2.2, 180, 180);
    Lines(p, 1.6);
    for (qreal y : {5.5, 10.0, 14.5, 19.0}) {
        p.drawLine(QPointF(3, y), QPointF(7, y));
        p.drawLine(QPointF(17, y), QPointF(21, y));
    }
}

void ShieldStar(QPainter& p, const QColor&) {
    Lines(p);
    QPainterPath shield;
    shield.moveTo(12, 1.5);
    shield.lineTo(21, 4.5);
    shield.lineTo(21, 11);
    shield.cubicTo(21, 16.5, 17, 20.5, 12, 22.5);
    shield.cubicTo(7, 20.5, 3, 16.5, 3, 11);
    shield.lineTo(3, 4.5);
    shield.closeSubpath();
    p.drawPath(shield);
    Solid(p);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2) ? 2.3 : 5.4;
        const qreal a = qDegreesToRadians(-90.0 + 36.0 * i);
        const QPointF pt(12 + r * qCos(a), 11.5 + r * qSin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.drawPath(star);
}

void Wifi(QPainter& p, const QColor&) {
    Lines(p, 2.2);
    for (qreal r : {5.5, 10.0, 14.5}) Arc(p, {12, 20}, r, 45, 90);
    Solid(p);
    Dot(p, {12, 20}, 2);
}

void MemoryCard(QPainter& p, const QColor&) {
    Lines(p);
    QPainterPath card;
    card.moveTo(6, 2);
    card.lineTo(15, 2);
    card.lineTo(19, 6);
    card.lineTo(19, 22);
    card.lineTo(6, 22);
    card.closeSubpath();
    p.drawPath(card);
    Lines(p, 1.6);
    for (qreal x : {9.0, 11.5, 14.0}) p.drawLine(QPointF(x, 5), QPointF(x, 9));
}

void Webcam(QPainter& p, const QColor&) {
    Lines(p);
    Dot(p, {12, 9.5}, 7);
    p.drawLine(QPointF(12, 16.5), QPointF(12, 20.5));
    p.drawLine(QPointF(6.5, 21.5), QPointF(17.5, 21.5));
    Solid(p);
    Dot(p, {12, 9.5}, 3);
}

void Touchpad(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2.5, 2.5);
    p.drawLine(QPointF(3, 15), QPointF(21, 15));
    p.drawLine(QPointF(12, 15), QPointF(12, 21));
}

void HardDisk(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(3.5, 2, 17, 20), 2, 2);
    Dot(p, {12, 10}, 5);
    p.drawLine(QPointF(17, 18.5), QPointF(13, 11.5));
    Solid(p);
    Dot(p, {12, 10}, 1.3);
    Dot(p, {7, 18.5}, 1.2);
}

void UsbTrident(QPainter& p, const QColor&) {
    Lines(p);
    p.drawLine(QPointF(12, 4), QPointF(12, 19));
    const QPointF left[] = {{12, 15.5}, {7, 12}, {7, 9}};
    const QPointF right[] = {{12, 13}, {17, 10}, {17, 8}};
    p.drawPolyline(left, 3);
    p.drawPolyline(right, 3);
    Solid(p);
    const QPointF head[] = {{12, 0.8}, {9, 5.2}, {15, 5.2}};
    p.drawPolygon(head, 3);
    Dot(p, {7, 7.6}, 1.9);
    p.drawRect(QRectF(15.3, 5, 3.4, 3.4));
    Dot(p, {12, 20.5}, 2.4);
}

void Keyboard(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(1, 5.5, 22, 13.5), 2, 2);
    Solid(p);
    for (qreal y : {8.5, 12.0}) {
        for (qreal x : {4.0, 7.6, 11.2, 14.8, 18.4}) p.drawRect(QRectF(x, y, 1.9, 1.9));
    }
    Lines(p, 2);
    p.drawLine(QPointF(7.5, 16), QPointF(16.5, 16));
}

void Fingerprint(QPainter& p, const QColor&) {
    Lines(p, 1.7);
    const QPointF c(12, 13);
    Arc(p, c, 3, 0, 180);
    p.drawLine(QPointF(9, 13), QPointF(9, 17));
    p.drawLine(QPointF(15, 13), QPointF(15, 21));
    Arc(p, c, 6, 0, 180);
    p.drawLine(QPointF(6, 13), QPointF(6, 19));
    p.drawLine(QPointF(18, 13), QPointF(18, 17));
    Arc(p, c, 9, 10, 170);
    p.drawLine(QPointF(3, 13), QPointF(3, 16));
    p.drawLine(QPointF(12, 12), QPointF(12, 22));
}

void Monitor(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(2, 3, 20, 13.5), 1.5, 1.5);
    p.drawLine(QPointF(12, 16.5), QPointF(12, 20.5));
    p.drawLine(QPointF(7, 21.5), QPointF(17, 21.5));
}

void Printer(QPainter& p, const QColor& tile) {
    Lines(p);
    p.drawRect(QRectF(6.5, 2.5, 11, 6));
    p.drawRoundedRect(QRectF(2, 8.5, 20, 9), 1.5, 1.5);
    Solid(p);
    p.drawRect(QRectF(6, 14, 12, 8.5));
    Solid(p, tile);
    p.drawRect(QRectF(8, 16.5, 8, 1.3));
    p.drawRect(QRectF(8, 19.2, 6, 1.3));
    Solid(p);
    Dot(p, {18.5, 11.5}, 1.1);
}

void Mouse(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(6.5, 2, 11, 20), 5.5, 5.5);
    p.drawLine(QPointF(12, 2.5), QPointF(12, 9));
    p.drawLine(QPointF(6.5, 9), QPointF(17.5, 9));
}

void Power(QPainter& p, const QColor&) {
    Lines(p, 2.4);
    Arc(p, {12, 13}, 8.5, 125, 290);
    p.drawLine(QPointF(12, 2.5), QPointF(12, 12));
}

void Battery(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(1.5, 6.5, 19, 11), 2, 2);
    Solid(p);
    p.drawRoundedRect(QRectF(20.5, 9.5, 2.5, 5), 1, 1);
    for (qreal x : {4.0, 9.0, 14.0}) p.drawRect(QRectF(x, 9, 3.5, 6));
}

void HotKey(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 4, 4);
    Solid(p);
    const QPointF bolt[] = {{13.5, 5.5},  {7.5, 13.2},  {11.3, 13.2}, {10, 18.8},
                            {16.5, 10.5}, {12.6, 10.5}, {14.3, 5.5}};
    p.drawPolygon(bolt, 7);
}

void MemoryModule(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(1, 6, 22, 11), 1.5, 1.5);
    Solid(p);
    for (qreal x : {3.5, 10.0, 16.5}) p.drawRect(QRectF(x, 8.5, 4, 5));
    Lines(p, 1.3);
    for (qreal x = 3; x <= 21; x += 2.25) p.drawLine(QPointF(x, 17), QPointF(x, 20));
}

void SerialPort(QPainter& p, const QColor&) {
    Lines(p);
    QPainterPath shell;
    shell.moveTo(1.5, 7);
    shell.lineTo(22.5, 7);
    shell.lineTo(19.5, 17.5);
    shell.lineTo(4.5, 17.5);
    shell.closeSubpath();
    p.drawPath(shell);
    Solid(p);
    for (qreal x : {6.0, 9.0, 12.0, 15.0, 18.0}) Dot(p, {x, 10.5}, 1.1);
    for (qreal x : {7.5, 10.5, 13.5, 16.5}) Dot(p, {x, 14.2}, 1.1);
}

void Lightning(QPainter& p, const QColor&) {
    Solid(p);
    const QPointF bolt[] = {{14.5, 0.8}, {4.5, 13.8}, {11, 13.8}, {9, 23.2},
                            {19.5, 9.2}, {13, 9.2},   {15.8, 0.8}};
    p.drawPolygon(bolt, 7);
}

void OpticalDisc(QPainter& p, const QColor&) {
    Lines(p);
    Dot(p, {12, 12}, 10);
    Dot(p, {12, 12}, 3);
    Lines(p, 1.5);
    Arc(p, {12, 12}, 6.5, 15, 70);
    Arc(p, {12, 12}, 6.5, 195, 70);
}

void DiskArray(QPainter& p, const QColor&) {
    Lines(p, 1.8);
    for (qreal y : {2.0, 9.5, 17.0}) {
        p.drawRoundedRect(QRectF(3, y, 18, 5.5), 1.5, 1.5);
        p.save();
        Solid(p);
        Dot(p, {17.5, y + 2.75}, 1.1);
        p.restore();
    }
}

void FirmwareUpdate(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(5, 10, 14, 11), 1.5, 1.5);
    Lines(p, 1.6);
    for (qreal y : {13.0, 17.5}) {
        p.drawLine(QPointF(1.5, y), QPointF(5, y));
        p.drawLine(QPointF(19, y), QPointF(22.5, y));
    }
    Lines(p, 2.2);
    p.drawLine(QPointF(12, 1.5), QPointF(12, 7));
    const QPointF head[] = {{9, 4.5}, {12, 7.5}, {15, 4.5}};
    p.drawPolyline(head, 3);
}

void Padlock(QPainter& p, const QColor& tile) {
    Lines(p, 2.4);
    Arc(p, {12, 9}, 5, 0, 180);
    p.drawLine(QPointF(7, 9), QPointF(7, 11.5));
    p.drawLine(QPointF(17, 9), QPointF(17, 11.5));
    Solid(p);
    p.drawRoundedRect(QRectF(4, 11, 16, 11.5), 2, 2);
    Solid(p, tile);
    Dot(p, {12, 15.5}, 1.8);
    p.drawRect(QRectF(11.2, 15.5, 1.6, 4));
}

void Sensor(QPainter& p, const QColor&) {
    Solid(p);
    Dot(p, {12, 12}, 2.4);
    Lines(p, 2);
    for (qreal r : {5.5, 9.5}) {
        Arc(p, {12, 12}, r, -40, 80);
        Arc(p, {12, 12}, r, 140, 80);
    }
}

void TouchScreen(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(3.5, 1, 17, 22), 2.5, 2.5);
    p.drawLine(QPointF(10, 19.5), QPointF(14, 19.5));
    Lines(p, 1.4);
    Dot(p, {12, 10}, 5.2);
    Solid(p);
    Dot(p, {12, 10}, 2.4);
}

void Stylus(QPainter& p, const QColor& tile) {
    p.save();
    p.translate(12, 12);
    p.rotate(45);
    Solid(p);
    p.drawRoundedRect(QRectF(-2.8, -11, 5.6, 15.5), 1.2, 1.2);
    const QPointF tip[] = {{-2.8, 5}, {2.8, 5}, {0, 10.5}};
    p.drawPolygon(tip, 3);
    Solid(p, tile);
    p.drawRect(QRectF(-2.8, -6.5, 5.6, 1.2));
    p.restore();
}

void Scanner(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(2, 11, 20, 9.5), 1.5, 1.5);
    p.drawLine(QPointF(2.5, 8), QPointF(20, 3.5));
    Lines(p, 2.6);
    p.drawLine(QPointF(5.5, 15.8), QPointF(18.5, 15.8));
}

void SignalBars(QPainter& p, const QColor&) {
    Solid(p);
    p.drawRoundedRect(QRectF(2.5, 16, 3.6, 5.5), 0.8, 0.8);
    p.drawRoundedRect(QRectF(7.7, 12, 3.6, 9.5), 0.8, 0.8);
    p.drawRoundedRect(QRectF(12.9, 7.5, 3.6, 14), 0.8, 0.8);
    p.drawRoundedRect(QRectF(18.1, 2.5, 3.6, 19), 0.8, 0.8);
}

void Contactless(QPainter& p, const QColor&) {
    Lines(p, 2.2);
    for (qreal r : {4.5, 9.0, 13.5, 18.0}) Arc(p, {3, 12}, r, -38, 76);
}

void RemoteControl(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(7.5, 10, 9, 13), 2, 2);
    Solid(p);
    Dot(p, {12, 14}, 1.6);
    p.drawRect(QRectF(9.8, 18, 1.6, 1.6));
    p.drawRect(QRectF(12.6, 18, 1.6, 1.6));
    Lines(p, 1.8);
    Arc(p, {12, 10}, 4, 50, 80);
    Arc(p, {12, 10}, 7.5, 50, 80);
}

void Projector(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(2, 9, 20, 10.5), 2, 2);
    Dot(p, {8, 14.2}, 3.2);
    p.drawLine(QPointF(15, 12.5), QPointF(19, 12.5));
    p.drawLine(QPointF(5, 19.5), QPointF(5, 21.5));
    p.drawLine(QPointF(19, 19.5), QPointF(19, 21.5));
    Lines(p, 1.6);
    p.drawLine(QPointF(3.5, 3.5), QPointF(5.8, 6.8));
    p.drawLine(QPointF(8, 2), QPointF(8, 6));
    p.drawLine(QPointF(12.5, 3.5), QPointF(10.2, 6.8));
}

void DockingStation(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(5, 2, 14, 10), 1.2, 1.2);
    QPainterPath base;
    base.moveTo(2, 13.5);
    base.lineTo(22, 13.5);
    base.lineTo(20, 16.5);
    base.lineTo(4, 16.5);
    base.closeSubpath();
    p.drawPath(base);
    Solid(p);
    p.drawRoundedRect(QRectF(5.5, 18.5, 13, 4), 1, 1);
}

void Globe(QPainter& p, const QColor&) {
    Lines(p, 1.8);
    Dot(p, {12, 12}, 10);
    p.drawEllipse(QPointF(12, 12), 4.5, 10);
    p.drawLine(QPointF(2, 12), QPointF(22, 12));
    p.drawLine(QPointF(4, 7), QPointF(20, 7));
    p.drawLine(QPointF(4, 17), QPointF(20, 17));
}

void MapPin(QPainter& p, const QColor& tile) {
    Solid(p);
    QPainterPath pin;
    pin.moveTo(12, 22.5);
    pin.cubicTo(10, 18.5, 4.8, 14.5, 4.8, 9);
    pin.arcTo(QRectF(4.8, 1.8, 14.4, 14.4), 180, -180);
    pin.cubicTo(19.2, 14.5, 14, 18.5, 12, 22.5);
    pin.closeSubpath();
    p.drawPath(pin);
    Solid(p, tile);
    Dot(p, {12, 9}, 2.9);
}

void SmartCard(QPainter& p, const QColor&) {
    Lines(p);
    p.drawRoundedRect(QRectF(1.5, 4, 21, 16), 2, 2);
    Solid(p);
    p.drawRoundedRect(QRectF(4.5, 8, 7, 6), 1, 1);
    Lines(p, 1.6);
    p.drawLine(QPointF(14.5, 9.5), QPointF(19.5, 9.5));
    p.drawLine(QPointF(14.5, 13), QPointF(19.5, 13));
    p.drawLine(QPointF(4.5, 17), QPointF(11, 17));
}

void AppGrid(QPainter& p, const QColor&) {
    Solid(p);
    for (qreal y : {3.0, 13.0}) {
        for (qreal x : {3.0, 13.0}) p.drawRoundedRect(QRectF(x, y, 8, 8), 2, 2);
    }
}

void Refresh(QPainter& p, const QColor&) {
    Lines(p, 2.2);
    Arc(p, {12, 12}, 8, 30, 150);
    Arc(p, {12, 12}, 8, 210, 150);
    Solid(p);
    const QPointF down[] = {{0.8, 10.5}, {7.2, 10.5}, {4, 15}};
    const QPointF up[] = {{16.8, 13.5}, {23.2, 13.5}, {20, 9}};
    p.drawPolygon(down, 3);
    p.drawPolygon(up, 3);
}

void Wrench(QPainter& p, const QColor& tile) {
    p.save();
    p.translate(12, 12);
    p.rotate(45);
    Solid(p);
    p.drawRoundedRect(QRectF(-2.2, -3, 4.4, 14.5), 2.2, 2.2);
    Dot(p, {0, -6}, 5.6);
    Solid(p, tile);
    p.drawRect(QRectF(-1.9, -12.5, 3.8, 6.5));
    p.restore();
}

void Pulse(QPainter& p, const QColor&) {
    Lines(p, 2.2);
    const QPointF line[] = {{1, 13}, {6, 13}, {8.5, 7}, {12, 19}, {15, 4}, {17.5, 13}, {23, 13}};
    p.drawPolyline(line, 7);
}

void Windows(QPainter& p, const QColor& tile) {
    Lines(p);
    p.drawRoundedRect(QRectF(7.5, 2.5, 14, 11), 1.5, 1.5);
    Solid(p);
    p.drawRoundedRect(QRectF(2.5, 10, 14, 11.5), 1.5, 1.5);
    Solid(p, tile);
    p.drawRect(QRectF(2.5, 13, 14, 1.4));
}

void Microphone(QPainter& p, const QColor&) {
    Solid(p);
    p.drawRoundedRect(QRectF(8, 1.5, 8, 13.5), 4, 4);
    Lines(p);
    Arc(p, {12, 10.5}, 6.5, 180, 180);
    p.drawLine(QPointF(12, 17), QPointF(12, 21.5));
    p.drawLine(QPointF(8, 21.5), QPointF(16, 21.5));
}

void Ellipsis(QPainter& p, const QColor&) {
    Solid(p);
    for (qreal x : {4.5, 12.0, 19.5}) Dot(p, {x, 12}, 2.5);
}

void Document(QPainter& p, const QColor&) {
    Lines(p);
    QPainterPath page;
    page.moveTo(5, 2);
    page.lineTo(14, 2);
    page.lineTo(19, 7);
    page.lineTo(19, 22);
    page.lineTo(5, 22);
    page.closeSubpath();
    p.drawPath(page);
    const QPointF fold[] = {{14, 2}, {14, 7}, {19, 7}};
    p.drawPolyline(fold, 3);
    Lines(p, 1.6);
    p.drawLine(QPointF(8, 12), QPointF(16, 12));
    p.drawLine(QPointF(8, 15.5), QPointF(16, 15.5));
    p.drawLine(QPointF(8, 19), QPointF(13, 19));
}

void ColourCircles(QPainter& p, const QColor&) {
    Lines(p, 1.8);
    Dot(p, {12, 8}, 5.5);
    Dot(p, {8.3, 14.5}, 5.5);
    Dot(p, {15.7, 14.5}, 5.5);
}

void Headphones(QPainter& p, const QColor&) {
    Lines(p, 2.2);
    Arc(p, {12, 13}, 9, 0, 180);
    p.drawLine(QPointF(3, 13), QPointF(3, 15));
    p.drawLine(QPointF(21, 13), QPointF(21, 15));
    Solid(p);
    p.drawRoundedRect(QRectF(1.5, 13, 6, 9), 2, 2);
    p.drawRoundedRect(QRectF(16.5, 13, 6, 9), 2, 2);
}

void Equalizer(QPainter& p, const QColor&) {
    Lines(p, 1.6);
    for (qreal x : {5.0, 12.0, 19.0}) p.drawLine(QPointF(x, 2.5), QPointF(x, 21.5));
    Solid(p);
    p.drawRoundedRect(QRectF(2, 13, 6, 4), 1, 1);
    p.drawRoundedRect(QRectF(9, 5.5, 6, 4), 1, 1);
    p.drawRoundedRect(QRectF(16, 15.5, 6, 4), 1, 1);
}

void PowerPlug(QPainter& p, const QColor&) {
    Lines(p, 2.2);
    p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 6));
    p.drawLine(QPointF(14.5, 1.5), QPointF(14.5, 6));
    p.drawLine(QPointF(12, 16), QPointF(12, 18.5));
    QPainterPath cable;
    cable.moveTo(12, 18.5);
    cable.cubicTo(12, 22.5, 18, 22.5, 20.5, 19);
    p.drawPath(cable);
    Solid(p);
    p.drawRoundedRect(QRectF(6.5, 6, 11, 10), 2.5, 2.5);
}

struct Entry {
    CategoryIcon icon;
    void (*draw)(QPainter&, const QColor&);
};

const std::vector<Entry>& Entries() {
    static const std::vector<Entry> entries = {
        {{0, "通用驱动 (any category without a picture of its own)"}, Gear},
        {{1, "芯片组 chipset"}, Chipset},
        {{2, "显卡 graphics"}, GraphicsCard},
        {{4, "声卡 audio"}, Speaker},
        {{5, "网卡 wired network"}, NetworkTopology},
        {{6, "蓝牙 Bluetooth"}, Bluetooth},
        {{7, "BIOS"}, BiosChip},
        {{8, "Zorvik驱动专用[重要] the maker's own drivers"}, ShieldStar},
        {{9, "无线网卡 wireless network"}, Wifi},
        {{10, "读卡器 card reader"}, MemoryCard},
        {{11, "摄像头 camera"}, Webcam},
        {{13, "触控板 touchpad"}, Touchpad},
        {{18, "硬盘与存储 storage"}, HardDisk},
        {{20, "USB"}, UsbTrident},
        {{22, "键盘 keyboard"}, Keyboard},
        {{25, "指纹识别 fingerprint reader"}, Fingerprint},
        {{26, "显示器 monitor"}, Monitor},
        {{30, "打印机 printer"}, Printer},
        {{31, "鼠标 mouse"}, Mouse},
        {{35, "电源管理 power management"}, Power},
        {{36, "电池 battery"}, Battery},
        {{39, "热键 hot keys"}, HotKey},
        {{42, "内存 memory"}, MemoryModule},
        {{44, "串口 serial port"}, SerialPort},
        {{45, "雷电接口 Thunderbolt"}, Lightning},
        {{47, "光驱 optical drive"}, OpticalDisc},
        {{48, "磁盘阵列 RAID"}, DiskArray},
        {{51, "固件更新 firmware update"}, FirmwareUpdate},
        {{52, "安全芯片 security chip"}, Padlock},
        {{53, "传感器 sensors"}, Sensor},
        {{54, "触摸屏 touch screen"}, TouchScreen},
        {{58, "手写笔 pen"}, Stylus},
        {{59, "扫描仪 scanner"}, Scanner},
        {{60, "移动网络 mobile broadband"}, SignalBars},
        {{61, "NFC"}, Contactless},
        {{63, "红外 infrared"}, RemoteControl},
        {{67, "投影 projection"}, Projector},
        {{68, "扩展坞 docking station"}, DockingStation},
        {{72, "远程管理 remote management"}, Globe},
        {{73, "定位 location"}, MapPin},
        {{74, "智能卡 smart card"}, SmartCard},
        {{79, "实用工具 utilities"}, AppGrid},
        {{84, "系统补丁 system patches"}, Refresh},
        {{85, "工具软件 tools"}, Wrench},
        {{86, "诊断工具 diagnostics"}, Pulse},
        {{87, "虚拟化 virtualisation"}, Windows},
        {{88, "麦克风 microphone"}, Microphone},
        {{90, "其他 others"}, Ellipsis},
        {{91, "说明文档 documentation"}, Document},
        {{92, "色彩管理 colour management"}, ColourCircles},
        {{95, "耳机 headset"}, Headphones},
        {{96, "音效 sound effects"}, Equalizer},
        {{98, "电源适配器 power adapter"}, PowerPlug},
    };
    return entries;
}

// Neighbouring numbers get far-apart hues (golden angle) and one of four
// tile outlines, so no two pictures share both colour and shape.
QColor TileColor(std::size_t index) {
    const qreal hue = std::fmod(205.0 + 137.508 * static_cast<qreal>(index), 360.0);
    const QColor color = QColor::fromHsvF(static_cast<float>(hue / 360.0), 0.62f, 0.84f);
    // Yellows and light greens are darkened until white lines stand out.
    const qreal luma = 0.299 * color.redF() + 0.587 * color.greenF() + 0.114 * color.blueF();
    constexpr qreal kBrightest = 0.58;
    if (luma <= kBrightest) return color;
    return QColor::fromHsvF(static_cast<float>(hue / 360.0), 0.70f,
                            static_cast<float>(0.84 * kBrightest / luma));
}

QPainterPath TileOutline(std::size_t index) {
    const QRectF box(2, 2, kIconSize - 4, kIconSize - 4);
    QPainterPath path;
    switch (index % 4) {
        case 0:
            path.addRoundedRect(box, 10, 10);
            break;
        case 1:
            path.addEllipse(box);
            break;
        case 2:
            return Polygon(box.center(), 19, 6, 30);
        default:
            path.addRoundedRect(box, 4, 4);
            break;
    }
    return path;
}

}  // namespace

const std::vector<CategoryIcon>& CategoryIcons() {
    static const std::vector<CategoryIcon> icons = [] {
        std::vector<CategoryIcon> list;
        for (const Entry& entry : Entries()) list.push_back(entry.icon);
        return list;
    }();
    return icons;
}

QImage DrawCategoryIcon(std::size_t index) {
    const Entry& entry = Entries().at(index);
    QImage image = Blank(QSize(kIconSize, kIconSize));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tile = TileColor(index);
    QLinearGradient fill(0, 0, 0, kIconSize);
    fill.setColorAt(0, tile.lighter(112));
    fill.setColorAt(1, tile.darker(108));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(TileOutline(index));
    p.translate(kPictogramOrigin, kPictogramOrigin);
    entry.draw(p, tile);
    return image;
}

}  // namespace imagegen
