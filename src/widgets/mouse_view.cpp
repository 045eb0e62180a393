#include "widgets/mouse_view.h"

#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "storage/model_pictures.h"
#include "widgets/display_scale.h"
#include "widgets/skin_pictures.h"
#include "widgets/vel_push_button.h"

#include <QLabel>
#include <algorithm>

namespace {
// Captions beside the buttons of the mouse picture; left side, then right.
constexpr QRect kLabelRects[MouseView::kLabelCount] = {
    {20, 110, 160, 24},  {472, 110, 160, 24}, {472, 70, 160, 24},  {20, 230, 160, 24},  {20, 190, 160, 24},
    {472, 150, 160, 24}, {472, 190, 160, 24}, {20, 270, 160, 24},  {472, 230, 160, 24}, {20, 310, 160, 24},
    {472, 270, 160, 24}, {20, 350, 160, 24},  {472, 310, 160, 24}, {20, 30, 160, 24},   {472, 30, 160, 24},
    {20, 390, 160, 24},  {472, 350, 160, 24}, {20, 70, 160, 24},   {472, 390, 160, 24}, {20, 150, 160, 24}};
constexpr QRect kPictureRect(196, 20, 260, 360);
constexpr QRect kFrontRect(10, 8, 70, 26);
constexpr QRect kSideRect(84, 8, 70, 26);
constexpr QRect kWheelRects[2] = {{340, 62, 24, 24}, {340, 96, 24, 24}};

QStringList inSkin(const QStringList &files) {
    QStringList paths;
    for (const QString &file : files)
        paths << AppPaths::skinDir() + "/" + file;
    return paths;
}

} // namespace

MouseView::MouseView(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("mouseViewArea"));
    setAttribute(Qt::WA_TranslucentBackground);
    m_view = new QLabel(this);
    m_view->setObjectName(QStringLiteral("mouseView"));
    m_view->setAlignment(Qt::AlignCenter);
    m_frontButton = new VelPushButton(VelPushButton::tabImages(), this);
    m_frontButton->setObjectName(QStringLiteral("frontButton"));
    connect(m_frontButton, &QPushButton::clicked, this, [this] { showSide(false); });
    m_sideButton = new VelPushButton(VelPushButton::tabImages(), this);
    m_sideButton->setObjectName(QStringLiteral("sideButton"));
    connect(m_sideButton, &QPushButton::clicked, this, [this] { showSide(true); });
    for (int i = 0; i < kLabelCount; ++i) {
        auto *label = new VelPushButton(VelPushButton::tabImages(), this);
        label->setObjectName(QStringLiteral("mouseLabel%1").arg(i));
        label->setNumber(static_cast<uint8_t>(i + 1));
        connect(label, &VelPushButton::OverSignal, this, &MouseView::onLabelHover);
        m_labels[i] = label;
    }
    for (int i = 0; i < 2; ++i) {
        m_wheelLabels[i] = new VelPushButton({}, this);
        m_wheelLabels[i]->setObjectName(i == 0 ? QStringLiteral("wheelUp") : QStringLiteral("wheelDown"));
    }
}

void MouseView::setScale(double factor) {
    m_factor = factor;
    m_view->setGeometry(DisplayScale::scaled(kPictureRect, factor));
    m_frontButton->setGeometry(DisplayScale::scaled(kFrontRect, factor));
    m_sideButton->setGeometry(DisplayScale::scaled(kSideRect, factor));
    for (int i = 0; i < kLabelCount; ++i)
        m_labels[i]->setGeometry(DisplayScale::scaled(kLabelRects[i], factor));
    for (int i = 0; i < 2; ++i)
        m_wheelLabels[i]->setGeometry(DisplayScale::scaled(kWheelRects[i], factor));
    reload();
}

void MouseView::retranslate() {
    m_frontButton->setText(tr("Front"));
    m_sideButton->setText(tr("Side"));
}

void MouseView::reload() {
    const QString product = config::currentProductName();
    showPicture(AppPaths::skinDir() + "/" +
                (m_sideView ? modelpictures::side(product) : modelpictures::front(product)));
    const int buttons = qBound(0, description::buttonCount(), int(kLabelCount));
    for (int i = 0; i < kLabelCount; ++i)
        m_labels[i]->setVisible(i < buttons && !m_sideView);
    for (VelPushButton *wheel : m_wheelLabels)
        wheel->setVisible(!m_sideView);
    m_wheelLabels[0]->setImages(inSkin(modelpictures::wheelUpImages(product)));
    m_wheelLabels[1]->setImages(inSkin(modelpictures::wheelDownImages(product)));
}

void MouseView::showSide(bool side) {
    const bool changed = side != m_sideView;
    m_sideView = side;
    reload();
    if (changed)
        emit viewChanged(side);
}

void MouseView::SelBtnChanged(quint8 iBtn, quint8 iType) {
    if (iType == 0 && iBtn < kLabelCount)
        onLabelHover(m_labels[iBtn], true);
}

void MouseView::onLabelHover(VelPushButton *label, bool over) {
    const auto found = std::find(m_labels.begin(), m_labels.end(), label);
    if (found != m_labels.end())
        highlight(static_cast<int>(found - m_labels.begin()), over);
}

void MouseView::highlight(int index, bool on) {
    // The highlights are copies of the front picture; the side view keeps its own.
    if (m_sideView || index < 0 || index >= kLabelCount)
        return;
    const QString product = config::currentProductName();
    showPicture(AppPaths::skinDir() + "/" +
                (on ? modelpictures::buttonHighlight(product, index) : modelpictures::front(product)));
}

void MouseView::showPicture(const QString &file) {
    m_picture = file;
    m_view->setPixmap(SkinPictures::scaled(file, m_view->size(), Qt::KeepAspectRatio));
}
