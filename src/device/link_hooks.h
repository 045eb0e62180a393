#pragma once

#include <QString>
#include <functional>

// Seams of the device link that tests replace: the one pause function every fixed wait goes through,
// and the hook that receives the transaction's trace texts. Install them before any device traffic
// starts; they are read, not locked, by the worker threads.
namespace devicelink {

using PauseFunction = std::function<void(int milliseconds)>;
using TraceHook = std::function<void(const QString &text)>;

// An empty function restores the real sleep.
void setPauseFunction(PauseFunction pause);
void pause(int milliseconds);

// The program drops the trace texts; an empty hook restores that.
void setTraceHook(TraceHook hook);
void trace(const QString &text);

} // namespace devicelink
