#pragma once

#include <QColor>
#include <QString>

// The interface accent colours an installation can choose ("Config/GColorID"): red, green, blue, beige,
// magenta, cyan, orange. Used for the battery bar, the mouse list and the on-screen display.
class AccentColor {
public:
    static constexpr int kCount = 7;
    // An index outside the table gives the first colour.
    static QColor of(int index);
    // The colour of the installation's configuration.
    static QColor current();
    // Style of the pages' horizontal sliders: the groove filled up to the handle in the accent colour.
    static QString sliderStyle(double factor);
    // Style of the skinned dialogs' tool buttons (OK, No and their kin): black, white text, an accent border.
    static QString dialogButtonStyle();
    // Style of the pages' check boxes: the skin's "checkbox1-1.png" unchecked and "checkbox1-2.png" checked,
    // drawn plainly while the skin lacks them.
    static QString checkBoxStyle(double factor);
};
