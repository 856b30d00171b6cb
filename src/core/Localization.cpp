// SPDX-License-Identifier: Apache-2.0
#include "core/Localization.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

namespace velt {
namespace {

const QRegularExpression& conversionPattern()
{
    static const QRegularExpression pattern(QStringLiteral("%%|%(?:ll|l)?[di]"));
    return pattern;
}

// The names of the tables built into the program ("en", "pt_BR", ...).
QStringList shippedTables()
{
    QStringList tables;
    const QString prefix = QStringLiteral("velt_");
    const QString suffix = QStringLiteral(".qm");
    for (const QString& file :
         QDir(QStringLiteral(":/i18n")).entryList({prefix + u'*' + suffix}, QDir::Files))
        tables.append(file.mid(prefix.size()).chopped(suffix.size()));
    return tables;
}

void install(QObject& owner, const QString& fileName, const QString& directory)
{
    auto* translator = new QTranslator(&owner);
    if (!translator->load(fileName, directory) || !QCoreApplication::installTranslator(translator))
        delete translator;
}

} // namespace

QString localizedString(const char* key)
{
    return qtTrId(key);
}

QString localizedString(const QString& key)
{
    const QByteArray utf8 = key.toUtf8();
    return qtTrId(utf8.constData());
}

QStringList preferredLanguages()
{
    return QLocale::system().uiLanguages();
}

QString chooseTranslation(const QStringList& languages)
{
    const QStringList tables = shippedTables();
    for (const QString& language : languages) {
        // QLocale fills in the likely script and region: "zh-HK" is Traditional Chinese in
        // Hong Kong, "zh" Simplified Chinese in China, "pt" Portuguese in Brazil.
        const QLocale wanted(language);
        if (wanted.language() == QLocale::C)
            continue;
        QString sameScript;
        for (const QString& table : tables) {
            const QLocale shipped(table);
            if (shipped.language() != wanted.language() || shipped.script() != wanted.script())
                continue;
            if (shipped.territory() == wanted.territory())
                return table;
            if (sameScript.isEmpty())
                sameScript = table;
        }
        if (!sameScript.isEmpty())
            return sameScript;
    }
    return QStringLiteral("en");
}

QString installTranslations(QObject& owner, const QStringList& languages)
{
    const QString table = chooseTranslation(languages);
    // Qt asks the translator installed last first, so each of these answers only what the ones
    // after it lack: Qt's own texts, ours in English, ours in the chosen language.
    install(owner, QStringLiteral("qtbase_") + table,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(owner, QStringLiteral("velt_en"), QStringLiteral(":/i18n"));
    if (table != u"en")
        install(owner, QStringLiteral("velt_") + table, QStringLiteral(":/i18n"));
    return table;
}

QString formatWithInteger(const QString& format, qint64 value)
{
    QString result;
    result.reserve(format.size() + 20);
    qsizetype position = 0;
    bool filled = false;
    auto matches = conversionPattern().globalMatch(format);
    while (matches.hasNext()) {
        const auto match = matches.next();
        result += QStringView(format).mid(position, match.capturedStart() - position);
        if (match.capturedView() == u"%%") {
            result += QLatin1Char('%');
        } else if (!filled) {
            result += QString::number(value);
            filled = true;
        } else {
            result += match.capturedView();
        }
        position = match.capturedEnd();
    }
    result += QStringView(format).mid(position);
    return result;
}

int integerConversionCount(const QString& format)
{
    int count = 0;
    auto matches = conversionPattern().globalMatch(format);
    while (matches.hasNext()) {
        if (matches.next().capturedView() != u"%%")
            ++count;
    }
    return count;
}

} // namespace velt
