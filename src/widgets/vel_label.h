#pragma once

#include <QColor>
#include <QLabel>

// Text label of the skin: paints its own text with the language font on a transparent background.
class VelLabel : public QLabel {
    Q_OBJECT
public:
    explicit VelLabel(QWidget *parent = nullptr);
    explicit VelLabel(const QString &text, QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_alignment; }
    // Long texts break between words instead of running past the label.
    void setTextWrap(bool wrap);
    void setColor(const QColor &color);
    void setBackgroundColor(const QColor &color);

signals:
    void EnterSignal(VelLabel *label);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_text;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor m_color = Qt::white;
    QColor m_background;
    bool m_hasColor = false;
    bool m_hasBackground = false;
    bool m_wrap = false;
};
