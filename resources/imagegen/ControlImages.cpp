#include "ControlImages.h"

#include <QtMath>

#include <array>

#include "Canvas.h"

namespace imagegen {

namespace {

using namespace colors;

QImage Picture(QSize size, const std::function<void(QPainter&, const QRectF&)>& draw) {
    return Strip(size, 1, [&](QPainter& p, const QRectF& rc, int) { draw(p, rc); });
}

QColor WithAlpha(QColor color, int alpha) {
    color.setAlpha(alpha);
    return color;
}

// The blue band of title bars; a vertical gradient so it stretches sideways.
void TitleBand(QPainter& p, const QRectF& rc) {
    QLinearGradient band(rc.topLeft(), rc.bottomLeft());
    band.setColorAt(0, QColor(0x2a, 0x82, 0xee));
    band.setColorAt(1, QColor(0x1a, 0x6b, 0xdc));
    p.fillRect(rc, band);
}

// A filled button: a soft top-to-bottom gradient of its state's colour.
QImage FilledButton(QSize size, qreal radius, const QColor& normal, const QColor& hover,
                    const QColor& pressed) {
    return ButtonStrip(size, [&](QPainter& p, const QRectF& rc, ButtonState state) {
        const std::array<QColor, 4> fills = {normal, hover, pressed, kDisabledFill};
        const QColor fill = fills[state];
        const QColor top = state == kPressed || state == kDisabled ? fill : fill.lighter(108);
        const QColor border = state == kDisabled ? QColor(0xd3, 0xd8, 0xe0) : fill.darker(112);
        RoundedGradientBox(p, rc, radius, top, fill, border);
    });
}

// A white button outlined in its ink colour, tinted on hover and press.
QImage OutlineButton(QSize size, qreal radius, const QColor& ink) {
    return ButtonStrip(size, [&](QPainter& p, const QRectF& rc, ButtonState state) {
        switch (state) {
            case kNormal:
                RoundedBox(p, rc, radius, Qt::white, ink);
                break;
            case kHover:
                RoundedBox(p, rc, radius, Qt::white);
                RoundedBox(p, rc, radius, WithAlpha(ink, 22), ink);
                break;
            case kPressed:
                RoundedBox(p, rc, radius, Qt::white);
                RoundedBox(p, rc, radius, WithAlpha(ink, 56), ink.darker(115));
                break;
            case kDisabled:
                RoundedBox(p, rc, radius, QColor(0xf5, 0xf6, 0xf8), QColor(0xd5, 0xda, 0xe1));
                break;
        }
    });
}

// Small round icon buttons of the list items: grey line icon at rest, white
// on blue (or red, for cancel) under the mouse.
QImage RoundIconButton(const QColor& accent,
                       const std::function<void(QPainter&, const QPointF&, const QColor&)>& glyph) {
    return ButtonStrip(QSize(24, 24), [&](QPainter& p, const QRectF& rc, ButtonState state) {
        const QPointF c = rc.center();
        QColor ink(0x7a, 0x86, 0x99);
        if (state == kHover || state == kPressed) {
            p.setPen(Qt::NoPen);
            p.setBrush(state == kHover ? accent : accent.darker(125));
            p.drawEllipse(c, 11, 11);
            ink = Qt::white;
        } else {
            if (state == kDisabled) ink = QColor(0xc8, 0xce, 0xd7);
            p.setPen(QPen(ink, 1.4));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, 10.5, 10.5);
        }
        glyph(p, c, ink);
    });
}

void Cross(QPainter& p, const QPointF& c, qreal half, const QColor& ink, qreal width) {
    p.setPen(LinePen(ink, width));
    p.drawLine(c + QPointF(-half, -half), c + QPointF(half, half));
    p.drawLine(c + QPointF(-half, half), c + QPointF(half, -half));
}

// Close button of a blue title bar: white cross, red under the mouse.
QImage TitleCloseButton(int edge) {
    return ButtonStrip(QSize(edge, edge), [&](QPainter& p, const QRectF& rc, ButtonState state) {
        const QRectF face = rc.adjusted(2, 2, -2, -2);
        if (state == kHover) RoundedBox(p, face, 4, QColor(0xe5, 0x48, 0x3b));
        if (state == kPressed) RoundedBox(p, face, 4, QColor(0xc2, 0x37, 0x2b));
        Cross(p, rc.center(), edge * 0.17, WithAlpha(Qt::white, state == kDisabled ? 110 : 255), 1.8);
    });
}

void CheckMark(QPainter& p, const QRectF& box, const QColor& ink) {
    const qreal s = box.width();
    const QPointF tick[] = {box.topLeft() + QPointF(s * 0.24, s * 0.52),
                            box.topLeft() + QPointF(s * 0.43, s * 0.70),
                            box.topLeft() + QPointF(s * 0.77, s * 0.32)};
    p.setPen(LinePen(ink, s / 8.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(tick, 3);
}

QImage CheckStrip(int edge) {
    return Strip(QSize(edge, edge), 8, [&](QPainter& p, const QRectF& rc, int index) {
        const bool checked = index >= 4;
        const auto state = static_cast<ButtonState>(index % 4);
        const QRectF box = rc.adjusted(0.5, 0.5, -0.5, -0.5);
        if (!checked) {
            const std::array<QColor, 4> fills = {Qt::white, Qt::white, QColor(0xe8, 0xf0, 0xfd),
                                                 QColor(0xf0, 0xf2, 0xf5)};
            const std::array<QColor, 4> borders = {QColor(0xa9, 0xb5, 0xc6), kBlue, kBluePressed,
                                                   QColor(0xd5, 0xda, 0xe1)};
            RoundedBox(p, box, 3, fills[state], borders[state]);
            return;
        }
        const std::array<QColor, 4> fills = {kBlue, kBlueHover, kBluePressed, QColor(0xc5, 0xcc, 0xd6)};
        RoundedBox(p, box, 3, fills[state], fills[state].darker(108));
        CheckMark(p, rc, Qt::white);
    });
}

// The card buttons of the query page: a white card with a blue pictogram in
// a pale disc; the label is the button's own text under it.
QImage CardButton(const std::function<void(QPainter&, const QPointF&, const QColor&)>& pictogram) {
    return ButtonStrip(QSize(150, 124), [&](QPainter& p, const QRectF& rc, ButtonState state) {
        const std::array<QColor, 4> fills = {Qt::white, QColor(0xf4, 0xf8, 0xff), QColor(0xe6, 0xf0, 0xff),
                                             QColor(0xf5, 0xf6, 0xf8)};
        const std::array<QColor, 4> borders = {QColor(0xdc, 0xe3, 0xed), kBlue, kBluePressed,
                                               QColor(0xe3, 0xe6, 0xea)};
        RoundedBox(p, rc, 8, fills[state], borders[state]);
        const QPointF c(rc.center().x(), rc.top() + 44);
        p.setPen(Qt::NoPen);
        p.setBrush(state == kDisabled ? QColor(0xec, 0xee, 0xf1) : QColor(0xe5, 0xef, 0xfd));
        p.drawEllipse(c, 27, 27);
        pictogram(p, c, state == kDisabled ? kDisabledInk : (state == kPressed ? kBluePressed : kBlue));
    });
}

void HelpPictogram(QPainter& p, const QPointF& c, const QColor& ink) {
    p.setPen(LinePen(ink, 2.4));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(c.x() - 13, c.y() - 15, 21, 27), 2.5, 2.5);
    p.setPen(LinePen(ink, 2));
    for (qreal dy : {-8.0, -3.0, 2.0})
        p.drawLine(QPointF(c.x() - 8.5, c.y() + dy), QPointF(c.x() + 3.5, c.y() + dy));
    p.setPen(LinePen(ink, 3));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(c.x() + 6, c.y() + 6), 6.5, 6.5);
    p.drawLine(QPointF(c.x() + 10.8, c.y() + 10.8), QPointF(c.x() + 15, c.y() + 15));
}

void SettingsPictogram(QPainter& p, const QPointF& c, const QColor& ink) {
    QPainterPath folder;
    folder.moveTo(c.x() - 16, c.y() - 11);
    folder.lineTo(c.x() - 6, c.y() - 11);
    folder.lineTo(c.x() - 2.5, c.y() - 7);
    folder.lineTo(c.x() + 16, c.y() - 7);
    folder.lineTo(c.x() + 16, c.y() + 13);
    folder.lineTo(c.x() - 16, c.y() + 13);
    folder.closeSubpath();
    p.setPen(LinePen(ink, 2.4));
    p.setBrush(Qt::white);
    p.drawPath(folder);
    p.drawLine(QPointF(c.x(), c.y() - 2), QPointF(c.x(), c.y() + 8));
    const QPointF head[] = {{c.x() - 5, c.y() + 3.5}, {c.x(), c.y() + 8.5}, {c.x() + 5, c.y() + 3.5}};
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(head, 3);
}

void PackPictogram(QPainter& p, const QPointF& c, const QColor& ink) {
    p.setPen(LinePen(ink, 2.4));
    p.setBrush(Qt::white);
    p.drawEllipse(c, 15, 15);
    p.drawEllipse(c, 4.5, 4.5);
    p.setPen(LinePen(ink, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 10, c.y() - 10, 20, 20), 20 * 16, 60 * 16);
    p.drawArc(QRectF(c.x() - 10, c.y() - 10, 20, 20), 200 * 16, 60 * 16);
}

void LogoArt(QPainter& p, const QRectF& rc, bool onBlue) {
    const qreal s = rc.width();
    if (onBlue) {
        RoundedBox(p, rc, s * 0.24, Qt::white);
    } else {
        QLinearGradient tile(rc.topLeft(), rc.bottomRight());
        tile.setColorAt(0, QColor(0x3a, 0x94, 0xff));
        tile.setColorAt(1, QColor(0x12, 0x55, 0xc4));
        p.setPen(Qt::NoPen);
        p.setBrush(tile);
        p.drawRoundedRect(rc, s * 0.24, s * 0.24);
    }
    const QColor ink = onBlue ? kBlue : Qt::white;
    const qreal w = std::max(1.6, s * 0.11);
    const QPointF o = rc.topLeft();
    p.setPen(LinePen(ink, w));
    p.setBrush(Qt::NoBrush);
    p.drawLine(o + QPointF(s * 0.5, s * 0.18), o + QPointF(s * 0.5, s * 0.58));
    const QPointF head[] = {o + QPointF(s * 0.31, s * 0.42), o + QPointF(s * 0.5, s * 0.61),
                            o + QPointF(s * 0.69, s * 0.42)};
    p.drawPolyline(head, 3);
    const QPointF tray[] = {o + QPointF(s * 0.2, s * 0.6), o + QPointF(s * 0.2, s * 0.8),
                            o + QPointF(s * 0.8, s * 0.8), o + QPointF(s * 0.8, s * 0.6)};
    p.drawPolyline(tray, 4);
}

}  // namespace

