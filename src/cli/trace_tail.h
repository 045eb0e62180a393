#pragma once

#include <QStringList>
#include <QtGlobal>

class QIODevice;

// The end of the wire trace for doctor. A trace grows for as long as KORVANE_HID_TRACE stays set (hundreds
// of megabytes after a few days), so only its last bytes are read.
namespace tracetail {

// More than twenty trace lines need (about 130 bytes each), and little enough to read at once.
constexpr qint64 kMaxTailBytes = 64 * 1024;

// The last `count` lines of device (open for reading and seekable), empty lines left out, read from the
// last maxBytes bytes alone. A line cut by the start of those bytes is left out as well.
QStringList lastLines(QIODevice &device, int count, qint64 maxBytes = kMaxTailBytes);

} // namespace tracetail
