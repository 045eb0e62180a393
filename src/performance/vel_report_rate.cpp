#include "performance/vel_report_rate.h"

#include "performance/performance_log.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "widgets/accent_color.h"
#include "widgets/display_scale.h"
#include "widgets/skin_pictures.h"
#include "widgets/ui_language.h"
#include "widgets/vel_action.h"
#include "widgets/vel_label.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_push_button.h"

#include <QButtonGroup>
#include <QPainter>
#include <QRadioButton>

namespace {
// Base geometry inside the group.
constexpr QRect kRateLabelRect(12, 8, 180, 18);
constexpr QRect kRateButtonRect(12, 28, 180, 26);
constexpr QRect kLiftLabelRect(12, 60, 180, 18);
constexpr QRect kLiftRadioRects[2] = {{12, 79, 86, 20}, {104, 79, 86, 20}};

const char *const kRateTexts[VelReportRate::kRateCount] = {
    QT_TRANSLATE_NOOP("VelReportRate", "125 HZ"), QT_TRANSLATE_NOOP("VelReportRate", "250 HZ"),
    QT_TRANSLATE_NOOP("VelReportRate", "500 HZ"), QT_TRANSLATE_NOOP("VelReportRate", "1000 HZ")};

} // namespace

VelReportRate::VelReportRate(double scale, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("reportRate"));
    m_background = SkinPictures::sharp(QStringLiteral("rate.png"), SkinPictures::displayScale());
    const QColor text(200, 200, 206);
    m_rateLabel = new VelLabel(this);
    m_liftLabel = new VelLabel(this);
    for (VelLabel *label : {m_rateLabel, m_liftLabel})
        label->setColor(text);

    m_rateButton = new VelPushButton({AppPaths::skinDir() + "/profilesel.png"}, this);
    m_rateButton->setObjectName(QStringLiteral("rateButton"));
    m_rateMenu = new VelMenu(this);
    for (int entry = 0; entry < kRateCount; ++entry) {
        m_actions[entry] = new VelAction(this);
        m_actions[entry]->setCheckable(true);
        m_rateMenu->addAction(m_actions[entry]);
        connect(m_actions[entry], &QAction::triggered, this, [this, entry] { chooseRate(entry); });
    }
    connect(m_rateButton, &QPushButton::clicked, this, [this] {
        m_rateMenu->setFixedWidth(m_rateButton->width());
        m_rateMenu->exec(m_rateButton->mapToGlobal(QPoint(0, m_rateButton->height())));
    });

    // "1 mm" has id 0, "2 mm" id 1: the lift-off code is the id plus one. Only a click is the user's
    // choice; refresh checks a radio without it.
    m_liftGroup = new QButtonGroup(this);
    m_liftGroup->setExclusive(true);
    for (int id = 0; id < 2; ++id) {
        m_liftRadios[id] = new QRadioButton(this);
        m_liftRadios[id]->setObjectName(QStringLiteral("lift%1mm").arg(id + 1));
        m_liftGroup->addButton(m_liftRadios[id], id);
    }
    connect(m_liftGroup, &QButtonGroup::idClicked, this, &VelReportRate::onRadioChanged);

    setScale(scale);
    retranslate();
}

const std::array<quint8, VelReportRate::kRateCount> &VelReportRate::rateCodes() {
    static const std::array<quint8, kRateCount> codes = {8, 4, 2, 1};
    return codes;
}

void VelReportRate::place(QWidget *child, const QRect &base) {
    child->setGeometry(DisplayScale::scaledIn(base.translated(kBaseRect.topLeft()), kBaseRect, m_scale));
}

void VelReportRate::setScale(double factor) {
    m_scale = factor;
    setGeometry(DisplayScale::scaled(kBaseRect, factor));
    place(m_rateLabel, kRateLabelRect);
    place(m_rateButton, kRateButtonRect);
    place(m_liftLabel, kLiftLabelRect);
    for (int id = 0; id < 2; ++id)
        place(m_liftRadios[id], kLiftRadioRects[id]);
    const int mark = qMax(8, DisplayScale::scaled(12, factor));
    const QColor accent = AccentColor::current();
    const QString style = QString::asprintf(
        "QRadioButton{background:transparent;color:rgb(255,255,255)}QRadioButton:checked{color:rgb(255,255,"
        "255);}QRadioButton::indicator{width:%dpx;height:%dpx;border-radius:%dpx;border-style: solid;"
        "border-width: %dpx;border-color: rgb(100, 100, 100);}QRadioButton::indicator:checked "
        "{background-color:rgb(%d,%d,%d);}QRadioButton::indicator:unchecked {background-color:transparent; }",
        mark, mark, mark / 2 + 1, qMax(1, DisplayScale::scaled(2, factor)), accent.red(), accent.green(),
        accent.blue());
    for (QRadioButton *radio : m_liftRadios)
        radio->setStyleSheet(style);
    update();
}

void VelReportRate::retranslate() {
    m_rateLabel->setText(tr("REPORT RATE"));
    m_liftLabel->setText(tr("Lift off Distance"));
    for (int entry = 0; entry < kRateCount; ++entry)
        m_actions[entry]->setText(tr(kRateTexts[entry]));
    m_liftRadios[0]->setText(tr("1 mm"));
    m_liftRadios[1]->setText(tr("2 mm"));
    for (QRadioButton *radio : m_liftRadios)
        radio->setFont(UiLanguage::font());
    showRate();
}

void VelReportRate::refresh() {
    AppConfig &config = workingConfig();
    if (config.liftHigh != 1)
        config.liftHigh = 2;
    m_liftRadios[config.liftHigh - 1]->setChecked(true);
    showRate();
}

void VelReportRate::showRate() {
    const quint8 code = workingConfig().profile.pollRate;
    // A code outside the table leaves the button's text as it was.
    for (int entry = 0; entry < kRateCount; ++entry) {
        m_actions[entry]->setChecked(rateCodes()[entry] == code);
        if (rateCodes()[entry] == code)
            m_rateButton->setText(m_actions[entry]->text());
    }
}

void VelReportRate::chooseRate(int entry) {
    workingConfig().profile.pollRate = rateCodes()[entry];
    qCDebug(lcPerformance, "report rate code = %d", rateCodes()[entry]);
    showRate();
}

void VelReportRate::onRadioChanged() {
    const quint8 lift = static_cast<quint8>(m_liftGroup->checkedId() + 1);
    workingConfig().liftHigh = lift;
    qCDebug(lcPerformance, "m_iLift = %d", lift);
    emit RefreshLift(lift);
}

void VelReportRate::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_background);
}
