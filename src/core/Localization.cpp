// SPDX-License-Identifier: Apache-2.0
#include "core/Localization.h"

#include <QCoreApplication>
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

QString installTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    QString language = QStringLiteral("en");
    // QTranslator::load(QLocale, ...) walks the locale's uiLanguages in order.
    if (translator->load(QLocale::system(), QStringLiteral("velt"), QStringLiteral("_"),
                         QStringLiteral(":/i18n"))) {
        language = translator->language().section(QLatin1Char('_'), 0, 0);
    } else if (!translator->load(QStringLiteral(":/i18n/velt_en"))) {
        delete translator;
        return {};
    }
    QCoreApplication::installTranslator(translator);
    return language.isEmpty() ? QStringLiteral("en") : language;
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