QImage MainHeader() {
    return Picture(QSize(800, 44), [](QPainter& p, const QRectF& rc) {
        TitleBand(p, rc);
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(Qt::white, 14));
        p.drawEllipse(QPointF(640, 60), 90, 90);
        p.drawEllipse(QPointF(735, -20), 70, 70);
        p.setBrush(WithAlpha(Qt::white, 9));
        p.drawEllipse(QPointF(520, -30), 60, 60);
    });
}

QImage MainLogo() {
    return Picture(QSize(28, 28), [](QPainter& p, const QRectF& rc) { LogoArt(p, rc, true); });
}

QImage QueryBanner() {
    return Picture(QSize(800, 196), [](QPainter& p, const QRectF& rc) {
        QLinearGradient sky(rc.topLeft(), rc.bottomLeft());
        sky.setColorAt(0, QColor(0xe4, 0xef, 0xff));
        sky.setColorAt(1, Qt::white);
        p.fillRect(rc, sky);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd2, 0xe4, 0xfd, 120));
        p.drawEllipse(QPointF(-30, 200), 150, 150);
        p.drawEllipse(QPointF(850, 10), 160, 160);
        p.setBrush(QColor(0xc4, 0xdb, 0xfb, 90));
        p.drawEllipse(QPointF(60, 215), 90, 90);
        p.drawEllipse(QPointF(760, -20), 90, 90);
        p.setBrush(QColor(0x9d, 0xc1, 0xf5, 150));
        for (int row = 0; row < 4; ++row) {
            for (int col = 0; col < 6; ++col)
                p.drawEllipse(QPointF(716 + col * 12, 148 + row * 12), 1.4, 1.4);
        }
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 5; ++col) p.drawEllipse(QPointF(40 + col * 12, 28 + row * 12), 1.4, 1.4);
        }
        p.setPen(QPen(QColor(0xb5, 0xd0, 0xf7, 140), 1.2));
        p.setBrush(Qt::NoBrush);
        QPainterPath wave;
        wave.moveTo(0, 170);
        wave.cubicTo(200, 140, 420, 200, 800, 150);
        p.drawPath(wave);
    });
}

