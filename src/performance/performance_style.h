#pragma once

#include <QString>

// Style sheets of the DPI page's controls at a display scale factor. The check box and radio pictures
// come from the skin; while the skin lacks them the controls are painted plainly instead, so they stay
// visible and usable.
namespace performancestyle {

// A horizontal slider: the part left of the handle in the accent colour, the rest grey.
QString slider(double factor);
// The active-stage radio buttons: "DPI-OFF.png" unchecked, "DPI-ON.png" checked and under the pointer.
QString stageRadio(double factor);

} // namespace performancestyle
