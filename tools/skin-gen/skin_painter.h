#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Paints the skin images of the program in one dark theme with the accent colour.
class SkinPainter {
public:
    explicit SkinPainter(const QString &outputDir);

    // Writes every image; false (with a message on stderr) when one cannot be written.
    bool paintAll();

    static const QColor kAccent;
    static const QColor kBackground;
    static const QColor kPanel;
    static const QColor kLine;
    static const QColor kText;

private:
    bool save(const QImage &image, const QString &name);
    bool saveData(const QByteArray &data, const QString &name);
    QImage mainBackground() const;
    QImage appIcon(int size) const;
    QImage battery(bool onCable) const;
    QImage tabButton(int look) const;
    QImage titleButton(bool close, int look) const;
    QImage languageButton() const;
    QImage dialogBackground() const;
    QImage warningSign() const;
    QImage unpluggedReceiver() const;
    QImage dialogButton(bool primary) const;
    QByteArray loadingAnimation() const;

    QString m_dir;
};
