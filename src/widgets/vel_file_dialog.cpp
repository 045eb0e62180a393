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

QStringList VelFileDialog::openFiles(QWidget *parent, const QString &title, const QString &filter) {
    if (!answers().isEmpty()) {
        const QString answer = answers().takeFirst();
        return answer.isEmpty() ? QStringList() : answer.split('|');
    }
    return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
}

QString VelFileDialog::folder(QWidget *parent, const QString &title, const QString &start) {
    if (!answers().isEmpty())
        return answers().takeFirst();
    return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

void VelFileDialog::setNextAnswers(const QStringList &paths) {
    answers() = paths;
}
