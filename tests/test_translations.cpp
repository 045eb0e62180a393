#include "support/test_tree.h"
#include "widgets/language_switch.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>
#include <algorithm>

namespace {
const QString kDataDir = QStringLiteral(KORVANE_SOURCE_DATA_DIR);

struct Message {
    QString context, source, translation, type;
};

// The messages of one translation source file, in file order; empty when it cannot be read or parsed.
QVector<Message> readMessages(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QVector<Message> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.append({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source") && !messages.isEmpty()) {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") && !messages.isEmpty()) {
            messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.last().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return xml.hasError() ? QVector<Message>() : messages;
}

// Qt's numbered arguments (%1, %L2, %n) and printf conversions (%d, %s, %02x), sorted: a translation may
// reorder them but must keep each one.
QStringList placeholders(const QString &text) {
    static const QRegularExpression pattern(
        QStringLiteral("%(?:L?\\d+|n|[-+#0]*\\d*(?:\\.\\d+)?[dsuxXifcp])"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// The white space a text starts and ends with, and the number of its menu mnemonics ("&&" is a plain '&').
QString edges(const QString &text) {
    const int lead =
        int(std::find_if_not(text.begin(), text.end(), [](QChar c) { return c.isSpace(); }) - text.begin());
    const int trail = int(std::find_if_not(text.rbegin(), text.rend(), [](QChar c) { return c.isSpace(); }) -
                          text.rbegin());
    const int mnemonics = text.count('&') - 2 * text.count(QLatin1String("&&"));
    return QStringLiteral("[%1|%2|%3]")
        .arg(text.left(lead), text.right(qMin(trail, text.size() - lead)))
        .arg(mnemonics);
}

// The translation files the shipped configuration offers (every language but English), by language index.
QMap<int, QString> offeredLanguages() {
    QSettings config(kDataDir + "/Configs/Config.ini", QSettings::IniFormat);
    QMap<int, QString> files;
    for (int i = 0; i < config.value("FONT_LIST/LANGNUM").toInt(); ++i) {
        const QString file = config.value(QString("FONT_LIST/LangFile_%1").arg(i)).toString();
        if (file != QLatin1String("en"))
            files.insert(i, file);
    }
    return files;
}
} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    // Every offered language has its source file and no other file is there; each file holds the same
    // messages, every one translated, keeping placeholders, edge spaces and mnemonics; the compiled file
    // gives every translation back.
    void everyMessageTranslated() {
        const QMap<int, QString> offered = offeredLanguages();
        QStringList files = QDir(kDataDir + "/lang").entryList({"*.ts"}, QDir::Files, QDir::Name);
        files.replaceInStrings(QRegularExpression("\\.ts$"), QString());
        QStringList expected = offered.values();
        expected.sort();
        QCOMPARE(files, expected);
        QSet<QString> firstKeys;
        for (const QString &language : files) {
            const QVector<Message> messages = readMessages(kDataDir + "/lang/" + language + ".ts");
            QVERIFY2(messages.size() > 100, qPrintable(language));
            QTranslator compiled;
            QVERIFY2(compiled.load(TestTree::distDir() + "/lang/" + language + ".qm"), qPrintable(language));
            QSet<QString> keys;
            for (const Message &m : messages) {
                const QString where = language + " " + m.context + " \"" + m.source + "\"";
                keys << m.context + '\n' + m.source;
                QVERIFY2(m.type.isEmpty() && !m.translation.isEmpty(),
                         qPrintable(where + " is not finished"));
                QVERIFY2(placeholders(m.translation) == placeholders(m.source),
                         qPrintable(where + " changes its placeholders"));
                QVERIFY2(edges(m.translation) == edges(m.source),
                         qPrintable(where + " changes its edge spaces or mnemonics"));
                QVERIFY2(compiled.translate(qPrintable(m.context), qPrintable(m.source)) == m.translation,
                         qPrintable(where + " differs in the compiled file"));
            }
            if (firstKeys.isEmpty())
                firstKeys = keys;
            QVERIFY2(keys == firstKeys, qPrintable(language + " holds other messages than " + files.first()));
        }
    }

    // Picking a language in the program loads its compiled file, from texts of a class, of a message table
    // and of the device layer, and English again shows the source texts.
    void languageSwitchLoadsFile() {
        TestTree tree;
        QVERIFY(tree.isValid());
        const std::tuple<int, const char *, const char *, QString> rows[] = {
            {2, "MacroDialog", "START", QStringLiteral("STARTEN")},
            {2, "MacroList", "TOO MANY MACROS TO BE CREATE!",
             QStringLiteral("ES KÖNNEN KEINE WEITEREN MAKROS ERSTELLT WERDEN!")},
            {1, "MacroDialog", "START", QStringLiteral("DÉMARRER")},
            {1, "battery", "1000 HZ", QStringLiteral("1000 Hz")},
            {0, "MacroDialog", "START", QStringLiteral("START")}};
        LanguageSwitch languages;
        for (const auto &[index, context, source, expected] : rows) {
            languages.select(index);
            QVERIFY2(QCoreApplication::translate(context, source) == expected,
                     qPrintable(QString("%1 %2 %3").arg(index).arg(context, source)));
        }
    }

    // Key names follow the keyboard layout of the language: the device description names the French and
    // German language indexes of the shipped configuration.
    void layoutLanguagesMatchConfiguration() {
        QSettings description(kDataDir + "/DefaultProfile.bin", QSettings::IniFormat);
        const QMap<int, QString> offered = offeredLanguages();
        const std::pair<const char *, const char *> rows[] = {{"PROFILE/french", "fr"},
                                                              {"PROFILE/german", "de"}};
        for (const auto &[key, file] : rows)
            QVERIFY2(offered.value(description.value(key, -1).toInt()) == file, key);
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
