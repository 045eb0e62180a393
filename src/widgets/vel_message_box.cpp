#include "widgets/vel_message_box.h"

#include "widgets/display_scale.h"
#include "widgets/skin_pictures.h"
#include "widgets/vel_label.h"
#include "widgets/vel_push_button.h"
#include "widgets/window_drag.h"

#include <QAtomicInt>
#include <QBitmap>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {
QAtomicInt g_reconnected{0};
QList<int> &nextAnswers() {
    static QList<int> answers;
    return answers;
}
QStringList &shownMessages() {
    static QStringList messages;
    return messages;
}

QRect scaled(int x, int y, int w, int h) {
    return QRect(DisplayScale::scaled(x), DisplayScale::scaled(y), DisplayScale::scaled(w),
                 DisplayScale::scaled(h));
}
} // namespace

VelMessageBox::VelMessageBox(int kind, const QString &hiddenText, const QString &title,
                             const QString &message, QWidget *parent, bool poll, Qt::WindowFlags flags)
    : QDialog(parent, flags), m_kind(kind), m_hiddenText(hiddenText), m_message(message) {
    Q_INIT_RESOURCE(skin_resources);
    setModal(true);
    new WindowDrag(this, 0);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(title);
    setFixedSize(DisplayScale::scaled(kBaseWidth), DisplayScale::scaled(kBaseHeight));
    m_background = SkinPictures::scaled(QStringLiteral("dlg.png"), size(), Qt::IgnoreAspectRatio);
    if (!m_background.isNull())
        setMask(m_background.mask());

    m_titleLabel = new VelLabel(title, this);
    m_titleLabel->setGeometry(scaled(24, 8, 300, 30));
    m_titleLabel->setColor(QColor(255, 125, 0));

    m_picture = new QLabel(this);
    const bool receiver = kind == ReceiverWarning;
    m_picture->setGeometry(receiver ? scaled(179, 64, 120, 80) : scaled(207, 68, 64, 64));
    m_picture->setPixmap(
        SkinPictures::scaled(receiver ? QStringLiteral("dongle2.png") : QStringLiteral("warn.png"),
                             m_picture->size(), Qt::KeepAspectRatio));

    m_messageLabel = new VelLabel(message, this);
    m_messageLabel->setObjectName(QStringLiteral("msgBoxInfoLabel1"));
    m_messageLabel->setGeometry(scaled(24, 150, 430, 80));
    m_messageLabel->setAlignment(Qt::AlignCenter);
    m_messageLabel->setTextWrap(true);
    m_messageLabel->setColor(Qt::white);
    QFont font(QStringLiteral("Consolas"));
    font.setStyleHint(QFont::Monospace);
    // A long message (one that carries a command to run) gets a smaller font rather than running out of
    // the box.
    for (int pixels = kMessagePixels; pixels >= kMinMessagePixels; --pixels) {
        font.setPixelSize(qMax(1, DisplayScale::scaled(pixels)));
        const QRect needed =
            QFontMetrics(font).boundingRect(m_messageLabel->rect(), Qt::TextWordWrap, message);
        if (needed.width() <= m_messageLabel->width() && needed.height() <= m_messageLabel->height())
            break;
    }
    m_messageLabel->setFont(font);

    buildButtons();

    if (poll) {
        m_pollTimer = new QTimer(this);
        m_pollTimer->setInterval(kPollMs);
        connect(m_pollTimer, &QTimer::timeout, this, &VelMessageBox::GetPlugInSignal);
        m_pollTimer->start();
    }
}

void VelMessageBox::buildButtons() {
    m_yesButton = new VelPushButton({QStringLiteral(":/yes_Btn")}, this);
    m_yesButton->setObjectName(QStringLiteral("msgBoxYesBtn"));
    connect(m_yesButton, &QPushButton::released, this, &QDialog::accept);
    if (m_kind == Question) {
        m_yesButton->setText(tr("Yes"));
        m_yesButton->setGeometry(scaled(110, 252, 110, 34));
        m_noButton = new VelPushButton({QStringLiteral(":/no_Btn")}, this);
        m_noButton->setObjectName(QStringLiteral("msgBoxNoBtn"));
        m_noButton->setText(tr("No"));
        m_noButton->setGeometry(scaled(258, 252, 110, 34));
        connect(m_noButton, &QPushButton::released, this, &QDialog::reject);
    } else {
        m_yesButton->setText(tr("Ok"));
        m_yesButton->setGeometry(scaled(184, 252, 110, 34));
    }
}

int VelMessageBox::exec() {
    shownMessages() << m_message;
    if (!nextAnswers().isEmpty()) {
        const int result = nextAnswers().takeFirst();
        setResult(result);
        return result;
    }
    return QDialog::exec();
}

bool VelMessageBox::ask(QWidget *parent, const QString &message) {
    VelMessageBox box(Question, QString(), tr("Warning"), message, parent);
    return box.exec() == QDialog::Accepted;
}

void VelMessageBox::inform(QWidget *parent, const QString &message) {
    VelMessageBox box(Information, QString(), tr("Warning"), message, parent);
    box.exec();
}

void VelMessageBox::setReconnected(bool reconnected) {
    g_reconnected = reconnected ? 1 : 0;
}

bool VelMessageBox::reconnected() {
    return g_reconnected.loadRelaxed() != 0;
}

void VelMessageBox::setNextAnswers(const QList<int> &results) {
    nextAnswers() = results;
}

QStringList VelMessageBox::takeShownMessages() {
    QStringList messages;
    messages.swap(shownMessages());
    return messages;
}

void VelMessageBox::GetPlugInSignal() {
    if (reconnected())
        accept();
}

void VelMessageBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawPixmap(0, 0, m_background);
    else
        painter.fillRect(rect(), QColor(30, 30, 34));
}
