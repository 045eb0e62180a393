#include "storage/file_name.h"

namespace filename {

bool isSafe(const QString &name) {
    if (name.isEmpty() || name == "." || name == "..")
        return false;
    for (const QChar c : name) {
        if (c == '/' || c == '\\' || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace filename