QImage QueryInput() {
    return Picture(QSize(520, 44), [](QPainter& p, const QRectF& rc) {
        RoundedBox(p, rc, 6, Qt::white, QColor(0xb9, 0xcc, 0xe6));
        p.setPen(LinePen(QColor(0x8d, 0x9b, 0xb0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(21, 20), 6.5, 6.5);
        p.drawLine(QPointF(25.8, 24.8), QPointF(30, 29));
    });
}

QImage NetworkError() {
    return Picture(QSize(180, 130), [](QPainter& p, const QRectF&) {
        QPainterPath cloud;
        cloud.addEllipse(QPointF(62, 72), 34, 30);
        cloud.addEllipse(QPointF(95, 55), 38, 36);
        cloud.addEllipse(QPointF(128, 74), 30, 28);
        cloud.addRoundedRect(QRectF(40, 70, 112, 32), 16, 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe3, 0xee, 0xfd));
        p.drawPath(cloud.simplified());
        p.setPen(LinePen(QColor(0x9a, 0xaa, 0xc0), 5));
        p.setBrush(Qt::NoBrush);
        for (qreal r : {12.0, 24.0, 36.0}) p.drawArc(QRectF(95 - r, 94 - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9a, 0xaa, 0xc0));
        p.drawEllipse(QPointF(95, 94), 4.5, 4.5);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(132, 96), 15, 15);
        Cross(p, QPointF(132, 96), 5.5, Qt::white, 3);
    });
}

