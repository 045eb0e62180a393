#pragma once

#include "platform/osd_record.h"

#include <QWidget>

class QLocalServer;
class QTimer;

// The on-screen display: a borderless, see-through window above all others that shows each notification
// it receives (text, colour, font, size) centred on the primary screen for the notification's time.
class OsdWindow : public QWidget {
    Q_OBJECT
public:
    explicit OsdWindow(QWidget *parent = nullptr);

    // Listens for notifications on name (a socket path, or a bare name Qt places in its temporary folder),
    // readable by this user only; false when another OSD already listens, a file that is no socket sits
    // at the path, or the name cannot be taken.
    bool listen(const QString &name);
    void showRecord(const OsdRecord &record);
    OsdRecord current() const { return m_record; }

signals:
    void recordShown();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void readClient();

    QLocalServer *m_server = nullptr;
    QTimer *m_hideTimer = nullptr;
    OsdRecord m_record;
    QFont m_font;
};
