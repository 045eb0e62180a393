#pragma once

#include <QColor>
#include <QProgressBar>

// The battery bar: a progress bar that can carry its own centred text, such as "MOUSE OFF".
class VelProcessbar : public QProgressBar {
    Q_OBJECT
public:
    explicit VelProcessbar(QWidget *parent = nullptr);

    void setBarText(const QString &text);
    QString barText() const { return m_text; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_mouseOffColor = Qt::white;
    QColor m_otherColor = QColor(220, 220, 226);
};
