#include "widgets/vel_file_dialog.h"

#include <QFileDialog>

namespace {
QStringList &answers() {
    static QStringList queue;
    return queue;
}
} // namespace

QString VelFileDialog::openFile(QWidget *parent, const QString &title, const QString &filter) {
    if (!answers().isEmpty())
        return answers().takeFirst();
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString VelFileDialog::saveFile(QWidget *parent, const QString &title, const QString &filter) {
    if (!answers().isEmpty())
        return answers().takeFirst();
    return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}

void VelFileDialog::setNextAnswers(const QStringList &paths) {
    answers() = paths;
}
