#pragma once

#include "widgets/display_scale.h"

#include <QPixmap>
#include <QPoint>
#include <QSystemTrayIcon>
#include <QVector>
#include <QWidget>
#include <array>

class QAction;
class QMenu;
class QTranslator;
class VelPushButton;

// The main window: frameless and shaped by its skin, scaled in steps with the screen's DPI, living on in
// the tray when closed.
class KorvaneWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 999;
    static constexpr int kBaseHeight = 640;
    static constexpr int kDragThreshold = 4; // pixels, horizontal plus vertical distance
    static constexpr int kPageCount = 4;

    explicit KorvaneWidget(QWidget *parent = nullptr);
    ~KorvaneWidget() override;

    static QSize windowSizeForStep(int step);

    int mouseCount() const { return m_iMouseCount; }
    int scaleStep() const { return m_iDpiVal; }
    int languageCount() const { return m_iLangNum; }
    bool languageButtonVisible() const;
    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    int currentPage() const { return m_iPage; }

public slots:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    // Shows the window after start-up and reconnection.
    void slotWarning();
    void switchPage(int page);
    // Makes language index the current one, stores the choice and translates the window again.
    void setLanguage(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private slots:
    void onButtonClicked();

private:
    void applyScaleStep(int step);
    void followScreenScale();
    const QPixmap &backgroundForStep(int step);
    void buildWidgets();
    void layoutWidgets();
    void loadLanguage();
    void createTray();
    void retranslate();
    void showLanguageMenu();

    QString m_appDir;
    int m_iDpiVal = 0;
    int m_iPrevDpiVal = 0;
    double m_factor = 1.0;
    int m_iWidth = kBaseWidth;
    int m_iHeight = kBaseHeight;
    std::array<QPixmap, DisplayScale::kStepCount> m_backgrounds;
    QPixmap m_batteryFull;
    QPixmap m_batteryEmpty;
    QStringList m_tabImages;

    int m_iMouseCount = 0;
    int m_iLangNum = 0;
    int m_iLangIndex = 0;
    QStringList m_langNames;
    QStringList m_langFiles;
    QTranslator *m_translator = nullptr;

    VelPushButton *m_closeButton = nullptr;
    VelPushButton *m_minButton = nullptr;
    VelPushButton *m_langButton = nullptr;
    std::array<VelPushButton *, kPageCount> m_tabs{};
    int m_iPage = 0;

    QSystemTrayIcon *m_trayIcon = nullptr;
    QMenu *m_trayMenu = nullptr;
    QAction *m_loadConfigAction = nullptr;
    QAction *m_quitAction = nullptr;

    bool m_dragging = false;
    QPoint m_pressPos;
};
