#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>

// A fresh application directory for one input, with the shipped device description and configuration
// files (Config.ini, LangConfig.ini, the product's Config.ini); AppPaths points at it while it lives.
// Every input gets a folder of its own, so that no settings file read for one input is served from the
// settings layer's cache of an earlier one.
class FuzzTree {
public:
    static constexpr const char *kProduct = "Korvane M7 Wireless";

    // extra: further shipped files (paths relative to the application directory) to copy in.
    explicit FuzzTree(std::initializer_list<const char *> extra = {});
    ~FuzzTree();
    FuzzTree(const FuzzTree &) = delete;
    FuzzTree &operator=(const FuzzTree &) = delete;

    QString path() const { return m_path; }
    QString file(const QString &relative) const { return m_path + "/" + relative; }
    // Writes bytes to the file, making its folder; aborts when that fails, as no property means anything
    // then.
    void write(const QString &relative, const QByteArray &bytes) const;
    void remove(const QString &relative) const;

    // A shipped file as the repository holds it (relative to data/), read once per process.
    static QByteArray shipped(const QString &relative);
    static QString productConfig() { return QStringLiteral("Configs/%1/Config.ini").arg(kProduct); }
    static QString productProfile(const char *name) {
        return QStringLiteral("Configs/%1/Profile/%2.prof").arg(kProduct, QLatin1String(name));
    }

private:
    QString m_path;
};
