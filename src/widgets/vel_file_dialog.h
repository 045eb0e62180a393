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

    // Several files at once; a queued answer lists them separated by "|".
    static QStringList openFiles(QWidget *parent, const QString &title, const QString &filter);
    // A folder, starting at start.
    static QString folder(QWidget *parent, const QString &title, const QString &start);
    static void setNextAnswers(const QStringList &paths);
};
