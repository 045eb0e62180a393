#include "storage/button_matrix.h"

ButtonMatrix &ButtonMatrix::instance() {
    static ButtonMatrix matrix;
    return matrix;
}
