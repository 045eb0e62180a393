#pragma once

// The names of the running window's session-bus interface, shared by the window that serves it and
// korvanectl that calls it (described in io.github.korvane.KorvaneConfig1.xml).
namespace sessionbus {
constexpr const char *kServiceName = "io.github.korvane.KorvaneConfig";
constexpr const char *kObjectPath = "/io/github/korvane/KorvaneConfig";
constexpr const char *kInterface = "io.github.korvane.KorvaneConfig1";
// The errors a call may end with.
constexpr const char *kBusyError = "io.github.korvane.KorvaneConfig1.Error.Busy";
constexpr const char *kUnknownProfileError = "io.github.korvane.KorvaneConfig1.Error.UnknownProfile";
constexpr const char *kInvalidNameError = "io.github.korvane.KorvaneConfig1.Error.InvalidName";
constexpr const char *kRefusedError = "io.github.korvane.KorvaneConfig1.Error.Refused";
constexpr const char *kUnknownLinkError = "io.github.korvane.KorvaneConfig1.Error.UnknownLink";
constexpr const char *kWriteFailedError = "io.github.korvane.KorvaneConfig1.Error.WriteFailed";
} // namespace sessionbus
