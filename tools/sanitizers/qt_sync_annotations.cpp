// Linked into every program of a ThreadSanitizer build (KORVANE_SANITIZE=thread), never into others.
//
// The system's Qt is not built with ThreadSanitizer, so the synchronisation its QMutex, QWaitCondition
// and QThread provide happens out of the sanitizer's sight, and every access the program guards with
// them would look like a race. The linker (--wrap, see CMakeLists.txt) sends the program's calls of
// those functions here; each wrapper calls the real Qt function and tells the sanitizer what it did:
// which mutex was taken or given back, which wake-up a waiter saw, that a joined thread's work is done,
// and what a call posted to another thread's event loop saw and gave back. Qt's internal uses stay out
// of sight; only the program's own synchronisation is described.
#include <QMetaObject>
#include <QMutex>
#include <QThread>
#include <QVariant>
#include <QWaitCondition>
#include <sanitizer/tsan_interface.h>

extern "C" {
void __real__ZN6QMutex4lockEv(QMutex *mutex);
bool __real__ZN6QMutex7tryLockEi(QMutex *mutex, int timeout);
void __real__ZN6QMutex6unlockEv(QMutex *mutex);
void __real__ZN6QMutexD1Ev(QMutex *mutex);
void __real__ZN6QMutexD2Ev(QMutex *mutex);
void __real__ZN11QBasicMutex12lockInternalEv(QBasicMutex *mutex);
bool __real__ZN11QBasicMutex12lockInternalEi(QBasicMutex *mutex, int timeout);
void __real__ZN11QBasicMutex14unlockInternalEv(QBasicMutex *mutex);
bool __real__ZN14QWaitCondition4waitEP6QMutex14QDeadlineTimer(QWaitCondition *condition, QMutex *mutex,
                                                              QDeadlineTimer deadline);
bool __real__ZN14QWaitCondition4waitEP6QMutexm(QWaitCondition *condition, QMutex *mutex, unsigned long time);
void __real__ZN14QWaitCondition7wakeOneEv(QWaitCondition *condition);
void __real__ZN14QWaitCondition7wakeAllEv(QWaitCondition *condition);
void __real__ZN7QThread5startENS_8PriorityE(QThread *thread, QThread::Priority priority);
bool __real__ZN7QThread4waitE14QDeadlineTimer(QThread *thread, QDeadlineTimer deadline);
bool __real__ZN7QThread4waitEm(QThread *thread, unsigned long time);
bool __real__ZNK7QThread10isFinishedEv(const QThread *thread);
bool __real__ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv(
    QObject *object, QtPrivate::QSlotObjectBase *slot, Qt::ConnectionType type, void *ret);
}

namespace {

unsigned mutexFlags(QMutex *mutex) {
    return mutex->isRecursive() ? __tsan_mutex_write_reentrant : 0;
}

void beforeUnlock(QMutex *mutex) {
    __tsan_mutex_pre_unlock(mutex, mutexFlags(mutex));
}

void afterUnlock(QMutex *mutex) {
    __tsan_mutex_post_unlock(mutex, mutexFlags(mutex));
}

void beforeLock(QMutex *mutex, unsigned extra = 0) {
    __tsan_mutex_pre_lock(mutex, mutexFlags(mutex) | extra);
}

void afterLock(QMutex *mutex, bool taken, unsigned extra = 0) {
    __tsan_mutex_post_lock(mutex, mutexFlags(mutex) | extra | (taken ? 0 : __tsan_mutex_try_lock_failed), 0);
}

// A thread's work is published when it emits finished() on its own thread, just before QThread marks
// it finished; wait() and isFinished() reporting the end take it up.
const char *const kPublishesEnd = "korvaneSanitizerPublishesEnd";

void publishEndOnFinish(QThread *thread) {
    if (thread->property(kPublishesEnd).toBool())
        return;
    thread->setProperty(kPublishesEnd, true);
    QObject::connect(
        thread, &QThread::finished, thread, [thread] { __tsan_release(thread); }, Qt::DirectConnection);
}

// A functor handed to QMetaObject::invokeMethod: the call sees what the caller did before posting it, and
// a blocking caller sees what the call did once it returns (Qt hands both over through its own queue
// and semaphore).
class PublishingSlot : public QtPrivate::QSlotObjectBase {
public:
    PublishingSlot(QtPrivate::QSlotObjectBase *inner, void *returnKey)
        : QSlotObjectBase(&impl), m_inner(inner), m_returnKey(returnKey) {}

private:
    static void impl(int which, QSlotObjectBase *base, QObject *receiver, void **args, bool *ret) {
        auto *self = static_cast<PublishingSlot *>(base);
        switch (which) {
        case Destroy:
            self->m_inner->destroyIfLastRef();
            delete self;
            break;
        case Call:
            __tsan_acquire(self);
            self->m_inner->call(receiver, args);
            if (self->m_returnKey)
                __tsan_release(self->m_returnKey);
            break;
        case Compare:
            if (ret)
                *ret = self->m_inner->compare(args);
            break;
        }
    }

    QtPrivate::QSlotObjectBase *m_inner;
    void *m_returnKey;
};

} // namespace