QImage OsBox() {
    return Picture(QSize(230, 30), [](QPainter& p, const QRectF& rc) {
        RoundedBox(p, rc, 4, Qt::white, QColor(0xc3, 0xd0, 0xe2));
        p.setPen(QPen(QColor(0xe1, 0xe7, 0xef), 1));
        p.drawLine(QPointF(201.5, 5), QPointF(201.5, 25));
    });
}

QImage ProgressBackground() {
    return Picture(QSize(120, 6),
                   [](QPainter& p, const QRectF& rc) { p.fillRect(rc, QColor(0xe2, 0xe8, 0xf0)); });
}

QImage ProgressForeground() {
    return Picture(QSize(120, 6), [](QPainter& p, const QRectF& rc) {
        QLinearGradient bar(rc.topLeft(), rc.bottomLeft());
        bar.setColorAt(0, QColor(0x4d, 0x9c, 0xff));
        bar.setColorAt(1, kBlue);
        p.fillRect(rc, bar);
    });
}

QImage ItemDownloading() {
    return Picture(QSize(16, 16), [](QPainter& p, const QRectF& rc) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(rc.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(LinePen(Qt::white, 1.6));
        p.drawLine(QPointF(8, 4), QPointF(8, 11));
        const QPointF head[] = {{5, 8.5}, {8, 11.5}, {11, 8.5}};
        p.drawPolyline(head, 3);
    });
}

