#pragma once

// The few places where Qt 6 and Qt 5 ask for different code. The program builds with either; everything
// that differs between them is said here once, so no other file needs a version check.

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
// The event a widget's enterEvent() receives.
using QtEnterEvent = QEnterEvent;

// Where on the screen a mouse event happened, in whole pixels.
inline QPoint globalPoint(const QMouseEvent *event) {
    return event->globalPosition().toPoint();
}

// The window is scaled once. Qt 6 always scales by the screen's device pixel ratio (the desktop's scale,
// fractions included); the logical DPI it then reports is 96, so the program's own scale steps stay at
// 1.0 and text and pictures are drawn at the screen's full resolution. Called before the application.
inline void chooseToolkitScaling() {}

// QIconEngine::availableSizes() is const in Qt 5 only.
#define KORVANE_QT5_CONST
#else
using QtEnterEvent = QEvent;

inline QPoint globalPoint(const QMouseEvent *event) {
    return event->globalPos();
}

// Qt 5 scales only by whole factors (or blurred, for fractions): its scaling stays off, the logical DPI
// is the desktop's own, and the program's scale steps follow it.
inline void chooseToolkitScaling() {
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
}

#define KORVANE_QT5_CONST const
#endif