extern "C" {

void __wrap__ZN6QMutex4lockEv(QMutex *mutex) {
    beforeLock(mutex);
    __real__ZN6QMutex4lockEv(mutex);
    afterLock(mutex, true);
}

bool __wrap__ZN6QMutex7tryLockEi(QMutex *mutex, int timeout) {
    beforeLock(mutex, __tsan_mutex_try_lock);
    const bool taken = __real__ZN6QMutex7tryLockEi(mutex, timeout);
    afterLock(mutex, taken, __tsan_mutex_try_lock);
    return taken;
}

void __wrap__ZN6QMutex6unlockEv(QMutex *mutex) {
    beforeUnlock(mutex);
    __real__ZN6QMutex6unlockEv(mutex);
    afterUnlock(mutex);
}

void __wrap__ZN6QMutexD1Ev(QMutex *mutex) {
    __tsan_mutex_destroy(mutex, 0);
    __real__ZN6QMutexD1Ev(mutex);
}

void __wrap__ZN6QMutexD2Ev(QMutex *mutex) {
    __tsan_mutex_destroy(mutex, 0);
    __real__ZN6QMutexD2Ev(mutex);
}

// A QBasicMutex's uncontended path is inline, so the sanitizer sees its atomic operations; only the
// contended path in Qt needs its acquire and release described.
void __wrap__ZN11QBasicMutex12lockInternalEv(QBasicMutex *mutex) {
    __real__ZN11QBasicMutex12lockInternalEv(mutex);
    __tsan_acquire(mutex);
}

bool __wrap__ZN11QBasicMutex12lockInternalEi(QBasicMutex *mutex, int timeout) {
    const bool taken = __real__ZN11QBasicMutex12lockInternalEi(mutex, timeout);
    if (taken)
        __tsan_acquire(mutex);
    return taken;
}

void __wrap__ZN11QBasicMutex14unlockInternalEv(QBasicMutex *mutex) {
    __tsan_release(mutex);
    __real__ZN11QBasicMutex14unlockInternalEv(mutex);
}

// Waiting gives the mutex back and takes it again before returning; a wake-up publishes the waker's work.
bool __wrap__ZN14QWaitCondition4waitEP6QMutex14QDeadlineTimer(QWaitCondition *condition, QMutex *mutex,
                                                              QDeadlineTimer deadline) {
    beforeUnlock(mutex);
    afterUnlock(mutex);
    const bool woken = __real__ZN14QWaitCondition4waitEP6QMutex14QDeadlineTimer(condition, mutex, deadline);
    beforeLock(mutex);
    afterLock(mutex, true);
    __tsan_acquire(condition);
    return woken;
}

bool __wrap__ZN14QWaitCondition4waitEP6QMutexm(QWaitCondition *condition, QMutex *mutex, unsigned long time) {
    beforeUnlock(mutex);
    afterUnlock(mutex);
    const bool woken = __real__ZN14QWaitCondition4waitEP6QMutexm(condition, mutex, time);
    beforeLock(mutex);
    afterLock(mutex, true);
    __tsan_acquire(condition);
    return woken;
}

void __wrap__ZN14QWaitCondition7wakeOneEv(QWaitCondition *condition) {
    __tsan_release(condition);
    __real__ZN14QWaitCondition7wakeOneEv(condition);
}

void __wrap__ZN14QWaitCondition7wakeAllEv(QWaitCondition *condition) {
    __tsan_release(condition);
    __real__ZN14QWaitCondition7wakeAllEv(condition);
}

void __wrap__ZN7QThread5startENS_8PriorityE(QThread *thread, QThread::Priority priority) {
    publishEndOnFinish(thread);
    __real__ZN7QThread5startENS_8PriorityE(thread, priority);
}

bool __wrap__ZN7QThread4waitE14QDeadlineTimer(QThread *thread, QDeadlineTimer deadline) {
    const bool ended = __real__ZN7QThread4waitE14QDeadlineTimer(thread, deadline);
    if (ended)
        __tsan_acquire(thread);
    return ended;
}

bool __wrap__ZN7QThread4waitEm(QThread *thread, unsigned long time) {
    const bool ended = __real__ZN7QThread4waitEm(thread, time);
    if (ended)
        __tsan_acquire(thread);
    return ended;
}

bool __wrap__ZNK7QThread10isFinishedEv(const QThread *thread) {
    const bool finished = __real__ZNK7QThread10isFinishedEv(thread);
    if (finished)
        __tsan_acquire(const_cast<QThread *>(thread));
    return finished;
}

bool __wrap__ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv(
    QObject *object, QtPrivate::QSlotObjectBase *slot, Qt::ConnectionType type, void *ret) {
    char returnKey = 0;
    const bool blocking = type == Qt::BlockingQueuedConnection;
    auto *publishing = new PublishingSlot(slot, blocking ? &returnKey : nullptr);
    __tsan_release(publishing);
    const bool invoked =
        __real__ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv(
            object, publishing, type, ret);
    if (blocking)
        __tsan_acquire(&returnKey);
    return invoked;
}
}
