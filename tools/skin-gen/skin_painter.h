#pragma once

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QString>

// Paints the skin images of the program in one dark theme with the accent colour.
class SkinPainter {
public:
    // productName names the folder of the mouse pictures under mouse/.
    SkinPainter(const QString &outputDir, const QString &productName);

    // Looks of a three-image button: normal, hover (or checked), pressed.
    enum Look { kNormalLook, kHoverLook, kPressedLook };

    // Writes every image, each picture also painted at twice its size as name@2x.png; false (with a
    // message on stderr) when one cannot be written.
    bool paintAll();
    // Writes the program's icon for the desktop's icon theme, 16 to 256 pixels square, as
    // <size>x<size>/apps/<name>.png under the output folder; false (with a message) when one cannot be.
    bool paintDesktopIcons(const QString &name);
    // Writes one image into the skin folder under name; false (with a message) when it cannot.
    bool save(const QImage &image, const QString &name);

    // A transparent image to paint on, width by height in painting coordinates, at the pixel ratio being
    // painted.
    static QImage blank(int width, int height);
    // An image's whole area in painting coordinates, whatever its pixel ratio.
    static QRectF area(const QImage &image);
    // The window outline: a rectangle with cut corners, the lower right one cut deeper.
    static QPolygonF windowOutline(qreal w, qreal h);
    // A dialog's background: the window outline, a title band and the accent line beneath it.
    QImage dialogBackground(int width, int height) const;

    static const QColor kAccent;
    static const QColor kBackground;
    static const QColor kPanel;
    static const QColor kLine;
    static const QColor kText;

private:
    bool saveData(const QByteArray &data, const QString &name);
    // The pictures the program shows, at the current pixel ratio.
    bool paintPictures();
    QImage mainBackground() const;
    QImage appIcon(int size) const;
    QImage battery(bool onCable) const;
    QImage tabButton(int look) const;
    QImage titleButton(bool close, int look) const;
    QImage languageButton() const;
    QImage warningSign() const;
    QImage unpluggedReceiver() const;
    QImage dialogButton(bool primary) const;
    QByteArray loadingAnimation() const;
    // The mouse from above; highlight is the button drawn lit (-1 none).
    QImage mouseTop(int highlight) const;
    QImage mouseSide() const;
    QImage receiver() const;
    QImage lightning() const;
    QImage mouseLogo() const;
    // round: the usual wheel labels; square: the labels of the models with a tilting wheel.
    QImage wheelArrow(bool up, bool lit, bool round = true) const;
    QImage profileIcon(const QString &kind, bool lit) const;
    // The DPI page's parts: the round mark of a stage radio, the sensor settings' check box and the
    // report-rate group's panel.
    QImage radioMark(bool on) const;
    QImage checkBox(bool checked) const;
    QImage ratePanel() const;
    bool paintMainWindowParts();

    QString m_dir;
    QString m_product;
};
