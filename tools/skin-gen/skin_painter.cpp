#include "skin_painter.h"

#include "gif_writer.h"
#include "macro_skin_painter.h"

#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>

const QColor SkinPainter::kAccent(255, 125, 0);
const QColor SkinPainter::kBackground(22, 22, 26);
const QColor SkinPainter::kPanel(34, 34, 40);
const QColor SkinPainter::kLine(62, 62, 70);
const QColor SkinPainter::kText(220, 220, 226);

namespace {
// The pixel ratio the pictures are painted at: 1, then 2 for the "@2x" copies that a window scaled above
// 1 is drawn from, so that it shows pictures painted at its size rather than 1x pictures enlarged.
int g_ratio = 1;
} // namespace

QImage SkinPainter::blank(int width, int height) {
    // Painted in the same coordinates at either ratio: the painter scales by the image's pixel ratio.
    QImage image(width * g_ratio, height * g_ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(g_ratio);
    image.fill(Qt::transparent);
    return image;
}

QRectF SkinPainter::area(const QImage &image) {
    const qreal ratio = image.devicePixelRatio();
    return QRectF(0, 0, image.width() / ratio, image.height() / ratio);
}

QPolygonF SkinPainter::windowOutline(qreal w, qreal h) {
    const qreal c = 18;
    return QPolygonF({QPointF(c, 0), QPointF(w - c, 0), QPointF(w, c), QPointF(w, h - 2 * c),
                      QPointF(w - 2 * c, h), QPointF(c, h), QPointF(0, h - c), QPointF(0, c)});
}

SkinPainter::SkinPainter(const QString &outputDir, const QString &productName)
    : m_dir(outputDir), m_product(productName) {}

bool SkinPainter::save(const QImage &image, const QString &name) {
    QString path = m_dir + "/" + name;
    if (image.devicePixelRatio() > 1)
        path.insert(path.lastIndexOf('.'), QStringLiteral("@%1x").arg(int(image.devicePixelRatio())));
    if (image.save(path))
        return true;
    std::fprintf(stderr, "skin-gen: cannot write %s\n", qPrintable(path));
    return false;
}

bool SkinPainter::saveData(const QByteArray &data, const QString &name) {
    QFile file(m_dir + "/" + name);
    if (!data.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(data) == data.size())
        return true;
    std::fprintf(stderr, "skin-gen: cannot write %s\n", qPrintable(file.fileName()));
    return false;
}

bool SkinPainter::paintAll() {
    if (!QDir().mkpath(m_dir)) {
        std::fprintf(stderr, "skin-gen: cannot create %s\n", qPrintable(m_dir));
        return false;
    }
    bool ok = save(appIcon(64), "icon.ico");
    ok = save(appIcon(256), "icon.png") && ok;
    ok = saveData(loadingAnimation(), "loading.gif") && ok;
    ok = paintPictures() && ok;
    g_ratio = 2;
    ok = paintPictures() && ok;
    g_ratio = 1;
    return ok;
}

bool SkinPainter::paintPictures() {
    bool ok = save(mainBackground(), "cfgMainback.png");
    ok = save(battery(false), "bat1.png") && ok;
    ok = save(battery(true), "bat2.png") && ok;
    ok = save(tabButton(kNormalLook), "tabbutton-1.png") && ok;
    ok = save(tabButton(kPressedLook), "tabbutton-2.png") && ok;
    ok = save(tabButton(kHoverLook), "tabbutton-3.png") && ok;
    for (int look = kNormalLook; look <= kPressedLook; ++look) {
        ok = save(titleButton(true, look), QString("close-%1.png").arg(look + 1)) && ok;
        ok = save(titleButton(false, look), QString("min-%1.png").arg(look + 1)) && ok;
    }
    ok = save(languageButton(), "lang.png") && ok;
    ok = save(dialogBackground(478, 309), "dlg.png") && ok;
    ok = save(dialogBackground(620, 480), "dlg_links.png") && ok;
    ok = save(warningSign(), "warn.png") && ok;
    ok = save(unpluggedReceiver(), "dongle2.png") && ok;
    ok = save(dialogButton(true), "yes_Btn.png") && ok;
    ok = save(dialogButton(false), "no_Btn.png") && ok;
    ok = paintMainWindowParts() && ok;
    ok = MacroSkinPainter(*this).paintAll() && ok;
    return ok;
}

bool SkinPainter::paintDesktopIcons(const QString &name) {
    bool ok = true;
    // The sizes menus, launchers and the application lists of the desktops ask for.
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1x%1/apps").arg(size);
        if (!QDir().mkpath(m_dir + "/" + folder)) {
            std::fprintf(stderr, "skin-gen: cannot create %s/%s\n", qPrintable(m_dir), qPrintable(folder));
            return false;
        }
        ok = save(appIcon(size), folder + "/" + name + ".png") && ok;
    }
    return ok;
}

