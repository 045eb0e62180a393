#include "device/dpi_encoding.h"

#include "device/sensor_dpi.h"

#include <algorithm>

namespace {

// Register values that rise evenly between the sensor's known rows, in proportion to the DPI of each
// position. Each higher range holds a smaller value for the same DPI: half of the range below it (H: two
// thirds of G).
// clang-format off
constexpr int kTableAFirst = 0;
constexpr uint8_t kTableA[] = { // positions 0 to 50
    /*   0 */   0,   2,   4,   6,   9,  11,  13,  15,  18,  20,
    /*  10 */  22,  24,  27,  29,  31,  34,  36,  38,  41,  43,
    /*  20 */  45,  48,  50,  52,  55,  57,  59,  62,  64,  66,
    /*  30 */  69,  71,  73,  75,  78,  80,  82,  85,  87,  89,
    /*  40 */  92,  94,  96,  99, 101, 103, 106, 108, 110, 113,
    /*  50 */ 115,
};

constexpr int kTableBFirst = 51;
constexpr uint8_t kTableB[] = { // positions 51 to 75
    /*  51 */  59,  61,  64,  66,  68,  71,  73,  75,  78,  80,
    /*  61 */  82,  85,  87,  89,  92,  94,  96,  99, 101, 103,
    /*  71 */ 106, 108, 110, 113, 115,
};

constexpr int kTableCFirst = 76;
constexpr uint8_t kTableC[] = { // positions 76 to 100
    /*  76 */  59,  61,  64,  66,  68,  71,  73,  75,  78,  80,
    /*  86 */  82,  85,  87,  89,  92,  94,  96,  99, 101, 103,
    /*  96 */ 106, 108, 110, 113, 115,
};

constexpr int kTableDFirst = 0;
constexpr uint8_t kTableD[] = { // positions 0 to 120
    /*   0 */   0,   0,   2,   3,   4,   6,   7,   8,   9,  10,
    /*  10 */  12,  13,  14,  15,  16,  18,  19,  20,  21,  22,
    /*  20 */  24,  25,  26,  27,  28,  29,  31,  32,  33,  34,
    /*  30 */  35,  37,  38,  39,  40,  41,  43,  44,  45,  46,
    /*  40 */  47,  49,  50,  51,  52,  53,  55,  56,  57,  58,
    /*  50 */  59,  61,  62,  63,  64,  65,  67,  68,  69,  70,
    /*  60 */  71,  73,  74,  75,  76,  77,  78,  80,  81,  82,
    /*  70 */  83,  84,  86,  87,  88,  89,  90,  92,  93,  94,
    /*  80 */  95,  96,  98,  99, 100, 101, 102, 104, 105, 106,
    /*  90 */ 107, 108, 110, 111, 112, 113, 114, 116, 117, 118,
    /* 100 */ 119, 120, 121, 123, 124, 125, 126, 127, 129, 130,
    /* 110 */ 131, 132, 133, 135, 136, 137, 138, 139, 141, 142,
    /* 120 */ 143,
};

constexpr int kTableEFirst = 121;
constexpr uint8_t kTableE[] = { // positions 121 to 180
    /* 121 */  72,  73,  74,  76,  77,  78,  79,  80,  82,  83,
    /* 131 */  84,  85,  86,  88,  89,  90,  91,  92,  94,  95,
    /* 141 */  96,  97,  98,  99, 101, 102, 103, 104, 105, 107,
    /* 151 */ 108, 109, 110, 111, 113, 114, 115, 116, 117, 119,
    /* 161 */ 120, 121, 122, 123, 125, 126, 127, 128, 129, 131,
    /* 171 */ 132, 133, 134, 135, 137, 138, 139, 140, 141, 143,
};

constexpr int kTableFFirst = 0;
constexpr uint8_t kTableF[] = { // positions 0 to 61
    /*   0 */   2,   4,   6,   9,  11,  13,  15,  18,  20,  22,
    /*  10 */  24,  27,  29,  31,  33,  36,  38,  40,  43,  45,
    /*  20 */  47,  49,  52,  54,  56,  58,  61,  63,  65,  67,
    /*  30 */  70,  72,  74,  77,  79,  81,  83,  86,  88,  90,
    /*  40 */  92,  95,  97,  99, 101, 104, 106, 108, 111, 113,
    /*  50 */ 115, 117, 120, 122, 124, 126, 129, 131, 133, 135,
    /*  60 */ 138, 140,
};

constexpr int kTableGFirst = 62;
constexpr uint8_t kTableG[] = { // positions 62 to 92
    /*  62 */  72,  74,  77,  79,  81,  83,  86,  88,  90,  92,
    /*  72 */  95,  97,  99, 101, 104, 106, 108, 111, 113, 115,
    /*  82 */ 117, 120, 122, 124, 126, 129, 131, 133, 135, 138,
    /*  92 */ 140,
};

constexpr int kTableHFirst = 93;
constexpr uint8_t kTableH[] = { // positions 93 to 106
    /*  93 */  95,  97, 100, 102, 104, 106, 109, 111, 113, 115,
    /* 103 */ 118, 120, 122, 124,
};

constexpr int kTableJFirst = 0;
constexpr uint8_t kTableJ[] = { // positions 0 to 79
    /*   0 */   0,   2,   4,   6,   9,  11,  13,  16,  18,  20,
    /*  10 */  23,  25,  28,  30,  32,  35,  37,  39,  42,  44,
    /*  20 */  46,  49,  51,  53,  56,  58,  60,  63,  65,  67,
    /*  30 */  70,  72,  75,  77,  79,  82,  84,  86,  89,  91,
    /*  40 */  93,  96,  98, 100, 103, 105, 107, 110, 112, 114,
    /*  50 */ 117, 119, 122, 124, 126, 129, 131, 133, 136, 138,
    /*  60 */ 140, 143, 145, 147, 150, 152, 154, 157, 159, 161,
    /*  70 */ 164, 166, 169, 171, 173, 176, 178, 180, 183, 185,
};

constexpr int kTableKFirst = 80;
constexpr uint8_t kTableK[] = { // positions 80 to 120
    /*  80 */  93,  95,  98, 100, 102, 105, 107, 109, 112, 114,
    /*  90 */ 117, 119, 121, 124, 126, 128, 131, 133, 135, 138,
    /* 100 */ 140, 142, 145, 147, 149, 152, 154, 156, 159, 161,
    /* 110 */ 164, 166, 168, 171, 173, 175, 178, 180, 182, 185,
    /* 120 */ 187,
};

constexpr int kTableLFirst = 0;
constexpr uint8_t kTableL[] = { // positions 0 to 160
    /*   0 */   0,   0,   1,   2,   4,   5,   6,   7,   8,   9,
    /*  10 */  11,  12,  13,  14,  15,  17,  18,  19,  20,  21,
    /*  20 */  22,  24,  25,  26,  27,  28,  30,  31,  32,  33,
    /*  30 */  34,  35,  37,  38,  39,  40,  41,  43,  44,  45,
    /*  40 */  46,  47,  48,  50,  51,  52,  53,  54,  56,  57,
    /*  50 */  58,  59,  60,  61,  63,  64,  65,  66,  67,  69,
    /*  60 */  70,  71,  72,  73,  74,  76,  77,  78,  79,  80,
    /*  70 */  82,  83,  84,  85,  86,  87,  89,  90,  91,  92,
    /*  80 */  93,  95,  96,  97,  98,  99, 101, 102, 103, 104,
    /*  90 */ 105, 106, 108, 109, 110, 111, 112, 114, 115, 116,
    /* 100 */ 117, 118, 119, 121, 122, 123, 124, 125, 127, 128,
    /* 110 */ 129, 130, 131, 132, 134, 135, 136, 137, 138, 140,
    /* 120 */ 141, 142, 143, 144, 145, 147, 148, 149, 150, 151,
    /* 130 */ 153, 154, 155, 156, 157, 158, 160, 161, 162, 163,
    /* 140 */ 164, 166, 167, 168, 169, 170, 171, 173, 174, 175,
    /* 150 */ 176, 177, 179, 180, 181, 182, 183, 184, 186, 187,
    /* 160 */ 188,
};

constexpr int kTableMFirst = 161;
constexpr uint8_t kTableM[] = { // positions 161 to 240
    /* 161 */  96,  97,  98, 100, 101, 102, 103, 104, 105, 107,
    /* 171 */ 108, 109, 110, 111, 113, 114, 115, 116, 117, 118,
    /* 181 */ 120, 121, 122, 123, 124, 126, 127, 128, 129, 130,
    /* 191 */ 131, 133, 134, 135, 136, 137, 139, 140, 141, 142,
    /* 201 */ 143, 144, 146, 147, 148, 149, 150, 152, 153, 154,
    /* 211 */ 155, 156, 157, 159, 160, 161, 162, 163, 165, 166,
    /* 221 */ 167, 168, 169, 170, 172, 173, 174, 175, 176, 178,
    /* 231 */ 179, 180, 181, 182, 183, 185, 186, 187, 188, 189,
};
// clang-format on

template <std::size_t N> constexpr RegisterTable table(char name, int first, const uint8_t (&values)[N]) {
    return RegisterTable{name, first, values, static_cast<int>(N)};
}

constexpr std::array<RegisterTable, 12> kTables = {
    table('A', kTableAFirst, kTableA), table('B', kTableBFirst, kTableB), table('C', kTableCFirst, kTableC),
    table('D', kTableDFirst, kTableD), table('E', kTableEFirst, kTableE), table('F', kTableFFirst, kTableF),
    table('G', kTableGFirst, kTableG), table('H', kTableHFirst, kTableH), table('J', kTableJFirst, kTableJ),
    table('K', kTableKFirst, kTableK), table('L', kTableLFirst, kTableL), table('M', kTableMFirst, kTableM),
};

// One axis as the mouse takes it: a register value and the range it belongs to (for 3389, 3395 and
// 33952 the low and high byte of the position).
struct Axis {
    uint8_t value = 0;
    uint8_t range = 0;
};

Axis fromTable(char name, int v, uint8_t range) {
    return {registerTable(name).at(v), range};
}

Axis sixteenBits(int v) {
    return {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF)};
}

