#include "buttons/vel_fire_key_window.h"

#include "buttons/button_assignment_rules.h"
#include "buttons/button_catalog.h"
#include "buttons/key_capture.h"
#include "device/device_code_table.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>

namespace {
constexpr KeyCode kFirstButtonKey = 240; // 240-242: left, right, middle button
constexpr int kDefaultTimes = 3;
constexpr int kDefaultDelay = 20;

int countOf(const QLineEdit *edit) {
    return qBound(1, edit->text().toInt(), 255);
}
} // namespace

VelFireKeyWindow::VelFireKeyWindow(double scale, QWidget *parent)
    : VelKeyDialog(scale, buttoncatalog::functionLabel(devicecode::kFire), parent) {
    const QString names[] = {tr("Left"), tr("Right"), tr("Middle"), tr("Keyboard Key")};
    const char *objectNames[] = {"leftBox", "rightBox", "middleBox", "keyboardKeyBox"};
    const QRect places[] = {{40, 48, 100, 26}, {150, 48, 100, 26}, {260, 48, 100, 26}, {40, 82, 130, 26}};
    for (int type = 0; type < int(m_boxes.size()); ++type) {
        m_boxes[type] = addCheckBox(QLatin1String(objectNames[type]), names[type], places[type]);
        connect(m_boxes[type], &QCheckBox::clicked, this, &VelFireKeyWindow::checkbtn_clicked);
    }
    m_caption = addTextButton(QStringLiteral("keyCaption"), QRect(180, 80, 180, 30));
    addLabel(tr("Times:"), QRect(40, 116, 130, 26));
    m_timesEdit = addEdit(QStringLiteral("timesEdit"), QRect(180, 116, 80, 26));
    addLabel(tr("Delay:"), QRect(40, 148, 130, 26));
    m_delayEdit = addEdit(QStringLiteral("delayEdit"), QRect(180, 148, 80, 26));
    m_capture = new KeyCapture(this, InputHook::Mode::PassOn, m_caption,
                               addLabel(QString(), QRect(24, 180, 352, 22)));
    connect(m_capture, &KeyCapture::keyArrived, this, [this](int code, int flags) {
        if (takesKeys())
            OnKey(code, flags);
    });
    for (QLineEdit *edit : {m_timesEdit, m_delayEdit})
        connect(edit, &QLineEdit::returnPressed, this, &VelFireKeyWindow::onEditReturn);
    m_timesEdit->setText(QString::number(kDefaultTimes));
    m_delayEdit->setText(QString::number(kDefaultDelay));
    connect(m_timesEdit, &QLineEdit::textChanged, this, &VelFireKeyWindow::OnEditDataChanged);
    connect(m_delayEdit, &QLineEdit::textChanged, this, &VelFireKeyWindow::OnEditDataChanged2);
    setType(kLeft);
}

void VelFireKeyWindow::SetFireKey(const ButtonAssignment &record) {
    const KeyCode key = buttonrules::fireKeyOf(record.fireTarget());
    if (key >= kFirstButtonKey) {
        setType(static_cast<quint8>(key - kFirstButtonKey));
    } else {
        setType(kKeyboardKey);
        m_key = key;
        m_capture->showKey(key);
        updateOkButton();
    }
    m_timesEdit->setText(QString::number(record.fireTimes()));
    m_delayEdit->setText(QString::number(record.fireDelay()));
}

KeyCode VelFireKeyWindow::fireKey() const {
    return m_type == kKeyboardKey ? m_key : static_cast<KeyCode>(kFirstButtonKey + m_type);
}

int VelFireKeyWindow::times() const {
    return countOf(m_timesEdit);
}

int VelFireKeyWindow::delay() const {
    return countOf(m_delayEdit);
}

bool VelFireKeyWindow::choiceComplete() const {
    return m_type != kKeyboardKey || m_key != 0;
}

void VelFireKeyWindow::accept() {
    if (choiceComplete())
        VelKeyDialog::accept();
}

void VelFireKeyWindow::updateOkButton() {
    okButton()->setEnabled(choiceComplete());
}

bool VelFireKeyWindow::takesKeys() const {
    return m_keySelected && m_type == kKeyboardKey && !m_timesEdit->hasFocus() && !m_delayEdit->hasFocus();
}

void VelFireKeyWindow::OnKey(int code, int flags) {
    if (!m_capture->take(code, flags))
        return;
    m_key = static_cast<KeyCode>(code);
    m_keySelected = true;
    updateOkButton();
}

void VelFireKeyWindow::setType(quint8 type) {
    m_type = type;
    for (int box = 0; box < int(m_boxes.size()); ++box)
        m_boxes[box]->setChecked(box == type);
    m_keySelected = type == kKeyboardKey;
    setCapturesKeys(m_keySelected);
    m_caption->setEnabled(m_keySelected);
    if (m_keySelected) {
        m_caption->setFocus();
    } else {
        m_key = 0;
        m_capture->showKey(0);
    }
    updateOkButton();
}

void VelFireKeyWindow::checkbtn_clicked() {
    for (int type = 0; type < int(m_boxes.size()); ++type) {
        if (sender() == m_boxes[type])
            setType(static_cast<quint8>(type));
    }
    emitValue();
}

void VelFireKeyWindow::OnEditDataChanged(const QString &) {
    clampCount(m_timesEdit);
    emitValue();
}

void VelFireKeyWindow::OnEditDataChanged2(const QString &) {
    clampCount(m_delayEdit);
    emitValue();
}

void VelFireKeyWindow::onEditReturn() {
    m_caption->setFocus();
}

void VelFireKeyWindow::emitValue() {
    emit SetFireKeyValue(m_key, m_type, static_cast<quint8>(times()), static_cast<quint8>(delay()));
}
