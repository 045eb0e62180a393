#include "buttons/vel_macro_select.h"

#include "storage/config_file.h"
#include "widgets/accent_color.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kNameButtonHeight = 24;
}

VelMacroSelect::VelMacroSelect(double scale, QWidget *parent, int function)
    : VelKeyDialog(scale, function == devicecode::kGunFile ? tr("GUNFILE SELECT") : tr("MACRO SELECT"),
                   parent) {
    auto *scroll = new QScrollArea(this);
    scroll->setGeometry(scaled(QRect(24, 44, 170, 76)));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setStyleSheet(
        QString("QScrollArea, QScrollArea > QWidget > QWidget{background: rgb(18,18,22);}"
                "QScrollBar:vertical{background: rgb(30,30,34); width: %1px; margin: 0;}"
                "QScrollBar::handle:vertical{background: %2; min-height: %3px;"
                " border-radius: %4px;}"
                "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical{height: 0;}"
                "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical{background: none;}")
            .arg(px(8))
            .arg(AccentColor::current().name())
            .arg(px(20))
            .arg(px(3)));
    auto *column = new QWidget(scroll);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(px(2), px(2), px(2), px(2));
    layout->setSpacing(px(4));
    for (const QString &name : config::listMacros()) {
        QToolButton *button =
            addTextButton(QStringLiteral("macroButton"), QRect(0, 0, 120, kNameButtonHeight), column);
        button->setText(name);
        button->setMinimumHeight(px(kNameButtonHeight));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(button, &QToolButton::clicked, this, &VelMacroSelect::onCustomMenuButtonClicked);
        layout->addWidget(button);
    }
    layout->addStretch();
    scroll->setWidget(column);
    scroll->setWidgetResizable(true);

    m_nameButton = addTextButton(QStringLiteral("nameButton"), QRect(206, 44, 170, 30));
    const QString modeTexts[] = {tr("LOOPS TIME(1-255)"), tr("REPEAT RUN WHEN KEY DOWN"),
                                 tr("REPEAT RUN UNTIL THE KEY DOWN")};
    const QRect modePlaces[] = {{24, 128, 176, 22}, {24, 152, 352, 22}, {24, 176, 352, 22}};
    m_modes = new QButtonGroup(this);
    for (int mode = 0; mode < 3; ++mode)
        m_modes->addButton(
            addCheckBox(QStringLiteral("loopMode%1").arg(mode), modeTexts[mode], modePlaces[mode]), mode);
    m_countEdit = addEdit(QStringLiteral("loopCountEdit"), QRect(206, 127, 54, 24));
    m_countEdit->setMaxLength(3);
    m_countEdit->setValidator(new QIntValidator(1, 255, m_countEdit));
    connect(m_countEdit, &QLineEdit::textChanged, this, &VelMacroSelect::OnEditDataChanged);
    SetMacro(QString(), 1, 0);
}

void VelMacroSelect::SetMacro(const QString &name, int loopCount, quint8 loopMode) {
    m_name = name;
    m_nameButton->setText(name);
    m_countEdit->setText(QString::number(loopCount));
    if (QAbstractButton *mode = m_modes->button(loopMode))
        mode->setChecked(true);
}

int VelMacroSelect::LoopCount() const {
    return m_countEdit->text().toInt();
}

quint8 VelMacroSelect::LoopMode() const {
    return static_cast<quint8>(qMax(0, m_modes->checkedId()));
}

void VelMacroSelect::OnEditDataChanged(const QString &) {
    clampCount(m_countEdit);
}

void VelMacroSelect::onCustomMenuButtonClicked() {
    if (const auto *button = qobject_cast<QToolButton *>(sender())) {
        m_name = button->text();
        m_nameButton->setText(m_name);
    }
}
