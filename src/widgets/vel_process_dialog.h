#pragma once

#include <QDialog>

class QLabel;
class QMovie;

// The progress dialog of a profile write: a small frameless window playing the loading animation over
// the main window until the write thread reports that it is done. The user cannot dismiss it.
class VelProcessDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSide = 128; // pixels, not scaled

    // Placed centred over the given window, which does not become its parent.
    explicit VelProcessDialog(const QWidget *over = nullptr);

    QMovie *movie() const { return m_movie; }

public slots:
    void slotProcessDlg();
    void updateProgress();

    // Only the end of the write closes the dialog: Escape and close requests are ignored.
    void reject() override;

private:
    QLabel *m_label;
    QMovie *m_movie;
};
