#pragma once

#include <QDialog>
#include <QPixmap>
#include <QStringList>
#include <functional>

class QLabel;
class QTimer;
class VelLabel;
class VelPushButton;

// The program's modal message box: a frameless skinned dialog with the title "Warning" in every use.
class VelMessageBox : public QDialog {
    Q_OBJECT
public:
    enum Kind { Question = 1, Information = 2, Notice = 3, ReceiverWarning = 4 };
    static constexpr int kBaseWidth = 478;
    static constexpr int kBaseHeight = 309;
    static constexpr int kPollMs = 100;
    // The message's font size, and the smallest a long message is shrunk to.
    static constexpr int kMessagePixels = 15;
    static constexpr int kMinMessagePixels = 9;

    // hiddenText is kept but not shown. With poll set, the box accepts itself once the receiver is back.
    VelMessageBox(int kind, const QString &hiddenText, const QString &title, const QString &message,
                  QWidget *parent = nullptr, bool poll = false,
                  Qt::WindowFlags flags = Qt::FramelessWindowHint);

    int exec() override;
    int kind() const { return m_kind; }
    QString message() const { return m_message; }

    // Convenience forms: a question (true on "Yes") and a statement with one "Ok".
    static bool ask(QWidget *parent, const QString &message);
    static void inform(QWidget *parent, const QString &message);

    // The main window's reconnected flag, read by polling boxes.
    static void setReconnected(bool reconnected);
    static bool reconnected();

    // Test hook: the next boxes answer at once with these results instead of waiting for the user; every
    // box's message is recorded. An empty queue lets boxes run normally.
    static void setNextAnswers(const QList<int> &results);
    static QStringList takeShownMessages();

public slots:
    void GetPlugInSignal();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildButtons();

    int m_kind;
    QString m_hiddenText;
    QString m_message;
    QPixmap m_background;
    QLabel *m_picture = nullptr;
    VelLabel *m_titleLabel = nullptr;
    VelLabel *m_messageLabel = nullptr;
    VelPushButton *m_yesButton = nullptr;
    VelPushButton *m_noButton = nullptr;
    QTimer *m_pollTimer = nullptr;
};