// Above the sensor's direct range the mouse takes the position less an offset, flagged by bit 0x80.
Axis offsetWithFlag(int v, int offset) {
    const int w = v - offset;
    return {static_cast<uint8_t>(w & 0xFF), static_cast<uint8_t>(((w >> 8) | 0x80) & 0xFF)};
}

Axis plain(int value, uint8_t range) {
    return {static_cast<uint8_t>(value & 0xFF), range};
}

constexpr uint8_t kCapabilityLimited = 8;
constexpr int kLimitedPosition = 399;

Axis encodeAxis(int sensorId, int v, bool isY, uint8_t capability) {
    switch (sensorId) {
    case sensor::k3325:
    case sensor::k33252:
        if (v <= 50)
            return fromTable('A', v, 0);
        return v <= 75 ? fromTable('B', v, 1) : fromTable('C', v, 2);
    case sensor::k301:
        return plain((5 * v + 1) / 2, v > 102 ? 0x80 : 0);
    case sensor::k3311:
    case sensor::k33112:
        return v <= 120 ? fromTable('D', v, 0) : fromTable('E', v, 1);
    case sensor::k3370:
        return v <= 200 ? plain(v - 1, 0) : plain(v - 101, 1);
    case sensor::k3327:
        if (v <= 61)
            return fromTable('F', v, 0);
        return v <= 92 ? fromTable('G', v, 1) : fromTable('H', v, 4);
    case sensor::k3360:
        return v <= 120 ? plain(v - 1, 0) : plain(v - 61, 1);
    case sensor::k3389:
        return v <= 320 ? sixteenBits(v) : offsetWithFlag(v, 160);
    case sensor::k3212:
        if (v <= 63)
            return plain(v, 0);
        return v <= 94 ? plain(v - 32, 1) : plain(v - 63, 2);
    case sensor::k3104:
    case sensor::k31042:
        return v <= 106 ? plain(v, 0) : plain(v - 53, 1);
    case sensor::k3333:
        return v <= 79 ? fromTable('J', v, 0) : fromTable('K', v, 1);
    case sensor::k3335:
    case sensor::k33352:
        return v <= 160 ? fromTable('L', v, 0) : fromTable('M', v, 1);
    case sensor::k3395:
        return sixteenBits(capability == kCapabilityLimited ? std::min(v, kLimitedPosition) : v);
    case sensor::k33952:
        // The y register takes one position more than x before the offset starts.
        return v < (isY ? 521 : 520) ? sixteenBits(v) : offsetWithFlag(v, 260);
    default:
        return {};
    }
}

} // namespace