QImage SkinPainter::mainBackground() const {
    const int w = 999, h = 640;
    QImage image = blank(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF outline = windowOutline(w, h);

    QLinearGradient body(0, 0, 0, h);
    body.setColorAt(0.0, kBackground.lighter(115));
    body.setColorAt(1.0, kBackground);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPolygon(outline);

    // Title band and the tab row beneath it.
    QPainterPath band;
    band.addPolygon(outline);
    p.save();
    p.setClipPath(band);
    p.fillRect(QRect(0, 0, w, 64), kPanel);
    p.fillRect(QRect(0, 64, w, 2), kAccent);
    p.fillRect(QRect(0, 566, w, h - 566), kPanel);
    p.fillRect(QRect(0, 566, w, 1), kLine);
    // A faint diagonal texture across the page area.
    p.setPen(QPen(QColor(255, 255, 255, 6), 1));
    for (int x = -h; x < w; x += 14)
        p.drawLine(x, 566, x + 500, 66);
    p.restore();

    // Product mark in the title band.
    p.setPen(kAccent);
    QFont mark("DejaVu Sans", 20, QFont::Black);
    mark.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(mark);
    QRect markRect;
    p.drawText(QRect(34, 0, 300, 64), Qt::AlignVCenter | Qt::AlignLeft, "KORVANE", &markRect);
    p.setPen(kText.darker(140));
    p.setFont(QFont("DejaVu Sans", 9));
    p.drawText(QRect(markRect.right() + 12, 0, 200, 62), Qt::AlignVCenter | Qt::AlignLeft, "CONFIG");

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kLine, 2));
    p.drawPolygon(outline);
    return image;
}

QImage SkinPainter::appIcon(int size) const {
    QImage image = blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kBackground);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    // A mouse seen from above, the accent on its wheel.
    p.setBrush(kPanel.lighter(160));
    p.drawRoundedRect(QRectF(18, 9, 28, 46), 14, 14);
    p.setPen(QPen(kBackground, 2));
    p.drawLine(QPointF(32, 10), QPointF(32, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(29.5, 15, 5, 10), 2.5, 2.5);
    return image;
}

QImage SkinPainter::battery(bool onCable) const {
    QImage image = blank(86, 47);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kText, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 10, 64, 27), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(kText);
    p.drawRoundedRect(QRectF(71, 18, 6, 11), 2, 2);
    if (onCable) {
        // A plug: the mouse is on its cable.
        p.setBrush(kAccent);
        p.drawRect(QRectF(22, 20, 22, 8));
        p.drawRect(QRectF(44, 21, 10, 2.5));
        p.drawRect(QRectF(44, 25, 10, 2.5));
        p.drawRect(QRectF(12, 22.5, 10, 3));
    } else {
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(11, 15, 54, 17), 2, 2);
    }
    return image;
}

