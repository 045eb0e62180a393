#pragma once

#include "device/hid/hid_backend.h"

#include <QFile>
#include <QMutex>
#include <QString>
#include <map>
#include <memory>

// Writes every report written to and read from the mouse to a file, one line each, then passes the
// call on to the real backend:
//   <microseconds> <W|R> <receiver|cable|other> <command|mouse> <bytes in hex>
// The time is monotonic (since the trace began). Users attach the file to bug reports; tests read it.
class TracingBackend : public HidBackend {
public:
    // vid/pid of the receiver and the cable name the connection of each handle.
    TracingBackend(std::unique_ptr<HidBackend> inner, const QString &path, int receiverVid, int receiverPid,
                   int cableVid, int cablePid);
    ~TracingBackend() override;

    bool isOpen() const { return m_file.isOpen(); }
    HidBackend &inner() const { return *m_inner; }

    int init() override { return m_inner->init(); }
    int exit() override { return m_inner->exit(); }
    std::vector<HidDeviceInfo> enumerate() override;
    HidHandle *open(const std::string &path, HidReportFilter filter) override;
    void close(HidHandle *handle) override;
    int write(HidHandle *handle, const uint8_t *data, std::size_t length) override;
    int readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) override;
    uint16_t releaseNumber(const std::string &path) override { return m_inner->releaseNumber(path); }
    int lastOpenError() const override { return m_inner->lastOpenError(); }
    HidNodeStatus nodeStatus(const std::string &path) const override { return m_inner->nodeStatus(path); }

    static QString line(qint64 micros, bool written, const QString &connection, const QString &collection,
                        const uint8_t *data, std::size_t length);

private:
    struct HandleInfo {
        QString connection;
        QString collection;
    };
    void append(HidHandle *handle, bool written, const uint8_t *data, std::size_t length);

    std::unique_ptr<HidBackend> m_inner;
    QFile m_file;
    QMutex m_mutex;
    std::map<HidHandle *, HandleInfo> m_handles;
    std::map<std::string, std::pair<uint16_t, uint16_t>> m_idsByPath;
    int m_receiverVid, m_receiverPid, m_cableVid, m_cablePid;
    qint64 m_startNs;
};
