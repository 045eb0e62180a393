#include "storage/program_version.h"

namespace program {
QString version() {
    return QStringLiteral(KORVANE_VERSION);
}
} // namespace program
