#include <QtTest>
#include <utility>

namespace {
const QString kDataDir = QStringLiteral(KORVANE_SOURCE_DATA_DIR);

struct Message {
    QString source, translation, type;
};

// The messages of one translation source file; empty when it cannot be read or parsed.
QVector<Message> readMessages(const QString &path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    QVector<Message> messages;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("message")) {
            messages.append(Message());
        } else if (xml.name() == QLatin1String("source") && !messages.isEmpty()) {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") && !messages.isEmpty()) {
            messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.last().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return xml.hasError() ? QVector<Message>() : messages;
}

// What a translation keeps of its source: Qt's numbered arguments (%1, %L2, %n) and printf conversions
// (%d, %02x) in any order, the white space at either end and the number of menu mnemonics ("&&" is a
// plain '&').
QStringList shape(const QString &text) {
    static const QRegularExpression placeholder(
        QStringLiteral("%(?:L?\\d+|n|[-+#0]*\\d*(?:\\.\\d+)?[dsuxXifcp])"));
    static const QRegularExpression ends(QStringLiteral("^(\\s*).*?(\\s*)$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QStringList kept;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        kept << it.next().captured();
    kept.sort();
    const QRegularExpressionMatch edges = ends.match(text);
    return kept << "[" + edges.captured(1) << edges.captured(2) + "]"
                << QString::number(text.count('&') - 2 * text.count(QLatin1String("&&")));
}
} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    // Each language of the shipped configuration but English has its source file, and no other file is
    // there; every message is finished and keeps the shape of its source. (The window's start-up test loads
    // what the build compiled from them.)
    void everyMessageTranslated() {
        QSettings config(kDataDir + "/Configs/Config.ini", QSettings::IniFormat);
        QStringList offered;
        for (int i = 0; i < config.value("FONT_LIST/LANGNUM").toInt(); ++i)
            offered << config.value(QString("FONT_LIST/LangFile_%1").arg(i)).toString() + ".ts";
        // Key names follow the layout of the languages the device description names French and German.
        QSettings description(kDataDir + "/DefaultProfile.bin", QSettings::IniFormat);
        QCOMPARE(offered.value(description.value("PROFILE/french").toInt()), QString("fr.ts"));
        QCOMPARE(offered.value(description.value("PROFILE/german").toInt()), QString("de.ts"));
        offered.removeAll("en.ts");
        offered.sort();
        QCOMPARE(QDir(kDataDir + "/lang").entryList({"*.ts"}, QDir::Files, QDir::Name), offered);
        for (const QString &file : std::as_const(offered)) {
            const QVector<Message> messages = readMessages(kDataDir + "/lang/" + file);
            QVERIFY2(messages.size() > 100, qPrintable(file));
            for (const Message &m : messages)
                QVERIFY2(
                    m.type.isEmpty() && !m.translation.isEmpty() && shape(m.translation) == shape(m.source),
                    qPrintable(file + " \"" + m.source +
                               "\" is unfinished or changes its placeholders, edge spaces or mnemonics"));
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
