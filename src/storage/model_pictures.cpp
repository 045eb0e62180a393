#include "storage/model_pictures.h"

namespace {
// Models whose wheel labels are drawn with the second arrow style.
const QStringList &specialWheelModels() {
    static const QStringList models = {
        "QUILMARA2", "VORTANE",  "BRASKEL",    "HALVERN FPS", "HALVERN",  "MORVAIN", "MORVAIN3", "TESKOL",
        "Z4Q1",      "K417-RGB", "5170-T8841", "GRENDOVA",    "K301",     "K302",    "K305-RGB", "SALVETH",
        "K306-PRO",  "K306-RGB", "K306-RGB2",  "ORLUNE2",     "VANTREL2", "CADMIRE"};
    return models;
}

QStringList arrowImages(const QString &product, const char *direction) {
    const bool special = modelpictures::specialWheel(product);
    const QString normal =
        QString::fromLatin1("btn_%1%2.png").arg(QLatin1String(direction)).arg(special ? 4 : 2);
    const QString lit =
        QString::fromLatin1("btn_%1%2.png").arg(QLatin1String(direction)).arg(special ? 3 : 1);
    return {normal, lit, lit};
}
} // namespace

namespace modelpictures {

QString front(const QString &product) {
    return "mouse/" + product + "/Mouse.png";
}

QString buttonHighlight(const QString &product, int button) {
    return "mouse/" + product + QString::asprintf("/mouse_%d.png", button + 1);
}

QString side(const QString &product) {
    return "mouse/" + product + "_Side.png";
}

bool specialWheel(const QString &product) {
    return specialWheelModels().contains(product);
}

QStringList wheelUpImages(const QString &product) {
    return arrowImages(product, "up");
}

QStringList wheelDownImages(const QString &product) {
    return arrowImages(product, "down");
}

} // namespace modelpictures
