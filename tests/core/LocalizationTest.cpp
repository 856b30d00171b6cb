#include "core/Localization.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QTranslator>
#include <gtest/gtest.h>

namespace velt {
namespace {

struct TableEntry
{
    QString key;
    QString text;
};

QList<TableEntry> readTable(const QString& language)
{
    QFile file(QStringLiteral(VELT_TRANSLATIONS_DIR "/velt_%1.ts").arg(language));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QDomDocument document;
    EXPECT_TRUE(document.setContent(&file));
    QList<TableEntry> entries;
    const QDomNodeList messages = document.elementsByTagName(QStringLiteral("message"));
    for (int i = 0; i < messages.count(); ++i) {
        const QDomElement message = messages.at(i).toElement();
        entries.append({message.attribute(QStringLiteral("id")),
                        message.firstChildElement(QStringLiteral("translation")).text()});
    }
    return entries;
}

// The keys the program's code looks up, read off its sources, so that a key added in code
// without a text fails here instead of showing up on screen.
QStringList codeKeys()
{
    QStringList keys;
    const QRegularExpression lookup(QStringLiteral(R"re(localizedString\("(\w+)"\))re"));
    QDirIterator it(QStringLiteral(VELT_SOURCE_DIR "/src"), {QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        auto matches = lookup.globalMatch(QString::fromUtf8(file.readAll()));
        while (matches.hasNext())
            keys.append(matches.next().captured(1));
    }
    keys.removeDuplicates();
    return keys;
}
const QStringList formatKeys = {"Info_NumberOfFirmwareVersionsAvailable",
                                "Error_CouldNotDownLoadFirmware"};

TEST(MessageTables, EveryLanguageHasTheSameKeysWithTextAndOneConversionPerFormat)
{
    const QList<TableEntry> english = readTable(QStringLiteral("en"));
    const QList<TableEntry> japanese = readTable(QStringLiteral("ja"));
    QStringList englishKeys, japaneseKeys;
    for (const auto& e : english)
        englishKeys.append(e.key);
    for (const auto& e : japanese)
        japaneseKeys.append(e.key);
    EXPECT_EQ(englishKeys, japaneseKeys);
    const QStringList usedKeys = codeKeys();
    EXPECT_GT(usedKeys.size(), 20);
    for (const QString& key : usedKeys)
        EXPECT_TRUE(englishKeys.contains(key)) << key.toStdString();

    for (const auto* table : {&english, &japanese}) {
        for (const TableEntry& entry : *table) {
            EXPECT_FALSE(entry.text.trimmed().isEmpty()) << entry.key.toStdString();
            EXPECT_NE(entry.text, entry.key) << entry.key.toStdString();
            const int expected = formatKeys.contains(entry.key) ? 1 : 0;
            EXPECT_EQ(integerConversionCount(entry.text), expected)
                << entry.key.toStdString() << ": " << entry.text.toStdString();
        }
    }
}

TEST(MessageTables, CompiledTablesAnswerEveryKeyAndFallBackToTheKey)
{
    for (const QString& language : {QStringLiteral("en"), QStringLiteral("ja")}) {
        QTranslator translator;
        ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/velt_") + language));
        ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
        for (const TableEntry& entry : readTable(language))
            EXPECT_EQ(localizedString(entry.key), entry.text) << entry.key.toStdString();
        EXPECT_EQ(localizedString("Error_NoSuchKey"), QStringLiteral("Error_NoSuchKey"));
        EXPECT_EQ(localizedString("Error_Generic"), localizedString("Error_Generic"));
        QCoreApplication::removeTranslator(&translator);
    }
    EXPECT_EQ(localizedString("Error_Generic"), QStringLiteral("Error_Generic"));
}

TEST(FormatWithInteger, FillsTheOneConversionAndNothingElse)
{
    EXPECT_EQ(formatWithInteger(QStringLiteral("status %d."), 404), QStringLiteral("status 404."));
    EXPECT_EQ(formatWithInteger(QStringLiteral("%lld left"), -3), QStringLiteral("-3 left"));
    EXPECT_EQ(formatWithInteger(QStringLiteral("100%% of %ld"), 7), QStringLiteral("100% of 7"));
    // A second conversion in a bad table is shown as written, never read from memory.
    EXPECT_EQ(formatWithInteger(QStringLiteral("%d and %d %s"), 1), QStringLiteral("1 and %d %s"));
    EXPECT_EQ(formatWithInteger(QStringLiteral("no conversion"), 5),
              QStringLiteral("no conversion"));
    EXPECT_EQ(integerConversionCount(QStringLiteral("%d %i %%d %lld")), 3);
}

} // namespace
} // namespace velt
