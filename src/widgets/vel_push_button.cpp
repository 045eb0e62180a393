#include "widgets/vel_push_button.h"

#include "storage/app_paths.h"

#include "widgets/skin_pictures.h"
#include "widgets/ui_language.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

VelPushButton::VelPushButton(const QStringList &images, QWidget *parent, const QString &iconFile)
    : QPushButton(parent), m_textColors{QColor(200, 200, 200), QColor(255, 255, 255), QColor(255, 255, 255),
                                        QColor(110, 110, 110)} {
    setImages(images);
    if (!iconFile.isEmpty()) {
        m_icon = SkinPictures::picture(iconFile);
        m_iconFile = iconFile;
    }
    setAttribute(Qt::WA_TranslucentBackground);
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
}

void VelPushButton::setImages(const QStringList &images) {
    m_images.clear();
    for (const QString &file : images)
        m_images.append(SkinPictures::picture(file));
    m_imageFiles = images;
    update();
}

void VelPushButton::setText(const QString &text) {
    m_text = text;
    setToolTip(text);
    update();
}

void VelPushButton::setCheckable(bool checkable) {
    m_checkable = checkable;
    setState(kNormal);
}

void VelPushButton::setChecked(bool checked) {
    m_checked = checked;
    setState(checked ? kHover : kNormal);
}

void VelPushButton::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (m_checkable && m_checked)
        setState(kHover);
    else
        setState(enabled ? kNormal : kDisabled);
    QPushButton::setEnabled(enabled);
}

void VelPushButton::setNumber(uint8_t number) {
    m_number = number;
    update();
}

void VelPushButton::setVerticalText(bool vertical) {
    m_verticalText = vertical;
    update();
}

void VelPushButton::setSwatch(bool swatch) {
    m_swatch = swatch;
    update();
}

void VelPushButton::setSwatchColor(const QColor &color) {
    m_swatchColor = color;
    update();
}

QString VelPushButton::numberText(uint8_t number) {
    if (number == 253)
        return QStringLiteral("    \u2605"); // the active entry
    if (number == 254)
        return QStringLiteral("    \u2022"); // an entry in use
    return QString::asprintf("    %d", number);
}

QSize VelPushButton::sizeHint() const {
    if (!m_icon.isNull())
        return m_icon.size();
    if (m_state < m_images.size() && !m_images[m_state].isNull())
        return m_images[m_state].size();
    return QPushButton::sizeHint();
}

void VelPushButton::setState(int state) {
    m_state = state;
    update();
}

void VelPushButton::enterEvent(QtEnterEvent *event) {
    emit OverSignal(this, true);
    if (m_enabled)
        setState(m_images.size() >= 2 ? kHover : kNormal);
    QPushButton::enterEvent(event);
}

void VelPushButton::leaveEvent(QEvent *event) {
    if (m_leftSincePress)
        emit OverSignal(this, false);
    m_leftSincePress = true;
    if (m_enabled)
        setState(m_checkable && m_checked ? kHover : kNormal);
    QPushButton::leaveEvent(event);
}

void VelPushButton::mousePressEvent(QMouseEvent *event) {
    if (m_enabled && event->button() == Qt::LeftButton) {
        m_leftSincePress = false;
        m_checked = !m_checked;
        if (m_images.size() > 2)
            setState(m_checked ? kPressed : kNormal);
        emit EnterSignal(this);
    }
    QPushButton::mousePressEvent(event);
}

void VelPushButton::mouseReleaseEvent(QMouseEvent *event) {
    if (m_enabled && event->button() == Qt::LeftButton && m_images.size() >= 2)
        setState(kHover);
    QPushButton::mouseReleaseEvent(event);
}

void VelPushButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_swatch) {
        paintSwatch(painter);
        return;
    }
    // A scaled window draws from the pictures painted at twice the size.
    const double scale = SkinPictures::displayScale();
    const int index = qMin(m_state, m_images.size() - 1);
    if (index >= 0 && !m_images[index].isNull())
        painter.drawPixmap(rect(),
                           scale > 1.0 ? SkinPictures::sharp(m_imageFiles[index], scale) : m_images[index]);
    if (!m_icon.isNull())
        painter.drawPixmap(rect(), scale > 1.0 ? SkinPictures::sharp(m_iconFile, scale) : m_icon);
    // The language font, unless the button was given a font of its own.
    painter.setFont(testAttribute(Qt::WA_SetFont) ? font() : UiLanguage::font());
    painter.setPen(m_textColors[m_state]);
    if (m_number != 0)
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, numberText(m_number));
    if (m_text.isEmpty())
        return;
    if (m_verticalText) {
        painter.translate(width() / 2.0, height() / 2.0);
        painter.rotate(90);
        const QRect turned(-height() / 2, -width() / 2, height(), width());
        painter.drawText(turned, Qt::AlignCenter, m_text);
        return;
    }
    // The text stays centred on the button while it fits beside the icon; a longer one (a longer language)
    // gets a smaller font, down to a legible size, then two lines, before it is cut short.
    const int margin = qMax(2, height() / 6);
    const QRect area = m_icon.isNull() && !m_pictureIcon ? rect().adjusted(margin, 0, -margin, 0)
                                                         : rect().adjusted(height(), 0, -margin, 0);
    const auto fits = [&](const QFontMetrics &metrics) {
        const int half = (metrics.horizontalAdvance(m_text) + 1) / 2;
        return width() / 2 - half >= area.left() && width() / 2 + half <= area.right();
    };
    if (fits(painter.fontMetrics())) {
        painter.drawText(rect(), Qt::AlignCenter, m_text);
        return;
    }
    constexpr int kSmallestPixels = 9;
    QFont smaller = painter.font();
    const int start = smaller.pixelSize() > 0 ? smaller.pixelSize() : QFontInfo(smaller).pixelSize();
    const int wrap = Qt::AlignCenter | Qt::TextWordWrap;
    for (const bool twoLines : {false, true}) {
        if (twoLines && !m_text.contains(' '))
            break;
        for (int pixels = start; pixels >= kSmallestPixels; --pixels) {
            smaller.setPixelSize(pixels);
            const QFontMetrics metrics(smaller);
            const QRect needed = twoLines ? metrics.boundingRect(area, wrap, m_text)
                                          : QRect(0, 0, metrics.horizontalAdvance(m_text), metrics.height());
            if (needed.width() <= area.width() && needed.height() <= height()) {
                painter.setFont(smaller);
                painter.drawText(area, wrap, m_text);
                return;
            }
        }
    }
    painter.setFont(smaller);
    painter.drawText(area, Qt::AlignCenter,
                     painter.fontMetrics().elidedText(m_text, Qt::ElideRight, area.width()));
}

void VelPushButton::paintSwatch(QPainter &painter) {
    const int side = qMin(width(), height());
    const QRectF frame((width() - side) / 2.0 + 1, (height() - side) / 2.0 + 1, side - 2, side - 2);
    const QRectF dot = frame.adjusted(side * 0.18, side * 0.18, -side * 0.18, -side * 0.18);
    QLinearGradient gradient(dot.topLeft(), dot.bottomRight());
    gradient.setColorAt(0.0, m_swatchColor.lighter(130));
    gradient.setColorAt(1.0, m_swatchColor.darker(130));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(dot);
    if (m_checked || m_state == kHover) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(
            QPen(m_checked ? QColor(255, 255, 255) : QColor(150, 150, 150), qMax(1.0, side * 0.06)));
        painter.drawEllipse(frame.adjusted(side * 0.05, side * 0.05, -side * 0.05, -side * 0.05));
    }
}

VelPushButton *VelPushButton::fromSkin(const QStringList &images, const char *name, QWidget *parent) {
    QStringList files;
    for (const QString &image : images)
        files << (image.startsWith('/') ? image : AppPaths::skinDir() + "/" + image);
    auto *button = new VelPushButton(files, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QStringList VelPushButton::tabImages() {
    const QString skin = AppPaths::skinDir() + "/";
    return {skin + "tabbutton-1.png", skin + "tabbutton-3.png", skin + "tabbutton-2.png"};
}
