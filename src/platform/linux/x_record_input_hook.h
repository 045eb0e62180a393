#pragma once

#include "platform/input_hook.h"

#include <QSemaphore>
#include <atomic>

struct _XDisplay;
class QSocketNotifier;
class QThread;

// System-wide key capture on X11 through the RECORD extension. Two connections of its own: the data
// connection is given to a thread of its own, which blocks in XRecordEnableContext and hands every key
// event, and mouse button event when asked for, to the hook's thread; the control connection (hook's
// thread) creates, disables and frees the recording context and holds the keyboard grab.
class XRecordInputHook : public InputHook {
    Q_OBJECT
public:
    explicit XRecordInputHook(QObject *parent = nullptr);
    ~XRecordInputHook() override;
    XRecordInputHook(const XRecordInputHook &) = delete;
    XRecordInputHook &operator=(const XRecordInputHook &) = delete;

    // Both connections are open and the server has the RECORD extension.
    bool isOpen() const { return m_open; }
    bool start(Mode mode, bool withMouseButtons) override;
    void stop() override;
    bool systemWide() const override { return true; }

private:
    struct Session;
    void record(unsigned long context, unsigned session);
    void receive(int type, unsigned detail, unsigned session);
    void discardGrabbedKeys();

    _XDisplay *m_control = nullptr;
    _XDisplay *m_data = nullptr;
    bool m_open = false;
    unsigned long m_context = 0;
    unsigned m_session = 0; // keys of an earlier session still queued are dropped
    bool m_grabbed = false;
    QThread *m_thread = nullptr;
    QSocketNotifier *m_controlNotifier = nullptr;
    QSemaphore m_ready;                   // released once the recording runs or has failed
    std::atomic<bool> m_recording{false}; // set by the thread before m_ready
};
