#pragma once

#include <QImage>

class SkinPainter;

// Paints the skin images of the macro page and of the gun set dialog, in the colours and with the helpers
// of the rest of the skin.
class MacroSkinPainter {
public:
    explicit MacroSkinPainter(SkinPainter &skin);

    // Writes every image through the skin painter; false when one cannot be written.
    bool paintAll();

private:
    // The gun set dialog: the track behind a bullet row, the bullet beside it and the mark of the chosen
    // bullet count in its menu.
    QImage bulletTrack() const;
    QImage bullet() const;
    QImage chosenMark() const;
    // The macro page: an entry of the mouse-command tree in one of its looks and the arrow that points
    // its way (degrees clockwise from pointing right).
    QImage commandItem(int look) const;
    QImage directionArrow(int degrees, int look) const;
    // The icons of the step list: a key, a press or release, a pointer move and a delay.
    QImage keyCap() const;
    QImage pressArrow(bool down) const;
    QImage mouseMove() const;
    QImage clock() const;
    // The macro list's NEW (plus) and DELETE (minus) buttons.
    QImage listButton(bool add) const;

    SkinPainter &m_skin;
};