QImage ItemPaused() {
    return Picture(QSize(16, 16), [](QPainter& p, const QRectF& rc) {
        p.setPen(Qt::NoPen);
        p.setBrush(kOrange);
        p.drawEllipse(rc.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.2, 4.5, 2, 7));
        p.drawRect(QRectF(8.8, 4.5, 2, 7));
    });
}

QImage PopupTitle() {
    return Picture(QSize(411, 40), TitleBand);
}

QImage PopupEdit() {
    return Picture(QSize(290, 30), [](QPainter& p, const QRectF& rc) {
        RoundedBox(p, rc, 4, QColor(0xfa, 0xfb, 0xfd), QColor(0xc3, 0xd0, 0xe2));
    });
}

QImage PopupEditSmall() {
    return Picture(QSize(44, 28), [](QPainter& p, const QRectF& rc) {
        RoundedBox(p, rc, 4, Qt::white, QColor(0xa9, 0xbc, 0xd8));
    });
}

QImage MessageBoxTitle() {
    return Picture(QSize(218, 30), TitleBand);
}

QImage AgreementTitle() {
    return Picture(QSize(800, 40), [](QPainter& p, const QRectF& rc) {
        p.fillRect(rc, QColor(0xf3, 0xf6, 0xfa));
        p.fillRect(QRectF(0, 39, 800, 1), QColor(0xdd, 0xe4, 0xee));
        p.fillRect(QRectF(20, 12, 4, 16), kBlue);
    });
}

QImage Busy() {
    return Strip(QSize(20, 20), 24, [](QPainter& p, const QRectF& rc, int frame) {
        p.setPen(Qt::NoPen);
        const qreal head = frame * 15.0;
        for (int i = 0; i < 12; ++i) {
            const qreal angle = i * 30.0;
            const qreal behind = std::fmod(head - angle + 360.0, 360.0);
            const qreal fade = 1.0 - behind / 360.0;
            const int alpha = 36 + static_cast<int>(219 * fade * fade);
            const qreal a = qDegreesToRadians(angle - 90.0);
            p.setBrush(WithAlpha(kBlue, alpha));
            p.drawEllipse(rc.center() + QPointF(7 * qCos(a), 7 * qSin(a)), 1.8, 1.8);
        }
    });
}

QImage ButtonClose() {
    return TitleCloseButton(30);
}

QImage ButtonMinimise() {
    return ButtonStrip(QSize(30, 30), [](QPainter& p, const QRectF& rc, ButtonState state) {
        const QRectF face = rc.adjusted(2, 2, -2, -2);
        if (state == kHover) RoundedBox(p, face, 4, WithAlpha(Qt::white, 48));
        if (state == kPressed) RoundedBox(p, face, 4, WithAlpha(Qt::black, 36));
        p.setPen(LinePen(WithAlpha(Qt::white, state == kDisabled ? 110 : 255), 1.8));
        p.drawLine(rc.center() + QPointF(-5, 1), rc.center() + QPointF(5, 1));
    });
}

QImage ButtonQuery() {
    return FilledButton(QSize(120, 44), 6, kBlue, kBlueHover, kBluePressed);
}

QImage ButtonHelpCard() {
    return CardButton(HelpPictogram);
}

QImage ButtonSettingsCard() {
    return CardButton(SettingsPictogram);
}

