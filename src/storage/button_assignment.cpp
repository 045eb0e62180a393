#include "storage/button_assignment.h"

bool ButtonAssignment::operator==(const ButtonAssignment &other) const {
    return id == other.id && function == other.function && loopNumber == other.loopNumber &&
           keyNumber == other.keyNumber && keys == other.keys && res1 == other.res1 && res2 == other.res2 &&
           res3 == other.res3 && res4 == other.res4 && macroName == other.macroName;
}
