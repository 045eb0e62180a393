#pragma once

// What one arrival or removal did to one table entry; the main window decides from it whether to
// refresh, reopen or warn.
struct HotplugChange {
    int entry = 0;
    int connection = 0;
    bool isNew = false;              // a present flag went from 0 to 1
    bool connectionComplete = false; // both collections of the connection are present
    bool connectionPresent = false;  // at least one collection of the connection is present
    bool entryEmpty = false;         // all four present flags are 0
};
