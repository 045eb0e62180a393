#include "device/link_hooks.h"

#include <QThread>

namespace devicelink {
namespace {
PauseFunction g_pause;
TraceHook g_trace;
} // namespace

void setPauseFunction(PauseFunction pause) {
    g_pause = std::move(pause);
}

void pause(int milliseconds) {
    if (g_pause)
        g_pause(milliseconds);
    else if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void setTraceHook(TraceHook hook) {
    g_trace = std::move(hook);
}

void trace(const QString &text) {
    if (g_trace)
        g_trace(text);
}

} // namespace devicelink
