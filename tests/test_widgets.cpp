#include "support/test_tree.h"
#include "widgets/vel_label.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"
#include "widgets/vel_slider.h"

#include <QtTest>

class TestWidgets : public QObject {
    Q_OBJECT
    TestTree m_tree;

    QStringList images(int count) const {
        QStringList all;
        for (const char *name : {"tabbutton-1", "tabbutton-3", "tabbutton-2", "min-1"})
            all << m_tree.file(QString("skin/%1.png").arg(name));
        return all.mid(0, count);
    }
    static void hover(QWidget *widget, bool in) {
        QEvent event(in ? QEvent::Enter : QEvent::Leave);
        QApplication::sendEvent(widget, &event);
    }

private slots:
    // States 0 normal, 1 hover, 2 pressed, 3 disabled along hover, press, release, leave, then disabling.
    // A leave right after a press is not reported; the next one is.
    void pushButtonStates_data() {
        QTest::addColumn<int>("imageCount");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("onHover");
        QTest::addColumn<int>("onPress");
        QTest::addColumn<int>("onRelease");
        QTest::addColumn<int>("onLeave");
        QTest::addColumn<int>("onDisable");
        QTest::newRow("one image never changes") << 1 << false << false << 0 << 0 << 0 << 0 << 3;
        QTest::newRow("two images: no pressed look") << 2 << false << false << 1 << 1 << 1 << 0 << 3;
        QTest::newRow("three images") << 3 << false << false << 1 << 2 << 1 << 0 << 3;
        QTest::newRow("checkable, checked by the click") << 3 << true << false << 1 << 2 << 1 << 1 << 1;
        QTest::newRow("checkable, unchecked by the click") << 4 << true << true << 1 << 0 << 1 << 0 << 3;
    }
    void pushButtonStates() {
        QFETCH(int, imageCount);
        QFETCH(bool, checkable);
        QFETCH(bool, checked);
        QFETCH(int, onLeave);
        VelPushButton button(images(imageCount));
        button.resize(140, 34);
        button.setCheckable(checkable);
        button.setChecked(checked);
        QSignalSpy over(&button, &VelPushButton::OverSignal);
        hover(&button, true);
        QTEST(button.state(), "onHover");
        QTest::mousePress(&button, Qt::LeftButton);
        QTEST(button.state(), "onPress");
        QTest::mouseRelease(&button, Qt::LeftButton);
        QTEST(button.state(), "onRelease");
        hover(&button, false);
        QCOMPARE(button.state(), onLeave);
        QCOMPARE(over.count(), 1);
        hover(&button, true);
        hover(&button, false);
        QVERIFY(over.count() == 3 && !over.at(2).at(1).toBool());
        QCOMPARE(button.state(), onLeave);
        button.setEnabled(false);
        QTEST(button.state(), "onDisable");
        QVERIFY(!button.QPushButton::isEnabled() && !button.grab().isNull());
        button.setEnabled(true);
        QCOMPARE(button.state(), onLeave);
    }

    void pressSignalsComeBeforeClick() {
        VelPushButton button(images(3));
        button.resize(140, 34);
        QStringList order;
        connect(&button, &VelPushButton::EnterSignal,
                [&](VelPushButton *b) { order << (b == &button ? "enter" : "?"); });
        connect(&button, &QPushButton::clicked, [&] { order << "clicked"; });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(order, (QStringList{"enter", "clicked"}));
        // A disabled button neither signals nor changes its look.
        button.setEnabled(false);
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(order.size() == 2 && button.state() == VelPushButton::kDisabled);
    }

    // The tip spans the slider less its own width; an empty range or a tip wider than the slider stays at 0.
    void sliderTipFollowsValue() {
        QVERIFY(VelSlider::tipX(1, 1, 100, 240, 40) == 0 && VelSlider::tipX(100, 1, 100, 240, 40) == 200);
        QVERIFY(VelSlider::tipX(5, 5, 5, 240, 40) == 0 && VelSlider::tipX(5, 0, 10, 30, 40) == 0);
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
        QVERIFY(tip.isVisibleTo(&page) && tip.text() == QString::number(slider.value()));
        QCOMPARE(tip.x(), 50 + VelSlider::tipX(slider.value(), 0, 100, 240, 40));
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(235, 10));
        QVERIFY(!tip.isVisibleTo(&page) && change.count() == 1);
    }

    // A question has Yes and No, information only Ok (answering boxes ahead is used by test_main_window).
    void messageBoxKinds() {
        VelMessageBox question(VelMessageBox::Question, QString(), "Warning", "Are you sure?");
        QCOMPARE(question.size(), QSize(478, 309));
        auto *yes = question.findChild<VelPushButton *>("msgBoxYesBtn");
        auto *no = question.findChild<VelPushButton *>("msgBoxNoBtn");
        QVERIFY(yes && no && yes->text() == "Yes" && yes->imageCount() == 1);
        saveShot(&question, "message_box_question");
        QTimer::singleShot(0, no, [no] { QTest::mouseClick(no, Qt::LeftButton); });
        QCOMPARE(question.exec(), int(QDialog::Rejected));

        VelMessageBox info(VelMessageBox::Information, QString(), "Warning", "Profile Exist!");
        QVERIFY(!info.findChild<VelPushButton *>("msgBoxNoBtn"));
        auto *ok = info.findChild<VelPushButton *>("msgBoxYesBtn");
        QCOMPARE(ok->text(), QString("Ok"));
        QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
        QCOMPARE(info.exec(), int(QDialog::Accepted));
        QCOMPARE(info.findChild<VelLabel *>("msgBoxInfoLabel1")->text(), QString("Profile Exist!"));
    }

    // The receiver warning polls and closes by itself once the receiver is back.
    void receiverWarningClosesWhenReceiverReturns() {
        VelMessageBox::setReconnected(false);
        VelMessageBox box(VelMessageBox::ReceiverWarning, QString(), "Warning", "Dongle Disconnect!", nullptr,
                          true);
        saveShot(&box, "message_box_receiver");
        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(300, [] { VelMessageBox::setReconnected(true); });
        QCOMPARE(box.exec(), int(QDialog::Accepted));
        QVERIFY(clock.elapsed() >= 300 && clock.elapsed() < 2000);
        VelMessageBox::setReconnected(false);
    }
};

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
