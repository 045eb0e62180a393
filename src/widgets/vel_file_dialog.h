#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The program's file choosers. Tests queue the answers instead of a user picking files; an empty
// answer stands for a cancelled dialog.
class VelFileDialog {
public:
    static QString openFile(QWidget *parent, const QString &title, const QString &filter);
    static QString saveFile(QWidget *parent, const QString &title, const QString &filter);

    static void setNextAnswers(const QStringList &paths);
};
