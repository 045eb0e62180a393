#pragma once

#include <QString>

namespace filename {

// True when name can be used as the base name of a file inside its folder: not empty, not "." or "..",
// no "/" or "\" and no control characters.
bool isSafe(const QString &name);

} // namespace filename
