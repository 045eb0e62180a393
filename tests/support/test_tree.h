#pragma once

#include <QString>
#include <QTemporaryDir>

class QWidget;

// With KORVANE_SHOT_DIR set, saves a picture of the widget there as name.png, to look at what a test built.
void saveShot(QWidget *widget, const QString &name);

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
