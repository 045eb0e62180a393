#include "widgets/vel_process_dialog.h"

#include <QLabel>
#include <QMovie>
#include <QTimer>

VelProcessDialog::VelProcessDialog(const QWidget *over) : QDialog(nullptr, Qt::FramelessWindowHint) {
    Q_INIT_RESOURCE(skin_resources);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kSide, kSide);
    if (over) {
        const QPoint centre = over->mapToGlobal(over->rect().center());
        move(centre - rect().center());
    }
    m_label = new QLabel(this);
    m_label->setGeometry(rect());
    m_movie = new QMovie(QStringLiteral(":/skin/loading.gif"), QByteArray(), this);
    m_label->setMovie(m_movie);
    m_movie->start();
}

// Accepted from the event loop once the signal's delivery is over.
void VelProcessDialog::slotProcessDlg() {
    QTimer::singleShot(0, this, &VelProcessDialog::updateProgress);
}

void VelProcessDialog::updateProgress() {
    accept();
}

void VelProcessDialog::reject() {}