QImage ButtonPackCard() {
    return CardButton(PackPictogram);
}

QImage ButtonOsDropdown() {
    return ButtonStrip(QSize(28, 30), [](QPainter& p, const QRectF& rc, ButtonState state) {
        if (state == kHover) RoundedBox(p, rc.adjusted(1, 1, -1, -1), 3, QColor(0xea, 0xf2, 0xfd));
        if (state == kPressed) RoundedBox(p, rc.adjusted(1, 1, -1, -1), 3, QColor(0xd6, 0xe5, 0xfa));
        const QColor ink = state == kDisabled ? QColor(0xc6, 0xcd, 0xd7)
                                              : (state == kNormal ? QColor(0x6b, 0x76, 0x86) : kBlue);
        p.setPen(LinePen(ink, 1.8));
        const QPointF c = rc.center();
        const QPointF chevron[] = {c + QPointF(-4.5, -2), c + QPointF(0, 2.5), c + QPointF(4.5, -2)};
        p.drawPolyline(chevron, 3);
    });
}

QImage ButtonListDownload() {
    return FilledButton(QSize(116, 32), 4, kBlue, kBlueHover, kBluePressed);
}

QImage ButtonListNormal() {
    return FilledButton(QSize(88, 32), 4, QColor(0x4f, 0x7c, 0xc4), QColor(0x63, 0x90, 0xd6),
                        QColor(0x3d, 0x65, 0xa6));
}

QImage ButtonListBack() {
    return FilledButton(QSize(72, 32), 4, QColor(0x7b, 0x8a, 0xa1), QColor(0x8e, 0x9c, 0xb2),
                        QColor(0x65, 0x73, 0x89));
}

QImage ButtonBackHome() {
    return FilledButton(QSize(140, 40), 6, kBlue, kBlueHover, kBluePressed);
}

QImage ButtonItemDownload() {
    return OutlineButton(QSize(72, 28), 14, kBlue);
}

QImage ButtonItemPause() {
    return RoundIconButton(kBlue, [](QPainter& p, const QPointF& c, const QColor& ink) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(QRectF(c.x() - 4, c.y() - 4.5, 2.6, 9));
        p.drawRect(QRectF(c.x() + 1.4, c.y() - 4.5, 2.6, 9));
    });
}

QImage ButtonItemResume() {
    return RoundIconButton(kGreen, [](QPainter& p, const QPointF& c, const QColor& ink) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        const QPointF play[] = {c + QPointF(-2.8, -5), c + QPointF(5, 0), c + QPointF(-2.8, 5)};
        p.drawPolygon(play, 3);
    });
}

QImage ButtonItemCancel() {
    return RoundIconButton(
        kRed, [](QPainter& p, const QPointF& c, const QColor& ink) { Cross(p, c, 3.8, ink, 1.8); });
}

QImage ButtonItemOpen() {
    return OutlineButton(QSize(80, 28), 14, kGreen);
}

QImage ButtonItemRetry() {
    return OutlineButton(QSize(64, 28), 14, kOrange);
}

QImage ButtonPopupClose() {
    return TitleCloseButton(28);
}

QImage ButtonPopupChoose() {
    return OutlineButton(QSize(64, 30), 4, kBlue);
}

QImage ButtonPopupOk() {
    return FilledButton(QSize(96, 34), 5, kBlue, kBlueHover, kBluePressed);
}

QImage ButtonPopupCancel() {
    return OutlineButton(QSize(96, 34), 5, QColor(0xa9, 0xb5, 0xc6));
}

QImage ButtonMessageBox() {
    return FilledButton(QSize(64, 28), 4, kBlue, kBlueHover, kBluePressed);
}

QImage CheckBox() {
    return CheckStrip(16);
}

QImage CheckBoxItem() {
    return CheckStrip(18);
}