QImage SkinPainter::tabButton(int look) const {
    QImage image = blank(140, 34);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF shape({QPointF(8, 0.5), QPointF(139.5, 0.5), QPointF(131.5, 33.5), QPointF(0.5, 33.5)});
    QColor fill = kPanel;
    QColor edge = kLine;
    if (look == kHoverLook) {
        fill = kPanel.lighter(130);
        edge = kAccent;
    } else if (look == kPressedLook) {
        fill = kAccent.darker(160);
        edge = kAccent;
    }
    p.setPen(QPen(edge, 1.2));
    p.setBrush(fill);
    p.drawPolygon(shape);
    if (look != kNormalLook)
        p.fillRect(QRectF(16, 30, 108, 2), kAccent);
    return image;
}

QImage SkinPainter::titleButton(bool close, int look) const {
    QImage image = blank(26, 26);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor fill = Qt::transparent;
    QColor glyph = kText.darker(120);
    if (look == kHoverLook) {
        fill = close ? QColor(200, 40, 40) : kLine;
        glyph = Qt::white;
    } else if (look == kPressedLook) {
        fill = close ? QColor(150, 25, 25) : kLine.darker(130);
        glyph = Qt::white;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 1, 24, 24), 4, 4);
    p.setPen(QPen(glyph, 2, Qt::SolidLine, Qt::RoundCap));
    if (close) {
        p.drawLine(QPointF(8, 8), QPointF(18, 18));
        p.drawLine(QPointF(18, 8), QPointF(8, 18));
    } else {
        p.drawLine(QPointF(8, 17), QPointF(18, 17));
    }
    return image;
}

QImage SkinPainter::languageButton() const {
    QImage image = blank(100, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLine, 1));
    p.setBrush(kPanel.lighter(120));
    p.drawRoundedRect(QRectF(0.5, 0.5, 99, 19), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({QPointF(86, 8), QPointF(94, 8), QPointF(90, 13)}));
    return image;
}

QImage SkinPainter::dialogBackground(int w, int h) const {
    QImage image = blank(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF outline = windowOutline(w, h);
    p.setPen(Qt::NoPen);
    p.setBrush(kBackground.lighter(110));
    p.drawPolygon(outline);
    QPainterPath clip;
    clip.addPolygon(outline);
    p.setClipPath(clip);
    p.fillRect(QRect(0, 0, w, 44), kPanel);
    p.fillRect(QRect(0, 44, w, 2), kAccent);
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kLine, 2));
    p.drawPolygon(outline);
    return image;
}

QImage SkinPainter::warningSign() const {
    QImage image = blank(64, 64);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAccent, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kAccent.darker(300));
    p.drawPolygon(QPolygonF({QPointF(32, 6), QPointF(60, 56), QPointF(4, 56)}));
    p.setPen(QPen(kAccent, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 22), QPointF(32, 39));
    p.drawPoint(QPointF(32, 48));
    return image;
}

QImage SkinPainter::unpluggedReceiver() const {
    QImage image = blank(120, 80);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The receiver, its plug pulled away from a port.
    p.setPen(Qt::NoPen);
    p.setBrush(kPanel.lighter(180));
    p.drawRoundedRect(QRectF(62, 28, 44, 24), 5, 5);
    p.setBrush(kText.darker(130));
    p.drawRect(QRectF(44, 32, 18, 16));
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(94, 36, 6, 6));
    p.setPen(QPen(kText.darker(150), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, 26, 22, 28));
    p.setPen(QPen(kAccent, 3, Qt::DashLine));
    p.drawLine(QPointF(34, 40), QPointF(42, 40));
    return image;
}

QImage SkinPainter::dialogButton(bool primary) const {
    QImage image = blank(110, 34);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(primary ? kAccent : kLine, 1.5));
    p.setBrush(primary ? kAccent.darker(170) : kPanel.lighter(120));
    p.drawRoundedRect(QRectF(1, 1, 108, 32), 4, 4);
    return image;
}

