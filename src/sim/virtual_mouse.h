#pragma once

#include "device/command_report.h"
#include "device/hid/hid_backend.h"
#include "platform/device_event.h"

#include <QMutex>
#include <QWaitCondition>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// A model of the mouse's firmware behind HidBackend: a receiver and a cable connection, each with a
// mouse and a command collection. It answers command reports as the mouse does, keeps what it was sent,
// reports battery and status, and fails on demand. Tests, `make run` and benchmarks talk to it when no
// real mouse is used. All members may be called from any thread.
class VirtualMouse : public HidBackend {
public:
    // Linux: one hidraw node per connection carries both collections. Windows: one path per collection.
    enum class PathStyle { Linux, Windows };
    enum class EchoFault { WrongCommand, WrongData, AllZero };
    enum class Direction { Written, Read };
    // What goes wrong at one report of a transaction (see faultAt).
    enum class Fault { Unplug, Silent, WrongEcho, ShortRead, WriteError };

    struct Record {
        Direction direction;
        int connection;
        std::vector<uint8_t> bytes;
    };

    struct Battery {
        uint16_t voltage = 960; // raw value as the mouse sends it: 960 x 990 / 240 = 3960 mV
        uint8_t charging = 0;
        uint8_t status = 1;
        uint8_t capability = 0;
    };

    using EventListener = std::function<void(const DeviceEvent &event)>;

    // Size of each command code's address space (codes 0x01 to 0x0A).
    static constexpr std::size_t kMemorySize = 4096;
    static constexpr uint16_t kKeyboardUsage = 6;
    // Codes 0x01 to 0x0A keep memory, indexed by code.
    static constexpr std::size_t kMemoryCodes = report::kCmdLastDataCompared + 1;
    // Unread reports the kernel keeps per open hidraw handle; new ones are dropped beyond it.
    static constexpr std::size_t kKernelQueueLimit = 64;

    VirtualMouse(uint16_t receiverVid, uint16_t receiverPid, uint16_t cableVid, uint16_t cablePid,
                 PathStyle style = PathStyle::Linux);
    ~VirtualMouse() override;

    int init() override;
    int exit() override;
    std::vector<HidDeviceInfo> enumerate() override;
    HidHandle *open(const std::string &path, HidReportFilter filter) override;
    void close(HidHandle *handle) override;
    int write(HidHandle *handle, const uint8_t *data, std::size_t length) override;
    int readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) override;
    uint16_t releaseNumber(const std::string &path) override;
    int lastOpenError() const override;
    // Owned by root; mode 0600 while opens are refused for want of access, else 0660.
    HidNodeStatus nodeStatus(const std::string &path) const override;

    // The firmware: what the mouse does with one report received over a connection.
    void handleReport(int connection, const uint8_t *data, std::size_t length);

    // Connections. Both start plugged in; plug and unplug send hot-plug events to the listener.
    void plug(int connection);
    void unplug(int connection);
    std::string path(int connection, uint8_t kind) const;
    void setPath(int connection, uint8_t kind, const std::string &path);
    void setReleaseNumber(int connection, uint16_t release);
    void setEventListener(EventListener listener);

    // Reports the mouse sends on its own, over the cable when it is plugged, else the receiver.
    void setBattery(const Battery &battery);
    Battery battery() const;
    // As if a button on the mouse changed profile, DPI stage, rate or mode.
    void sendStatusReport(uint8_t profile, uint8_t dpiStage, uint8_t rate, uint8_t mode);

    // What the mouse keeps: raw bytes per command code (0x01 to 0x0A) by address, the closing reports
    // per code, store sub-commands (byte 5), write brackets (byte 4) and the selected profile.
    std::vector<uint8_t> memory(uint8_t code, std::size_t address, std::size_t length) const;
    int closedBlocks(uint8_t code) const;
    std::vector<uint8_t> storeCommands() const;
    std::vector<uint8_t> writeBrackets() const;
    bool bracketOpen() const;
    int currentProfile() const;

    // Faults.
    void setAsleep(bool asleep);
    // Opens of its nodes fail with this errno from now on (EACCES: as the kernel refuses a user without
    // access to them); 0 opens them again. Enumeration still lists them, as it does for such a user.
    void refuseOpens(int error);
    void garbleEchoes(EchoFault fault, int count);
    void failReads(int count);
    void failWrites(int count);
    // The connection that receives the count-th report from now is unplugged right after answering it.
    void unplugAfter(int count);
    // connection is plugged in right after the count-th report from now has been answered.
    void plugAfter(int connection, int count);
    // The fault strikes the report-th report written from now. Unplug: its connection is pulled right
    // after answering it, as unplugAfter does. Silent: the mouse answers nothing from that report on, as
    // one that fell asleep (setAsleep(false) wakes it). WrongEcho: its echo names another command.
    // ShortRead: the read that carries its answer returns fewer bytes than a report, as a read cut short.
    // WriteError: its write fails. The last three stay with that report, as with a report this mouse
    // cannot take: each write of the same bytes again (the program's rewrites) is struck as well, until
    // faultAt is called again; report 0 sets no fault.
    void faultAt(Fault fault, int report);
    // Calls made through handles already closed: a program that closes a handle while another thread
    // still uses it would crash on a real mouse; here the calls fail and are counted.
    int closedHandleUses() const;
    // Movement reports put before every report on a shared (Linux) node, as a moving mouse does.
    void setMovementStreaming(int reportsPerAnswer);
    // A pointer in use: movement reports sent on their own at this rate (0 stops them), as real time goes.
    void streamMovement(int reportsPerSecond);
    // How many rounds of movement reports the stream has sent since it began; a test waits on it rather
    // than on the clock, which a loaded machine stretches.
    int streamedRounds() const;
    // Command handles opened from now on keep their shared node drained as the program's hidraw backend
    // does (on by default). Off, they read the node only when asked, as hidapi alone would.
    void setDrainEnabled(bool enabled);

    std::vector<Record> records() const;
    void clearRecords();

