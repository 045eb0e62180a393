#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

class QWidget;

// With KORVANE_SHOT_DIR set, saves a picture of the widget there as name.png, to look at what a test built.
void saveShot(QWidget *widget, const QString &name);

// The file's bytes, empty when it cannot be read.
QByteArray readFile(const QString &path);
// Writes the file whole, making its folder first.
bool writeFile(const QString &path, const QByteArray &bytes);
// Path and bytes of every file under root, hidden ones included: two calls compare equal only when no file
// was added, removed or changed in between.
QMap<QString, QByteArray> filesUnder(const QString &root);
// An entry of a process table the test builds under root, as the kernel shows a process: its command
// name, and the link to its executable where one is given.
bool addProcessEntry(const QString &root, qint64 pid, const QString &name, const QString &exe = QString());

// A fresh copy of the installed tree (build/dist) for one test; AppPaths points at it while it lives.
class TestTree {
public:
    TestTree();
    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.path() + "/" + relative; }

    // Sets key = value in an INI file of the tree.
    void setIniValue(const QString &relative, const QString &key, const QVariant &value) const;
    bool remove(const QString &relative) const;

    static QString distDir() { return QStringLiteral(KORVANE_DIST_DIR); }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};