uint8_t RegisterTable::at(int position) const {
    return values[std::clamp(position, first, last()) - first];
}

int RegisterTable::positionOf(uint8_t value) const {
    for (int i = count - 1; i >= 0; --i) {
        if (values[i] == value)
            return first + i;
    }
    return -1;
}

const std::array<RegisterTable, 12> &registerTables() {
    return kTables;
}

const RegisterTable &registerTable(char name) {
    for (const RegisterTable &t : kTables) {
        if (t.name == name)
            return t;
    }
    return kTables.front();
}

StageDpiBytes encodeStageDpi(int sensorId, int x, int y, uint8_t capability) {
    switch (sensorId) {
    case sensor::k3104:
    case sensor::k31042: {
        // These sensors take y first.
        const Axis ax = encodeAxis(sensorId, x, false, capability);
        const Axis ay = encodeAxis(sensorId, y, true, capability);
        return {ay.value, ay.range, ax.value, ax.range};
    }
    case sensor::k3335:
    case sensor::k33352: {
        // One resolution for both axes: x's bytes are repeated for y.
        const Axis ax = encodeAxis(sensorId, x, false, capability);
        return {ax.value, ax.range, ax.value, ax.range};
    }
    default: {
        const Axis ax = encodeAxis(sensorId, x, false, capability);
        const Axis ay = encodeAxis(sensorId, y, true, capability);
        return {ax.value, ax.range, ay.value, ay.range};
    }
    }
}
