#include "gunset/vel_gunset_dialog.h"

#include "storage/app_paths.h"
#include "widgets/skin_pictures.h"
#include "widgets/vel_action.h"
#include "widgets/vel_label.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_message_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace {
constexpr int kMaxNameLength = 100;
// The rows stand one under the other in the row area, each on the skin's track.
constexpr int kRowLeft = 40;
constexpr int kRowTop = 162;
constexpr int kRowWidth = 440;
constexpr int kRowHeight = 36;
constexpr int kRowPitch = 38;
// Where a row's value boxes stand, left to right: the wait, the pull down, the pull right.
constexpr int kDelayX = 80;
constexpr int kVerticalX = 200;
constexpr int kHorizontalX = 320;
constexpr int kBoxWidth = 90;
constexpr int kBoxHeight = 26;
constexpr int kMaxPull = 100;
constexpr int kDefaultDelayMs = 100;
constexpr int kMaxDelayMs = 999;
} // namespace

VelGunsetDialog::VelGunsetDialog(double scale, QWidget *parent)
    : VelSkinDialog(scale, QSize(kBaseWidth, kBaseHeight), QStringLiteral("dlg_gun.png"), tr("GUN SET"),
                    parent) {
    setWindowTitle(tr("Gun Set"));

    addLabel(tr("GUNFILE NAME"), QRect(40, 62, 140, 26));
    m_nameEdit = addEdit(QStringLiteral("nameEdit"), QRect(190, 62, 290, 26));
    m_nameEdit->setMaxLength(kMaxNameLength);

    buildBulletMenu();

    const struct {
        const char *text;
        int x;
    } headings[] = {{QT_TR_NOOP("DELAY(MS)"), kDelayX},
                    {QT_TR_NOOP("VERTICAL"), kVerticalX},
                    {QT_TR_NOOP("HORIZONTAL"), kHorizontalX}};
    for (const auto &heading : headings) {
        VelLabel *label =
            addLabel(tr(heading.text), QRect(kRowLeft + heading.x - 10, 138, kBoxWidth + 20, 20));
        label->setAlignment(Qt::AlignCenter);
    }

    m_rowArea = new QWidget(this);
    m_rowArea->setObjectName(QStringLiteral("bulletArea"));
    m_rowArea->move(px(kRowLeft), px(kRowTop));
    for (int i = 0; i < kMaxBullets; ++i)
        m_rows << addRow(i);

    addAnswerButtons(368, tr("Cancel"));
    connect(okButton(), &QToolButton::released, this, &VelGunsetDialog::OnYesClick);

    setBulletCount(kMaxBullets);
}

void VelGunsetDialog::buildBulletMenu() {
    QToolButton *button = addTextButton(QStringLiteral("bulletsButton"), QRect(40, 100, 110, 26));
    button->setText(tr("BULLETS"));
    button->setStyleSheet(button->styleSheet() + QStringLiteral("QToolButton::menu-indicator{image: none;}"));
    m_bulletMenu = new VelMenu(button);
    for (int count = 1; count <= kMaxBullets; ++count) {
        auto *action = new VelAction(QString::number(count), m_bulletMenu);
        m_bulletMenu->addAction(action);
        connect(action, &QAction::triggered, this, [this, count] { setBulletCount(count); });
    }
    button->setMenu(m_bulletMenu);
    button->setPopupMode(QToolButton::InstantPopup);

    m_countLabel = addLabel(QString(), QRect(160, 100, 40, 26));
    m_countLabel->setObjectName(QStringLiteral("bulletCount"));
}

VelGunsetDialog::BulletRow VelGunsetDialog::addRow(int index) {
    auto *row = new QLabel(m_rowArea);
    row->setObjectName(QStringLiteral("bulletRow%1").arg(index));
    row->setGeometry(scaled(QRect(0, index * kRowPitch, kRowWidth, kRowHeight)));
    row->setPixmap(SkinPictures::picture(QStringLiteral("gunset_slider.png")));
    row->setScaledContents(true);

    auto *bullet = new QLabel(row);
    bullet->setGeometry(scaled(QRect(10, 8, 20, 20)));
    bullet->setPixmap(SkinPictures::picture(QStringLiteral("gunset_bullet.png")));
    bullet->setScaledContents(true);
    addLabel(QString::number(index + 1), QRect(36, 5, 30, 26), row);

    const int top = (kRowHeight - kBoxHeight) / 2;
    const auto box = [&](const char *name, int minimum, int maximum, int x, const QString &tip) {
        QSpinBox *spin = addSpinBox(name + QString::number(index), minimum, maximum,
                                    QRect(x, top, kBoxWidth, kBoxHeight), row);
        spin->setToolTip(tip);
        return spin;
    };
    const BulletRow bulletRow{
        row, box("delayBox", 1, kMaxDelayMs, kDelayX, tr("Time to the next shot, in milliseconds")),
        box("verticalBox", -kMaxPull, kMaxPull, kVerticalX,
            tr("How far the pointer is pulled after the shot: down, or up when negative")),
        box("horizontalBox", -kMaxPull, kMaxPull, kHorizontalX,
            tr("How far the pointer is pulled after the shot: right, or left when negative"))};
    bulletRow.delay->setValue(kDefaultDelayMs);
    return bulletRow;
}

void VelGunsetDialog::setBulletCount(int count) {
    m_bulletCount = count;
    for (int i = 0; i < m_rows.size(); ++i)
        m_rows[i].row->setVisible(i < count);
    m_rowArea->resize(px(kRowWidth), px((count - 1) * kRowPitch + kRowHeight));
    const QIcon mark(AppPaths::skinDir() + "/bulletsel.png");
    const QList<QAction *> actions = m_bulletMenu->actions();
    for (int i = 0; i < actions.size(); ++i)
        actions[i]->setIcon(i + 1 == count ? mark : QIcon());
    m_countLabel->setText(QString::number(count));
}

QVector<GunBullet> VelGunsetDialog::bullets() const {
    QVector<GunBullet> bullets;
    for (int i = 0; i < m_bulletCount; ++i)
        bullets << GunBullet{m_rows[i].delay->value(), m_rows[i].vertical->value(),
                             m_rows[i].horizontal->value()};
    return bullets;
}

void VelGunsetDialog::OnYesClick() {
    const QString name = m_nameEdit->text().trimmed();
    if (name.isEmpty()) {
        VelMessageBox::inform(this, tr("Please input file name."));
        return;
    }
    m_fileName = name;
    m_steps = gunSteps(bullets());
    accept();
}