QByteArray SkinPainter::loadingAnimation() const {
    constexpr int kSide = 128;
    constexpr int kFrames = 12;
    const QColor disc = kBackground.lighter(110);
    QVector<QRgb> palette;
    for (int i = 0; i < 255; ++i) {
        const double t = i / 254.0;
        palette << qRgb(int(disc.red() + t * (kAccent.red() - disc.red())),
                        int(disc.green() + t * (kAccent.green() - disc.green())),
                        int(disc.blue() + t * (kAccent.blue() - disc.blue())));
    }
    QVector<QImage> frames;
    for (int f = 0; f < kFrames; ++f) {
        QImage frame = blank(kSide, kSide);
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(disc);
        p.drawEllipse(QRectF(4, 4, kSide - 8, kSide - 8));
        // Twelve dots on a ring, the brightest one stepping round frame by frame.
        for (int dot = 0; dot < kFrames; ++dot) {
            const int age = (f - dot + kFrames) % kFrames;
            QColor color = kAccent;
            const double fade = 1.0 - age / double(kFrames);
            color = QColor::fromRgbF(disc.redF() + fade * (kAccent.redF() - disc.redF()),
                                     disc.greenF() + fade * (kAccent.greenF() - disc.greenF()),
                                     disc.blueF() + fade * (kAccent.blueF() - disc.blueF()));
            p.save();
            p.translate(kSide / 2.0, kSide / 2.0);
            p.rotate(dot * 360.0 / kFrames);
            p.setBrush(color);
            p.drawEllipse(QRectF(-7, -44, 14, 14));
            p.restore();
        }
        frames << frame;
    }
    return GifWriter::encode(frames, palette, 8);
}

namespace {
// The buttons of the mouse seen from above, in button-number order, on a 260 x 360 picture.
QPainterPath topButtonShape(int button) {
    QPainterPath path;
    switch (button) {
    case 0: // left
        path.moveTo(128, 40);
        path.cubicTo(80, 40, 52, 80, 50, 150);
        path.lineTo(120, 160);
        path.lineTo(120, 40);
        break;
    case 1: // right
        path.moveTo(132, 40);
        path.cubicTo(180, 40, 208, 80, 210, 150);
        path.lineTo(140, 160);
        path.lineTo(140, 40);
        break;
    case 2: // wheel
        path.addRoundedRect(QRectF(122, 64, 16, 40), 8, 8);
        break;
    case 3: // back, on the left flank
        path.addRoundedRect(QRectF(40, 196, 10, 34), 4, 4);
        break;
    case 4: // forward
        path.addRoundedRect(QRectF(40, 156, 10, 34), 4, 4);
        break;
    case 5: // DPI +
        path.addRoundedRect(QRectF(123, 114, 14, 14), 3, 3);
        break;
    case 6: // DPI -
        path.addRoundedRect(QRectF(123, 132, 14, 14), 3, 3);
        break;
    default:
        break;
    }
    return path;
}

QPainterPath mouseBody() {
    QPainterPath body;
    body.moveTo(130, 30);
    body.cubicTo(60, 30, 40, 110, 44, 190);
    body.cubicTo(46, 280, 80, 336, 130, 336);
    body.cubicTo(180, 336, 214, 280, 216, 190);
    body.cubicTo(220, 110, 200, 30, 130, 30);
    return body;
}
} // namespace

QImage SkinPainter::mouseTop(int highlight) const {
    QImage image = blank(260, 360);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shell(0, 30, 0, 336);
    shell.setColorAt(0, QColor(58, 58, 66));
    shell.setColorAt(1, QColor(30, 30, 36));
    p.setPen(QPen(kLine.lighter(130), 2));
    p.setBrush(shell);
    p.drawPath(mouseBody());
    for (int button = 0; button < 7; ++button) {
        const bool lit = button == highlight;
        p.setPen(QPen(lit ? kAccent : kLine.lighter(150), lit ? 2.5 : 1.2));
        p.setBrush(lit ? QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 110) : QColor(44, 44, 52));
        p.drawPath(topButtonShape(button));
    }
    // The light strip at the back of the shell.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 160));
    p.drawRoundedRect(QRectF(100, 300, 60, 6), 3, 3);
    return image;
}

