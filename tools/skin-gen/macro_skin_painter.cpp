#include "macro_skin_painter.h"

#include "skin_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
// Readies p for a line glyph: smooth edges, a round pen of the colour and width, no fill.
void beginGlyph(QPainter &p, const QColor &color, qreal width) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}
} // namespace

MacroSkinPainter::MacroSkinPainter(SkinPainter &skin) : m_skin(skin) {}

bool MacroSkinPainter::paintAll() {
    bool ok = m_skin.save(m_skin.dialogBackground(520, 420), "dlg_gun.png");
    ok = m_skin.save(bulletTrack(), "gunset_slider.png") && ok;
    ok = m_skin.save(bullet(), "gunset_bullet.png") && ok;
    ok = m_skin.save(chosenMark(), "bulletsel.png") && ok;
    const struct {
        const char *name;
        int degrees;
    } arrows[] = {{"right", 0}, {"down", 90}, {"left", 180}, {"up", 270}};
    for (int look = SkinPainter::kNormalLook; look <= SkinPainter::kPressedLook; ++look) {
        ok = m_skin.save(commandItem(look), QString("insert_mouse_key_%1.png").arg(look + 1)) && ok;
        for (const auto &arrow : arrows)
            ok = m_skin.save(directionArrow(arrow.degrees, look),
                             QString("%1%2.png").arg(arrow.name).arg(look + 1)) &&
                 ok;
    }
    ok = m_skin.save(keyCap(), "keybo.png") && ok;
    ok = m_skin.save(pressArrow(true), "keydown.png") && ok;
    ok = m_skin.save(pressArrow(false), "keyup.png") && ok;
    ok = m_skin.save(mouseMove(), "mouse_move.png") && ok;
    ok = m_skin.save(clock(), "icondelay.png") && ok;
    ok = m_skin.save(listButton(true), "macro_new.png") && ok;
    ok = m_skin.save(listButton(false), "macro_delete.png") && ok;
    return ok;
}

QImage MacroSkinPainter::bulletTrack() const {
    const int w = 440, h = 36;
    QImage image = SkinPainter::blank(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, SkinPainter::kPanel.lighter(118));
    fill.setColorAt(1, SkinPainter::kPanel);
    p.setPen(QPen(SkinPainter::kLine, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(SkinPainter::kAccent);
    p.drawRoundedRect(QRectF(2, 8, 3, h - 16), 1.5, 1.5);
    return image;
}

QImage MacroSkinPainter::bullet() const {
    QImage image = SkinPainter::blank(20, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // The tip, the case and the rim, standing upright.
    QPainterPath tip;
    tip.moveTo(7, 8.5);
    tip.cubicTo(7, 4.5, 8.5, 2, 10, 1);
    tip.cubicTo(11.5, 2, 13, 4.5, 13, 8.5);
    tip.closeSubpath();
    p.setBrush(SkinPainter::kAccent);
    p.drawPath(tip);
    p.setBrush(SkinPainter::kText.darker(115));
    p.drawRect(QRectF(7, 9, 6, 7));
    p.setBrush(SkinPainter::kText.darker(160));
    p.drawRect(QRectF(6, 16, 8, 2.5));
    return image;
}

QImage MacroSkinPainter::chosenMark() const {
    QImage image = SkinPainter::blank(16, 16);
    QPainter p(&image);
    beginGlyph(p, SkinPainter::kAccent, 2.2);
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4.5)}));
    return image;
}

QImage MacroSkinPainter::commandItem(int look) const {
    const int w = 200, h = 28;
    QImage image = SkinPainter::blank(w, h);
    QPainter p(&image);
    QColor fill = SkinPainter::kPanel;
    if (look == SkinPainter::kHoverLook)
        fill = SkinPainter::kPanel.lighter(130);
    else if (look == SkinPainter::kPressedLook)
        fill = SkinPainter::kAccent.darker(190);
    p.fillRect(SkinPainter::area(image), fill);
    p.fillRect(QRect(0, h - 1, w, 1),
               look == SkinPainter::kPressedLook ? SkinPainter::kAccent : SkinPainter::kLine);
    if (look != SkinPainter::kNormalLook)
        p.fillRect(QRect(0, 0, 3, h), SkinPainter::kAccent);
    return image;
}

