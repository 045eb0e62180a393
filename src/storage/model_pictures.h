#pragma once

#include <QString>
#include <QStringList>

// The pictures that show a mouse model, by product name, as paths inside the skin folder: the front
// picture with one highlighted copy per programmable button, the side picture, and the scroll-wheel
// labels, which some models draw in a style of their own.
namespace modelpictures {

QString front(const QString &product);
// button counts from 0.
QString buttonHighlight(const QString &product, int button);
QString side(const QString &product);
// Whether the model's wheel labels use the second arrow style.
bool specialWheel(const QString &product);
// Images of the wheel-up and wheel-down labels: normal, hover, pressed.
QStringList wheelUpImages(const QString &product);
QStringList wheelDownImages(const QString &product);

} // namespace modelpictures