QImage SkinPainter::mouseSide() const {
    QImage image = blank(360, 200);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath side;
    side.moveTo(20, 150);
    side.cubicTo(30, 60, 140, 30, 230, 50);
    side.cubicTo(300, 64, 340, 110, 340, 150);
    side.closeSubpath();
    p.setPen(QPen(kLine.lighter(130), 2));
    p.setBrush(QColor(44, 44, 52));
    p.drawPath(side);
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(120, 80, 40, 14), 5, 5);
    p.drawRoundedRect(QRectF(168, 80, 40, 14), 5, 5);
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(24, 150), QPointF(336, 150));
    return image;
}

QImage SkinPainter::receiver() const {
    QImage image = blank(60, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kText.darker(130));
    p.drawRect(QRectF(2, 9, 18, 12));
    p.setBrush(kPanel.lighter(180));
    p.drawRoundedRect(QRectF(20, 5, 36, 20), 4, 4);
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(46, 12, 6, 6));
    return image;
}

QImage SkinPainter::lightning() const {
    QImage image = blank(20, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 40));
    p.drawPolygon(QPolygonF(
        {QPointF(12, 1), QPointF(3, 17), QPointF(10, 17), QPointF(7, 29), QPointF(17, 11), QPointF(10, 11)}));
    return image;
}

QImage SkinPainter::mouseLogo() const {
    QImage image = blank(120, 28);
    QPainter p(&image);
    p.setPen(kAccent);
    QFont font("DejaVu Sans", 13, QFont::Black);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(font);
    p.drawText(area(image), Qt::AlignCenter, "M7");
    return image;
}

QImage SkinPainter::wheelArrow(bool up, bool lit, bool round) const {
    QImage image = blank(24, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(lit ? kAccent : kLine.lighter(160), 1.5));
    p.setBrush(lit ? kAccent.darker(200) : kPanel);
    if (round)
        p.drawEllipse(QRectF(1, 1, 22, 22));
    else
        p.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? kAccent : kText);
    if (up)
        p.drawPolygon(QPolygonF({QPointF(12, 6), QPointF(18, 15), QPointF(6, 15)}));
    else
        p.drawPolygon(QPolygonF({QPointF(12, 18), QPointF(18, 9), QPointF(6, 9)}));
    return image;
}

QImage SkinPainter::profileIcon(const QString &kind, bool lit) const {
    // The list operations carry their text, drawn by the button, to the right of the glyph.
    const bool wide = kind == "add" || kind == "del" || kind == "copy" || kind == "reset";
    QImage image = blank(wide ? 118 : 28, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(lit ? kAccent : kLine.lighter(120), 1.2));
    p.setBrush(lit ? kPanel.lighter(150) : kPanel.lighter(120));
    p.drawRoundedRect(QRectF(1, 1, area(image).width() - 2, 26), 4, 4);
    p.setPen(QPen(lit ? kAccent : kText, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (kind == "add") {
        p.drawLine(QPointF(14, 8), QPointF(14, 20));
        p.drawLine(QPointF(8, 14), QPointF(20, 14));
    } else if (kind == "del") {
        p.drawLine(QPointF(8, 14), QPointF(20, 14));
    } else if (kind == "copy") {
        p.drawRect(QRectF(7, 10, 10, 11));
        p.drawPolyline(QPolygonF({QPointF(11, 7), QPointF(21, 7), QPointF(21, 17)}));
    } else if (kind == "reset") {
        p.drawArc(QRectF(8, 8, 12, 12), 60 * 16, 280 * 16);
        p.drawLine(QPointF(18, 6), QPointF(19, 10));
        p.drawLine(QPointF(19, 10), QPointF(15, 11));
    } else if (kind == "export") { // arrow out of a tray
        p.drawLine(QPointF(14, 18), QPointF(14, 6));
        p.drawPolyline(QPolygonF({QPointF(10, 10), QPointF(14, 6), QPointF(18, 10)}));
        p.drawPolyline(QPolygonF({QPointF(7, 16), QPointF(7, 21), QPointF(21, 21), QPointF(21, 16)}));
    } else if (kind == "import") { // arrow into a tray
        p.drawLine(QPointF(14, 6), QPointF(14, 17));
        p.drawPolyline(QPolygonF({QPointF(10, 13), QPointF(14, 17), QPointF(18, 13)}));
        p.drawPolyline(QPolygonF({QPointF(7, 16), QPointF(7, 21), QPointF(21, 21), QPointF(21, 16)}));
    } else if (kind == "link") { // two links of a chain
        p.translate(14, 14);
        p.rotate(-45);
        p.drawRoundedRect(QRectF(-8.5, -3, 10, 6), 3, 3);
        p.drawRoundedRect(QRectF(-1.5, -3, 10, 6), 3, 3);
    } else if (kind == "apply") { // drop-down
        p.drawPolyline(QPolygonF({QPointF(9, 12), QPointF(14, 17), QPointF(19, 12)}));
    }
    return image;
}

QImage SkinPainter::radioMark(bool on) const {
    QImage image = blank(18, 18);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(on ? kAccent : kLine.lighter(160), 1.5));
    p.setBrush(kBackground);
    p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(5, 5, 8, 8));
    }
    return image;
}

