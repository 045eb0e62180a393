#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

class QLabel;
class VelPushButton;

// The picture of the current mouse model on the CUSTOMIZE page: front and side views, a caption button
// beside each programmable button of the mouse (hovering one highlights that button in the picture) and
// the two scroll-wheel captions. It fills the page area and lays itself out at base coordinates.
class MouseView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLabelCount = 20;

    explicit MouseView(QWidget *parent = nullptr);

    void setScale(double factor);
    void retranslate();
    // Loads the pictures of the current product and shows as many captions as it has buttons.
    void reload();

    // The picture file shown now: the front or side picture, or one of the button highlights.
    QString picture() const { return m_picture; }
    bool sideView() const { return m_sideView; }
    VelPushButton *label(int index) const { return m_labels[index]; }
    // The scroll wheel's up (0) and down (1) captions.
    VelPushButton *wheelLabel(int index) const { return m_wheelLabels[index]; }
    // Shows button index (from 0) highlighted in the front picture, or the plain front picture again.
    void highlight(int index, bool on);

public slots:
    // Highlights button iBtn of group iType (0 front captions) in the picture.
    void SelBtnChanged(quint8 iBtn, quint8 iType);
    void showSide(bool side);

signals:
    // The Front or Side button switched the picture.
    void viewChanged(bool side);

private:
    void onLabelHover(VelPushButton *label, bool over);
    void showPicture(const QString &file);

    double m_factor = 1.0;
    bool m_sideView = false;
    QString m_picture;
    QLabel *m_view = nullptr;
    VelPushButton *m_frontButton = nullptr;
    VelPushButton *m_sideButton = nullptr;
    std::array<VelPushButton *, kLabelCount> m_labels{};
    std::array<VelPushButton *, 2> m_wheelLabels{};
};
