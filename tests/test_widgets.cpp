#include "support/test_tree.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"
#include "widgets/vel_slider.h"

#include <QtTest>

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pushButtonStates_data();
    void pushButtonStates();
    void pressSignalsComeBeforeClick();
    void hoverOutAfterPressIsSilent();
    void disabledLooks();
    void numberTexts();
    void sliderTipFollowsValue();
    void labelAndLineEditSignals();
    void messageBoxKinds();
    void receiverWarningClosesWhenReceiverReturns();

private:
    QStringList images(int count) const;
    static void hover(QWidget *widget, bool in);
    TestTree *m_tree = nullptr;
};

void TestWidgets::initTestCase() {
    m_tree = new TestTree;
}

QStringList TestWidgets::images(int count) const {
    const QStringList all{m_tree->file("skin/tabbutton-1.png"), m_tree->file("skin/tabbutton-3.png"),
                          m_tree->file("skin/tabbutton-2.png"), m_tree->file("skin/min-1.png")};
    return all.mid(0, count);
}

void TestWidgets::hover(QWidget *widget, bool in) {
    QEvent event(in ? QEvent::Enter : QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

void TestWidgets::pushButtonStates_data() {
    QTest::addColumn<int>("imageCount");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<int>("onHover");
    QTest::addColumn<int>("onPress");
    QTest::addColumn<int>("onRelease");
    QTest::addColumn<int>("onLeave");
    QTest::newRow("one image never changes") << 1 << false << 0 << 0 << 0 << 0;
    QTest::newRow("two images: no pressed look") << 2 << false << 1 << 1 << 1 << 0;
    QTest::newRow("three images") << 3 << false << 1 << 2 << 1 << 0;
    QTest::newRow("checkable stays lit when checked") << 3 << true << 1 << 2 << 1 << 1;
}

void TestWidgets::pushButtonStates() {
    QFETCH(int, imageCount);
    QFETCH(bool, checkable);
    VelPushButton button(images(imageCount));
    button.resize(140, 34);
    button.setCheckable(checkable);
    hover(&button, true);
    QTEST(button.state(), "onHover");
    QTest::mousePress(&button, Qt::LeftButton);
    QTEST(button.state(), "onPress");
    QTest::mouseRelease(&button, Qt::LeftButton);
    QTEST(button.state(), "onRelease");
    hover(&button, false);
    QTEST(button.state(), "onLeave");
}

void TestWidgets::pressSignalsComeBeforeClick() {
    VelPushButton button(images(3));
    button.resize(140, 34);
    QStringList order;
    connect(&button, &VelPushButton::EnterSignal, [&](VelPushButton *b) {
        QCOMPARE(b, &button);
        order << "enter";
    });
    connect(&button, &QPushButton::clicked, [&] { order << "clicked"; });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(order, (QStringList{"enter", "clicked"}));
    // A disabled button neither signals nor changes its look.
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(order.size(), 2);
    QCOMPARE(button.state(), int(VelPushButton::kDisabled));
}

void TestWidgets::hoverOutAfterPressIsSilent() {
    VelPushButton button(images(3));
    button.resize(140, 34);
    QSignalSpy over(&button, &VelPushButton::OverSignal);
    hover(&button, true);
    hover(&button, false);
    QCOMPARE(over.count(), 2);
    QCOMPARE(over.at(1).at(1).toBool(), false);
    hover(&button, true);
    hover(&button, false);
    hover(&button, true);
    QTest::mousePress(&button, Qt::LeftButton);
    QTest::mouseRelease(&button, Qt::LeftButton);
    hover(&button, false);
    QCOMPARE(over.count(), 5);
    // Once the pointer has left after a press, the next leave is reported again.
    hover(&button, true);
    hover(&button, false);
    QCOMPARE(over.count(), 7);
}

void TestWidgets::disabledLooks() {
    VelPushButton checked(images(4));
    checked.setCheckable(true);
    checked.setChecked(true);
    checked.setEnabled(false);
    QCOMPARE(checked.state(), int(VelPushButton::kHover));
    QVERIFY(!checked.QPushButton::isEnabled());
    VelPushButton plain(images(4));
    plain.setEnabled(false);
    QCOMPARE(plain.state(), int(VelPushButton::kDisabled));
    plain.setEnabled(true);
    QCOMPARE(plain.state(), int(VelPushButton::kNormal));
    // Painting each look, the swatch and the vertical text must not fail on a short image list.
    plain.setSwatch(true);
    plain.setSwatchColor(Qt::cyan);
    QVERIFY(!plain.grab().isNull());
    VelPushButton vertical(images(1));
    vertical.resize(20, 80);
    vertical.setVerticalText(true);
    vertical.setText("DPI");
    vertical.setEnabled(false);
    QVERIFY(!vertical.grab().isNull());
}

void TestWidgets::numberTexts() {
    QCOMPARE(VelPushButton::numberText(5), QString("    5"));
    QCOMPARE(VelPushButton::numberText(252), QString("    252"));
    QVERIFY(VelPushButton::numberText(253) != VelPushButton::numberText(254));
    QVERIFY(!VelPushButton::numberText(253).contains("253"));
}

void TestWidgets::sliderTipFollowsValue() {
    QCOMPARE(VelSlider::tipX(1, 1, 100, 240, 40), 0);
    QCOMPARE(VelSlider::tipX(100, 1, 100, 240, 40), 200);
    QCOMPARE(VelSlider::tipX(50, 0, 100, 240, 40), 100);
    QCOMPARE(VelSlider::tipX(5, 5, 5, 240, 40), 0);
    QCOMPARE(VelSlider::tipX(5, 0, 10, 30, 40), 0);

    QWidget page;
    page.resize(400, 200);
    VelSlider slider(Qt::Horizontal, &page);
    slider.setGeometry(50, 100, 240, 20);
    slider.setRange(0, 100);
    VelLabel tip(&page);
    tip.resize(40, 20);
    slider.setTip(&tip);
    slider.showTip(true);
    QSignalSpy change(&slider, &VelSlider::MouseChange);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(235, 10));
    QVERIFY(tip.isVisibleTo(&page));
    QCOMPARE(tip.text(), QString::number(slider.value()));
    QCOMPARE(tip.x(), 50 + VelSlider::tipX(slider.value(), 0, 100, 240, 40));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(235, 10));
    QVERIFY(!tip.isVisibleTo(&page));
    QCOMPARE(change.count(), 1);
}

