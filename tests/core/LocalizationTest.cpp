// SPDX-License-Identifier: Apache-2.0
#include "core/Localization.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace velt {
namespace {

struct TableEntry
{
    QString key;
    QString text; // of a text with plural forms, the form for 5
    bool plural = false;
};

// The table's keys with their texts, in file order.
QList<TableEntry> readTable(const QString& language)
{
    QFile file(QStringLiteral(VELT_TRANSLATIONS_DIR "/velt_%1.ts").arg(language));
    QDomDocument document;
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && document.setContent(&file));
    QList<TableEntry> entries;
    const QDomNodeList messages = document.elementsByTagName(QStringLiteral("message"));
    for (int i = 0; i < messages.count(); ++i) {
        const QDomElement message = messages.at(i).toElement();
        const QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
        // Our languages take their last plural form for 5.
        const QDomElement lastForm = translation.lastChildElement(QStringLiteral("numerusform"));
        entries.append({message.attribute(QStringLiteral("id")),
                        lastForm.isNull() ? translation.text() : lastForm.text(),
                        !lastForm.isNull()});
    }
    return entries;
}

const QString keyPattern =
    QStringLiteral(R"((?:Error|Info|Caption|ButtonCaption|Description)_[A-Z]\w*)");

// The keys the program names: every string literal in its sources that looks like a key and
// every resourceId and accessibleNameId of its pages, read off the source tree, so that a misspelt
// key fails here instead of showing up on screen.
QStringList usedKeys()
{
    const auto scan = [](const char* folder, const QStringList& filters, const QString& pattern) {
        QStringList keys;
        const QRegularExpression expression(pattern);
        QDirIterator it(QStringLiteral(VELT_SOURCE_DIR) + QLatin1String(folder), filters,
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            for (const auto& match : expression.globalMatch(QString::fromUtf8(file.readAll())))
                keys.append(match.captured(1));
        }
        EXPECT_FALSE(keys.isEmpty()) << folder;
        return keys;
    };
    return scan("/src", {"*.cpp", "*.h"}, u"\"("_s + keyPattern + u")\""_s) +
           scan("/resources/ui", {"*.ui"},
                uR"re(name="(?:resource|accessibleName)Id"[^>]*>\s*<string[^>]*>([^<]*)<)re"_s);
}

// Every table has the same keys, each with a text of its own (not empty, not a key), one
// integer conversion only in the texts that are formatted, every key the program names, and
// the compiled tables answer each one; an unknown key, or no table at all, falls back to the
// key itself.
TEST(MessageTables, EveryLanguageAnswersEveryKeyTheProgramNames)
{
    const QStringList formatKeys = {"Info_NumberOfFirmwareVersionsAvailable",
                                    "Error_CouldNotDownLoadFirmware", "Error_FlashingToolFailed",
                                    "Error_FlashingToolStopped"};
    const QRegularExpression keyLike(QRegularExpression::anchoredPattern(keyPattern));
    QStringList firstKeys; // none at all when the tables are missing: every key fails below
    for (const QString& table : QDir(VELT_TRANSLATIONS_DIR).entryList({"velt_*.ts"})) {
        const QString language = table.sliced(5).chopped(3);
        QStringList keys;
        QTranslator translator;
        ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/velt_") + language));
        ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
        for (const auto& [key, text, plural] : readTable(language)) {
            keys.append(key);
            EXPECT_FALSE(text.trimmed().isEmpty() || keyLike.match(text).hasMatch())
                << language.toStdString() << ": " << key.toStdString();
            EXPECT_EQ(integerConversionCount(text), formatKeys.contains(key) ? 1 : 0)
                << key.toStdString() << ": " << text.toStdString();
            const QString shown =
                plural ? qtTrId(key.toUtf8().constData(), 5) : localizedString(key);
            EXPECT_EQ(shown, QString(text).replace("%n", "5"))
                << language.toStdString() << ": " << key.toStdString();
        }
        EXPECT_EQ(localizedString("Error_NoSuchKey"), QStringLiteral("Error_NoSuchKey"));
        QCoreApplication::removeTranslator(&translator);
        EXPECT_EQ(keys, firstKeys.isEmpty() ? firstKeys = keys : firstKeys) << table.toStdString();
    }
    for (const QString& key : usedKeys())
        EXPECT_TRUE(firstKeys.contains(key)) << key.toStdString();
    EXPECT_EQ(localizedString("Error_Generic"), QStringLiteral("Error_Generic"));
}

TEST(FormatWithInteger, FillsTheOneConversionAndNothingElse)
{
    EXPECT_EQ(formatWithInteger(QStringLiteral("status %d."), 404), QStringLiteral("status 404."));
    EXPECT_EQ(formatWithInteger(QStringLiteral("%lld left"), -3), QStringLiteral("-3 left"));
    EXPECT_EQ(formatWithInteger(QStringLiteral("100%% of %ld"), 7), QStringLiteral("100% of 7"));
    // A second conversion in a bad table is shown as written, never read from memory.
    EXPECT_EQ(formatWithInteger(QStringLiteral("%d and %d %s"), 1), QStringLiteral("1 and %d %s"));
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