private:
    struct Handle;
    class Node;
    struct Link {
        bool plugged = true;
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        uint16_t release = 0;
        std::string mousePath;
        std::string commandPath;
        std::string keyboardPath;
    };

    Handle *live(HidHandle *handle) const;
    // live(), counting a use of a handle that was closed; called with the mutex held.
    Handle *liveForUse(HidHandle *handle);
    int activeConnection() const;
    void deliver(int connection, const std::vector<uint8_t> &report);
    // What the firmware does with one report received; called with the mutex held. struck: the report
    // carries the fault of faultAt, which spoils its echo.
    void answer(int connection, const uint8_t *data, std::size_t length, bool struck);
    void echo(int connection, const uint8_t *data, std::size_t length, bool struck);
    // Whether a report now written is struck by the fault of faultAt, counting it; mutex held.
    bool strikes(const uint8_t *data, std::size_t length);
    std::vector<uint8_t> framed(uint8_t code, const std::array<uint8_t, 4> &fields) const;
    std::vector<DeviceEvent> events(int connection, bool arrived) const;
    void notify(const std::vector<DeviceEvent> &events);
    // Puts a report into a handle's queue as the kernel does: dropped when the handle's queue is full.
    void enqueue(Handle &handle, const std::vector<uint8_t> &report);
    void streamLoop();

    mutable QMutex m_mutex;
    QWaitCondition m_queued; // a report was queued, a handle closed or died, or a drain was stopped
    std::array<Link, 2> m_links;
    std::vector<std::unique_ptr<Handle>> m_handles;
    EventListener m_listener;
    Battery m_battery;
    std::array<std::vector<uint8_t>, kMemoryCodes> m_memory;
    std::array<int, kMemoryCodes> m_closed{};
    std::vector<uint8_t> m_stores;
    std::vector<uint8_t> m_brackets;
    int m_profile = 0;
    bool m_asleep = false;
    int m_refusedOpen = 0;
    int m_lastOpenError = 0;
    EchoFault m_echoFault = EchoFault::WrongCommand;
    int m_garbled = 0;
    int m_failedReads = 0;
    int m_failedWrites = 0;
    int m_unplugAfter = 0;
    int m_plugAfter = 0;
    int m_plugConnection = 0;
    Fault m_fault = Fault::Unplug;
    int m_faultCountdown = 0;
    std::vector<uint8_t> m_struckReport; // the report the fault stays with, once written
    int m_closedHandleUses = 0;
    int m_movement = 0;
    bool m_drainEnabled = true;
    int m_streamRate = 0;
    int m_streamedRounds = 0;
    std::thread m_streamer;
    std::vector<Record> m_records;
};
