#pragma once

struct ProfileData;

namespace fuzz {

// Aborts when a field of a profile record that a reader took as whole lies outside the range its field
// has in the mouse and in the pages: a rate that is no rate code, a stage index or lighting mode the
// profile does not have, a stage value above every sensor's range, a pointer or scroll speed outside
// 1..20, a hue above 360, a brightness above 3, a speed above 5 or a button field beyond 16 bits.
void requireProfileInRange(const ProfileData &profile);

} // namespace fuzz
