#pragma once

#include <array>
#include <cstdint>

// One of the sensors' register tables: the register value for each slider position of one DPI range.
struct RegisterTable {
    char name;             // 'A' to 'M', as the encodings name them
    int first;             // slider position of values[0]
    const uint8_t *values; // rising with the position
    int count;

    int last() const { return first + count - 1; }
    // Positions outside the table take its nearest row.
    uint8_t at(int position) const;
    // The highest position holding value (position 0 and 1 can share a row); -1 when no row does.
    int positionOf(uint8_t value) const;
};

// The twelve tables A to M (no I), in that order.
const std::array<RegisterTable, 12> &registerTables();
// The table of that name; table A for a name no table has.
const RegisterTable &registerTable(char name);

// Bytes 9 to 12 of a DPI stage report for slider positions x and y: x's value and range (or low and
// high byte), then y's, except where a sensor orders them otherwise. capability is the byte the mouse
// last reported in its battery report. An unknown sensor gives four zeros.
using StageDpiBytes = std::array<uint8_t, 4>;
StageDpiBytes encodeStageDpi(int sensorId, int x, int y, uint8_t capability);
