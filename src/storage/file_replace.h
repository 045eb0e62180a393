#pragma once

#include <QString>

// Writing a file the user may already have: the new content goes to a part file beside the target and
// is renamed over it only when complete, so a copy or write that fails leaves the old file as it was.
namespace filereplace {

// The part file written before target is replaced: a hidden name in target's folder.
QString partPath(const QString &target);
// True when both paths name one existing file (links and relative parts resolved).
bool sameFile(const QString &a, const QString &b);
// Copies from over to (made or replaced); the target's folder is made when missing. The copy gets the
// user's normal mode (read-write for the owner, readable by others) whatever from's mode was, so that a
// read-only original does not give a file that can never be saved again. Copying a file onto itself
// succeeds without touching it.
[[nodiscard]] bool copy(const QString &from, const QString &to);
// Empties the part path of to for a new write; false when something there cannot be removed.
[[nodiscard]] bool clearPart(const QString &to);
// Renames the finished part file of to into place; on failure the part file is removed.
[[nodiscard]] bool commitPart(const QString &to);
// Removes what writes cut short by a killed process left in folder and the folders below it: part files
// (".<name>.part") and the temporaries of atomic saves ("<name>.prof.Ab3xYz", likewise for .ini and
// .MSMACRO files). Only regular files; links and anything else are left alone. Call it only while holding
// the single-instance lock, so that no save of another process is in flight. Returns how many it removed.
int removeLeftovers(const QString &folder);
// False when path is a symbolic link whose target lies outside folder (or leads nowhere): writing the
// settings file there would change a file that is not the program's. Any other path is fine.
bool linkStaysInside(const QString &path, const QString &folder);

} // namespace filereplace
