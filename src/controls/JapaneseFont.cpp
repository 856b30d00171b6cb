// SPDX-License-Identifier: Apache-2.0
#include "controls/JapaneseFont.h"

#include <QFontDatabase>
#include <QWidget>

namespace velt {

bool prefersJapanese(const QStringList& preferredLanguages)
{
    return !preferredLanguages.isEmpty() &&
           preferredLanguages.first().startsWith(QLatin1String("ja"), Qt::CaseSensitive);
}

std::optional<QFont> japaneseFontFor(const QFont& current)
{
    QString family;
    for (const char* candidate : {japaneseFontFamily, japaneseFallbackFamily}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(candidate))) {
            family = QString::fromLatin1(candidate);
            break;
        }
    }
    if (family.isEmpty())
        return std::nullopt;
    const qreal size = current.pointSizeF() > 0 ? current.pointSizeF() : defaultJapaneseFontSize;
    QFont font(family);
    font.setPointSizeF(size);
    font.setBold(current.bold());
    return font;
}

void applyJapaneseFontIfPreferred(QWidget& control, const QStringList& preferredLanguages)
{
    if (!prefersJapanese(preferredLanguages))
        return;
    if (const auto font = japaneseFontFor(control.font()))
        control.setFont(*font);
}

} // namespace velt
