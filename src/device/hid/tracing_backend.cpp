#include "device/hid/tracing_backend.h"

#include <QMutexLocker>
#include <chrono>

namespace {
qint64 monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

TracingBackend::TracingBackend(std::unique_ptr<HidBackend> inner, const QString &path, int receiverVid,
                               int receiverPid, int cableVid, int cablePid)
    : m_inner(std::move(inner)), m_file(path), m_receiverVid(receiverVid), m_receiverPid(receiverPid),
      m_cableVid(cableVid), m_cablePid(cablePid), m_startNs(monotonicNs()) {
    m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

TracingBackend::~TracingBackend() = default;

std::vector<HidDeviceInfo> TracingBackend::enumerate() {
    std::vector<HidDeviceInfo> devices = m_inner->enumerate();
    QMutexLocker lock(&m_mutex);
    for (const HidDeviceInfo &info : devices)
        m_idsByPath[info.path] = {info.vendorId, info.productId};
    return devices;
}

HidHandle *TracingBackend::open(const std::string &path, HidReportFilter filter) {
    HidHandle *handle = m_inner->open(path, filter);
    if (!handle)
        return nullptr;
    QMutexLocker lock(&m_mutex);
    HandleInfo info;
    info.collection =
        filter == HidReportFilter::CommandReports ? QStringLiteral("command") : QStringLiteral("mouse");
    info.connection = QStringLiteral("other");
    const auto ids = m_idsByPath.find(path);
    if (ids != m_idsByPath.end()) {
        if (ids->second.first == m_receiverVid && ids->second.second == m_receiverPid)
            info.connection = QStringLiteral("receiver");
        else if (ids->second.first == m_cableVid && ids->second.second == m_cablePid)
            info.connection = QStringLiteral("cable");
    }
    m_handles[handle] = info;
    return handle;
}

void TracingBackend::close(HidHandle *handle) {
    {
        QMutexLocker lock(&m_mutex);
        m_handles.erase(handle);
    }
    m_inner->close(handle);
}

int TracingBackend::write(HidHandle *handle, const uint8_t *data, std::size_t length) {
    const int result = m_inner->write(handle, data, length);
    append(handle, true, data, length);
    return result;
}

int TracingBackend::readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) {
    const int result = m_inner->readTimeout(handle, data, length, timeoutMs);
    if (result > 0)
        append(handle, false, data, static_cast<std::size_t>(result));
    return result;
}

QString TracingBackend::line(qint64 micros, bool written, const QString &connection,
                             const QString &collection, const uint8_t *data, std::size_t length) {
    QString text =
        QStringLiteral("%1 %2 %3 %4").arg(micros).arg(written ? 'W' : 'R').arg(connection, collection);
    for (std::size_t i = 0; i < length; ++i)
        text += QStringLiteral(" %1").arg(data[i], 2, 16, QLatin1Char('0')).toUpper();
    return text + '\n';
}

void TracingBackend::append(HidHandle *handle, bool written, const uint8_t *data, std::size_t length) {
    QMutexLocker lock(&m_mutex);
    if (!m_file.isOpen())
        return;
    const auto found = m_handles.find(handle);
    const HandleInfo info = found != m_handles.end() ? found->second : HandleInfo{"other", "unknown"};
    const qint64 micros = (monotonicNs() - m_startNs) / 1000;
    m_file.write(line(micros, written, info.connection, info.collection, data, length).toLatin1());
    m_file.flush();
}
