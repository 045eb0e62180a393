#include "skin_painter.h"

#include "gif_writer.h"

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
// Looks of a three-image button: normal, hover (or checked), pressed.
enum Look { kNormalLook, kHoverLook, kPressedLook };

QImage blank(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The window outline: a rectangle with cut corners, the lower right one cut deeper.
QPolygonF windowOutline(qreal w, qreal h) {
    const qreal c = 18;
    return QPolygonF({QPointF(c, 0), QPointF(w - c, 0), QPointF(w, c), QPointF(w, h - 2 * c),
                      QPointF(w - 2 * c, h), QPointF(c, h), QPointF(0, h - c), QPointF(0, c)});
}
} // namespace

SkinPainter::SkinPainter(const QString &outputDir) : m_dir(outputDir) {}

bool SkinPainter::save(const QImage &image, const QString &name) {
    const QString path = m_dir + "/" + name;
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
    bool ok = save(mainBackground(), "cfgMainback.png");
    ok = save(appIcon(64), "icon.ico") && ok;
    ok = save(appIcon(256), "icon.png") && ok;
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
    ok = save(dialogBackground(), "dlg.png") && ok;
    ok = save(warningSign(), "warn.png") && ok;
    ok = save(unpluggedReceiver(), "dongle2.png") && ok;
    ok = save(dialogButton(true), "yes_Btn.png") && ok;
    ok = save(dialogButton(false), "no_Btn.png") && ok;
    ok = saveData(loadingAnimation(), "loading.gif") && ok;
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

QImage SkinPainter::dialogBackground() const {
    const int w = 478, h = 309;
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
