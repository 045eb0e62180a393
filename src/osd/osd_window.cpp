#include "osd/osd_window.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include <sys/stat.h>

namespace {
constexpr int kMargin = 40;
constexpr int kReadTimeoutMs = 1000;
} // namespace

OsdWindow::OsdWindow(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                          Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
    setWindowTitle(QStringLiteral("Wireless Mouse OSD"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_hideTimer = new QTimer(this);
    m_hideTimer->setSingleShot(true);
    connect(m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
}

bool OsdWindow::listen(const QString &name) {
    if (name.isEmpty())
        return false;
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(100))
        return false;
    // Only a socket nobody answers on is left over from an OSD program that ended; any other file at
    // that path is not ours to remove.
    struct stat info;
    if (::lstat(QFile::encodeName(name).constData(), &info) == 0 && !S_ISSOCK(info.st_mode))
        return false;
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &OsdWindow::readClient);
    return m_server->listen(name);
}

void OsdWindow::readClient() {
    while (QLocalSocket *client = m_server->nextPendingConnection()) {
        QByteArray data;
        while (data.size() < OsdRecord::kSize && client->waitForReadyRead(kReadTimeoutMs))
            data += client->readAll();
        data += client->readAll();
        if (const std::optional<OsdRecord> record = OsdRecord::decode(data.left(OsdRecord::kSize)))
            showRecord(*record);
        client->disconnectFromServer();
        client->deleteLater();
    }
}

void OsdWindow::showRecord(const OsdRecord &record) {
    m_record = record;
    m_font = QFont(record.face);
    m_font.setPixelSize(qMax<int>(1, static_cast<int>(record.fontSize)));
    m_font.setBold(true);
    const QFontMetrics metrics(m_font);
    const QSize size(metrics.horizontalAdvance(record.text) + 2 * kMargin, metrics.height() + kMargin);
    resize(size);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
    }
    show();
    raise();
    update();
    m_hideTimer->start(static_cast<int>(record.displayMs));
    emit recordShown();
}

void OsdWindow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(16, 16, 20, 170));
    painter.drawRoundedRect(rect(), 14, 14);
    const uint32_t ref = m_record.color;
    const QColor color(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
    QPainterPath outline;
    outline.addText(0, 0, m_font, m_record.text);
    const QRectF box = outline.boundingRect();
    painter.translate((width() - box.width()) / 2 - box.left(), (height() - box.height()) / 2 - box.top());
    painter.setPen(QPen(QColor(0, 0, 0, 200), 3));
    painter.setBrush(color);
    painter.drawPath(outline);
}