QImage MacroSkinPainter::directionArrow(int degrees, int look) const {
    QImage image = SkinPainter::blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(8, 8);
    p.rotate(degrees);
    p.setPen(Qt::NoPen);
    QColor glyph = SkinPainter::kText.darker(135);
    if (look == SkinPainter::kHoverLook) {
        p.setBrush(SkinPainter::kLine);
        p.drawEllipse(QRectF(-7.5, -7.5, 15, 15));
        glyph = Qt::white;
    } else if (look == SkinPainter::kPressedLook) {
        p.setBrush(SkinPainter::kAccent.darker(200));
        p.drawEllipse(QRectF(-7.5, -7.5, 15, 15));
        glyph = SkinPainter::kAccent;
    }
    p.setBrush(glyph);
    p.drawPolygon(QPolygonF({QPointF(-2.5, -4.5), QPointF(4, 0), QPointF(-2.5, 4.5)}));
    return image;
}

QImage MacroSkinPainter::keyCap() const {
    // A key cap, a letter on its face.
    QImage image = SkinPainter::blank(20, 20);
    QPainter p(&image);
    beginGlyph(p, SkinPainter::kText, 1.2);
    p.setBrush(SkinPainter::kLine);
    p.drawRoundedRect(QRectF(1.5, 2.5, 17, 15), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(SkinPainter::kPanel.lighter(170));
    p.drawRoundedRect(QRectF(3.5, 4, 13, 10.5), 2, 2);
    p.setPen(SkinPainter::kAccent);
    QFont font("DejaVu Sans");
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(3.5, 4, 13, 10.5), Qt::AlignCenter, "A");
    return image;
}

QImage MacroSkinPainter::pressArrow(bool down) const {
    QImage image = SkinPainter::blank(12, 12);
    QPainter p(&image);
    beginGlyph(p, down ? SkinPainter::kAccent : SkinPainter::kText, 1.6);
    if (!down) {
        p.translate(6, 6);
        p.rotate(180);
        p.translate(-6, -6);
    }
    p.drawLine(QPointF(6, 1.5), QPointF(6, 10));
    p.drawPolyline(QPolygonF({QPointF(2.5, 6.5), QPointF(6, 10), QPointF(9.5, 6.5)}));
    return image;
}

QImage MacroSkinPainter::mouseMove() const {
    QImage image = SkinPainter::blank(20, 20);
    QPainter p(&image);
    beginGlyph(p, SkinPainter::kText, 1.3);
    p.drawRoundedRect(QRectF(5.5, 1.5, 9, 16), 4.5, 4.5);
    p.drawLine(QPointF(10, 1.5), QPointF(10, 7));
    p.drawLine(QPointF(5.5, 7), QPointF(14.5, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(SkinPainter::kAccent);
    p.drawRoundedRect(QRectF(9.1, 3, 1.8, 3), 0.9, 0.9);
    return image;
}

QImage MacroSkinPainter::clock() const {
    QImage image = SkinPainter::blank(20, 20);
    QPainter p(&image);
    beginGlyph(p, SkinPainter::kText, 1.4);
    p.drawEllipse(QRectF(2.5, 2.5, 15, 15));
    p.setPen(QPen(SkinPainter::kAccent, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(10, 5.5));
    p.drawLine(QPointF(10, 10), QPointF(13.5, 11.5));
    return image;
}

QImage MacroSkinPainter::listButton(bool add) const {
    QImage image = SkinPainter::blank(20, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(SkinPainter::kLine.lighter(120), 1));
    p.setBrush(SkinPainter::kPanel.lighter(120));
    p.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 3, 3);
    beginGlyph(p, add ? SkinPainter::kAccent : SkinPainter::kText, 2);
    p.drawLine(QPointF(5.5, 10), QPointF(14.5, 10));
    if (add)
        p.drawLine(QPointF(10, 5.5), QPointF(10, 14.5));
    return image;
}
