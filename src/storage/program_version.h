#pragma once

#include <QString>

// The program's own version, the project version of CMakeLists.txt. korvane-config and korvanectl print it
// with --version, the window's status row shows it in its version label's tool tip, korvanectl doctor
// reports it and the manual pages carry it.
namespace program {
QString version();
}