QImage Shadow() {
    // Margins 5, 3, 5, 7: the shadow lies in them, the white body (with its
    // one-pixel edge) fills the middle that the frame skin stretches.
    return Picture(QSize(30, 30), [](QPainter& p, const QRectF&) {
        const QRectF body(4, 2, 22, 22);
        p.setPen(Qt::NoPen);
        for (int i = 4; i >= 1; --i) {
            p.setBrush(QColor(0x10, 0x20, 0x40, 10 + (4 - i) * 6));
            p.drawRoundedRect(body.adjusted(-i * 0.9, -i * 0.5, i * 0.9, i * 1.4), 2 + i, 2 + i);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(0xc4, 0xcd, 0xd9), 1));
        p.drawRect(QRect(4, 2, 21, 21));
    });
}

QImage SystemScrollBar() {
    // Columns: the four states; rows: up, down, track, thumb of the vertical
    // bar, then left, right, track, thumb of the horizontal one.
    constexpr int kPart = 10;
    QImage image = Blank(QSize(4 * kPart, 8 * kPart));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const std::array<QColor, 4> thumbs = {QColor(0xc3, 0xcc, 0xd9), QColor(0xa6, 0xb3, 0xc6),
                                          QColor(0x85, 0x93, 0xa8), QColor(0xe1, 0xe6, 0xec)};
    const QColor track(0xf1, 0xf4, 0xf8);
    for (int state = 0; state < 4; ++state) {
        for (int row = 0; row < 8; ++row) {
            const QRectF cell(state * kPart, row * kPart, kPart, kPart);
            p.fillRect(cell, track);
            const bool vertical = row < 4;
            const QPointF c = cell.center();
            switch (row % 4) {
                case 0:
                case 1: {
                    const qreal dir = (row % 4 == 0) ? -1 : 1;
                    p.setPen(Qt::NoPen);
                    p.setBrush(state == 3 ? thumbs[3] : thumbs[state].darker(120));
                    const QPointF arrow[] = {
                        vertical ? c + QPointF(-3, -1.5 * dir) : c + QPointF(-1.5 * dir, -3),
                        vertical ? c + QPointF(3, -1.5 * dir) : c + QPointF(-1.5 * dir, 3),
                        vertical ? c + QPointF(0, 2 * dir) : c + QPointF(2 * dir, 0)};
                    p.drawPolygon(arrow, 3);
                    break;
                }
                case 2:
                    break;
                case 3:
                    RoundedBox(p, vertical ? cell.adjusted(2, 0, -2, 0) : cell.adjusted(0, 2, 0, -2), 2.5,
                               thumbs[state]);
                    break;
            }
        }
    }
    return image;
}

QImage SlimScrollBar() {
    // Three frames of six pixels side by side (the last two columns stay
    // empty): the thumb in the upper half, the track in the lower.
    QImage image = Blank(QSize(20, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const std::array<QColor, 3> thumbs = {QColor(0x9f, 0xc3, 0xf2), QColor(0x5e, 0x9b, 0xeb),
                                          QColor(0x2c, 0x72, 0xd6)};
    const std::array<QColor, 3> tracks = {QColor(0xee, 0xf4, 0xfd), QColor(0xe2, 0xed, 0xfc),
                                          QColor(0xd5, 0xe5, 0xfa)};
    for (int frame = 0; frame < 3; ++frame) {
        const qreal x = frame * 6;
        p.setPen(Qt::NoPen);
        p.setBrush(tracks[frame]);
        p.drawRoundedRect(QRectF(x, 16, 6, 16), 3, 3);
        p.setBrush(thumbs[frame]);
        p.drawRoundedRect(QRectF(x, 0, 6, 16), 3, 3);
    }
    return image;
}

QImage Logo(int size) {
    return Picture(QSize(size, size), [](QPainter& p, const QRectF& rc) {
        LogoArt(p, rc.adjusted(0.5, 0.5, -0.5, -0.5), false);
    });
}

}  // namespace imagegen