QImage SkinPainter::checkBox(bool checked) const {
    QImage image = blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(checked ? kAccent : kLine.lighter(160), 1.2));
    p.setBrush(kBackground);
    p.drawRoundedRect(QRectF(1, 1, 14, 14), 2.5, 2.5);
    if (checked) {
        p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4, 8.5), QPointF(7, 11.5), QPointF(12.5, 4.5)}));
    }
    return image;
}

QImage SkinPainter::ratePanel() const {
    QImage image = blank(204, 104);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLine, 1));
    p.setBrush(kPanel);
    p.drawRoundedRect(QRectF(0.5, 0.5, 203, 103), 6, 6);
    return image;
}

bool SkinPainter::paintMainWindowParts() {
    bool ok = true;
    const QString mouseDir = "mouse/" + m_product;
    if (!QDir().mkpath(m_dir + "/" + mouseDir))
        return false;
    ok = save(mouseTop(-1), mouseDir + "/Mouse.png") && ok;
    for (int label = 0; label < 20; ++label)
        ok = save(mouseTop(label), mouseDir + QString("/mouse_%1.png").arg(label + 1)) && ok;
    ok = save(mouseSide(), "mouse/" + m_product + "_Side.png") && ok;
    ok = save(receiver(), "dongle.png") && ok;
    ok = save(lightning(), "lightning.png") && ok;
    ok = save(mouseLogo(), "mouselogo.png") && ok;
    ok = save(wheelArrow(true, false), "btn_up2.png") && ok;
    ok = save(wheelArrow(true, true), "btn_up1.png") && ok;
    ok = save(wheelArrow(false, false), "btn_down2.png") && ok;
    ok = save(wheelArrow(false, true), "btn_down1.png") && ok;
    ok = save(wheelArrow(true, false, false), "btn_up4.png") && ok;
    ok = save(wheelArrow(true, true, false), "btn_up3.png") && ok;
    ok = save(wheelArrow(false, false, false), "btn_down4.png") && ok;
    ok = save(wheelArrow(false, true, false), "btn_down3.png") && ok;
    for (const char *kind : {"add", "del", "copy", "reset", "export", "import", "link"}) {
        ok = save(profileIcon(kind, false), QString("profile_%1%2.png").arg(kind).arg(1)) && ok;
        ok = save(profileIcon(kind, true), QString("profile_%1%2.png").arg(kind).arg(2)) && ok;
    }
    ok = save(profileIcon("apply", false), "profile_apply1.png") && ok;
    const QImage selector =
        tabButton(0).scaled(QSize(120, 24) * g_ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ok = save(selector, "profilesel.png") && ok;
    ok = save(radioMark(false), "DPI-OFF.png") && ok;
    ok = save(radioMark(true), "DPI-ON.png") && ok;
    ok = save(checkBox(false), "checkbox1-1.png") && ok;
    ok = save(checkBox(true), "checkbox1-2.png") && ok;
    ok = save(ratePanel(), "rate.png") && ok;
    return ok;
}
