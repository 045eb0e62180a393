#pragma once

#include <cstdint>

// Sensor register value for a DPI slider position, from the constant table named by a letter (A to M,
// no I) that the sensor's DPI encoding uses. 0 for a position the table does not hold.
uint8_t sensorTableValue(char table, int position);
