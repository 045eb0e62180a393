#pragma once

#include "platform/qt_compat.h"
#include <QColor>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

class QPainter;

// Image push button of the skin. Images by state: 0 normal, 1 hover or checked, 2 pressed, 3 disabled;
// a shorter list keeps the picture the state rules allow (one image never changes).
class VelPushButton : public QPushButton {
    Q_OBJECT
public:
    enum State { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

    explicit VelPushButton(const QStringList &images, QWidget *parent = nullptr,
                           const QString &iconFile = QString());

    void setImages(const QStringList &images);
    void setText(const QString &text);
    QString text() const { return m_text; }
    void setCheckable(bool checkable);
    void setChecked(bool checked);
    bool isChecked() const { return m_checked; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // Number shown at the left edge (0 = none); 253 and 254 show the two special marks.
    void setNumber(uint8_t number);
    uint8_t number() const { return m_number; }
    void setVerticalText(bool vertical);
    // The button's pictures carry an icon at their left, as wide as the button is high: the text keeps
    // clear of it.
    void setPictureIcon(bool pictureIcon) { m_pictureIcon = pictureIcon; }
    // Swatch mode: the button paints a round colour swatch instead of its images.
    void setSwatch(bool swatch);
    void setSwatchColor(const QColor &color);

    // The skin's tab button pictures (normal, hover or checked, pressed), which most text buttons wear.
    static QStringList tabImages();
    // A skinned button named name with the skin pictures images (names in the skin folder, or full paths).
    static VelPushButton *fromSkin(const QStringList &images, const char *name, QWidget *parent);

    // The text the number byte paints: "    %d", or the special marks for 253 and 254.
    static QString numberText(uint8_t number);

    int state() const { return m_state; }
    int imageCount() const { return m_images.size(); }
    QSize sizeHint() const override;

signals:
    // Emitted on a left-button press.
    void EnterSignal(VelPushButton *button);
    // Hover in (true) and out (false).
    void OverSignal(VelPushButton *button, bool bType);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QtEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setState(int state);
    void paintSwatch(QPainter &painter);

    QVector<QPixmap> m_images;
    QStringList m_imageFiles;
    QPixmap m_icon;
    QString m_iconFile;
    QString m_text;
    std::array<QColor, 4> m_textColors;
    bool m_enabled = true;
    bool m_checkable = false;
    bool m_checked = false;
    bool m_leftSincePress = true; // no press since the pointer last left
    bool m_verticalText = false;
    bool m_pictureIcon = false;
    bool m_swatch = false;
    uint8_t m_number = 0;
    QColor m_swatchColor = Qt::red;
    int m_state = kNormal;
};
