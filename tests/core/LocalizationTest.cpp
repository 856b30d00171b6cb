// SPDX-License-Identifier: Apache-2.0
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

// The table's keys with their texts, in file order.
QList<QPair<QString, QString>> readTable(const QString& language)
{
    QFile file(QStringLiteral(VELT_TRANSLATIONS_DIR "/velt_%1.ts").arg(language));
    QDomDocument document;
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && document.setContent(&file));
    QList<QPair<QString, QString>> entries;
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
    return keys;
}

// Both languages have the same keys, each with a text, one integer conversion only in the texts
// that are formatted, every key the code looks up, and the compiled tables answer each one;
// an unknown key, or no table at all, falls back to the key itself.
TEST(MessageTables, EveryLanguageAnswersEveryKeyTheCodeUses)
{
    const QStringList formatKeys = {"Info_NumberOfFirmwareVersionsAvailable",
                                    "Error_CouldNotDownLoadFirmware"};
    const QStringList usedKeys = codeKeys();
    EXPECT_GT(usedKeys.size(), 20);
    QStringList englishKeys;
    for (const QString& language : {QStringLiteral("en"), QStringLiteral("ja")}) {
        QStringList keys;
        QTranslator translator;
        ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/velt_") + language));
        ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
        for (const auto& [key, text] : readTable(language)) {
            keys.append(key);
            EXPECT_FALSE(text.trimmed().isEmpty() || text == key) << key.toStdString();
            EXPECT_EQ(integerConversionCount(text), formatKeys.contains(key) ? 1 : 0)
                << key.toStdString() << ": " << text.toStdString();
            EXPECT_EQ(localizedString(key), text) << key.toStdString();
        }
        EXPECT_EQ(localizedString("Error_NoSuchKey"), QStringLiteral("Error_NoSuchKey"));
        QCoreApplication::removeTranslator(&translator);
        EXPECT_EQ(keys, englishKeys.isEmpty() ? englishKeys = keys : englishKeys);
    }
    for (const QString& key : usedKeys)
        EXPECT_TRUE(englishKeys.contains(key)) << key.toStdString();
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

// Preferred languages, most preferred first, and the table they read.
TEST(MessageTables, TheFirstPreferredLanguageWithATableInItsScriptIsChosen)
{
    // Each row: the languages, comma-separated, '>' and the table.
    const QString rows = QStringLiteral(
        "de-AT>de fr-CA>fr es-MX>es it>it ko-KR>ko ja_JP>ja pt-BR>pt_BR pt-PT>pt_BR pt>pt_BR "
        "zh>zh_CN zh_SG>zh_CN zh-Hans>zh_CN zh-Hans-HK>zh_CN zh-TW>zh_TW zh_HK>zh_TW zh-MO>zh_TW "
        "zh-Hant>zh_TW nl-NL,sv,ko>ko en-GB,de>en nl-NL>en C>en >en");
    for (const QString& row : rows.split(u' ')) {
        const QStringList languages = row.section(u'>', 0, 0).split(u',', Qt::SkipEmptyParts);
        EXPECT_EQ(chooseTranslation(languages), row.section(u'>', 1)) << row.toStdString();
    }
    // Ours in German over ours in English, over Qt's own German.
    QObject owner;
    EXPECT_EQ(installTranslations(owner, {QStringLiteral("de-CH")}), QStringLiteral("de"));
    EXPECT_EQ(localizedString("ButtonCaption_Next"), QStringLiteral("Weiter"));
    EXPECT_EQ(QCoreApplication::translate("QMessageBox", "Show Details..."),
              QStringLiteral("Details einblenden..."));
}

} // namespace
} // namespace velt