void TestWidgets::labelAndLineEditSignals() {
    VelLabel label("X:800");
    QSignalSpy pressed(&label, &VelLabel::EnterSignal);
    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(label.alignment(), Qt::AlignLeft | Qt::AlignVCenter);

    QWidget window;
    auto *edit = new VelLineEdit(&window);
    auto *other = new QLineEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy lost(edit, &VelLineEdit::velLostFocus);
    edit->setFocus();
    other->setFocus();
    QCOMPARE(lost.count(), 1);
}

void TestWidgets::messageBoxKinds() {
    VelMessageBox question(VelMessageBox::Question, QString(), "Warning", "Are you sure?");
    QCOMPARE(question.size(), QSize(478, 309));
    auto *yes = question.findChild<VelPushButton *>("msgBoxYesBtn");
    auto *no = question.findChild<VelPushButton *>("msgBoxNoBtn");
    QVERIFY(yes && no);
    QCOMPARE(yes->text(), QString("Yes"));
    saveShot(&question, "message_box_question");
    QVERIFY(yes->imageCount() == 1 && !yes->grab().isNull());
    QTimer::singleShot(0, no, [no] { QTest::mouseClick(no, Qt::LeftButton); });
    QCOMPARE(question.exec(), int(QDialog::Rejected));

    VelMessageBox info(VelMessageBox::Information, QString(), "Warning", "Profile Exist!");
    QVERIFY(!info.findChild<VelPushButton *>("msgBoxNoBtn"));
    auto *ok = info.findChild<VelPushButton *>("msgBoxYesBtn");
    QCOMPARE(ok->text(), QString("Ok"));
    QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
    QCOMPARE(info.exec(), int(QDialog::Accepted));
    QCOMPARE(info.findChild<VelLabel *>("msgBoxInfoLabel1")->text(), QString("Profile Exist!"));

    // Tests answer boxes ahead; each box shown is recorded.
    VelMessageBox::takeShownMessages();
    VelMessageBox::setNextAnswers({QDialog::Accepted, QDialog::Rejected});
    QVERIFY(VelMessageBox::ask(nullptr, "first"));
    QVERIFY(!VelMessageBox::ask(nullptr, "second"));
    QCOMPARE(VelMessageBox::takeShownMessages(), (QStringList{"first", "second"}));
}

void TestWidgets::receiverWarningClosesWhenReceiverReturns() {
    VelMessageBox::setReconnected(false);
    VelMessageBox box(VelMessageBox::ReceiverWarning, QString(), "Warning", "Dongle Disconnect!", nullptr,
                      true);
    saveShot(&box, "message_box_receiver");
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(300, [] { VelMessageBox::setReconnected(true); });
    QCOMPARE(box.exec(), int(QDialog::Accepted));
    QVERIFY(clock.elapsed() >= 300);
    QVERIFY(clock.elapsed() < 2000);
    VelMessageBox::setReconnected(false);
}

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
