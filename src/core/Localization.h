// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

class QObject;

namespace velt {

// The text stored under a message key for the user's language; the key itself when no
// table has it, so a missing translation shows up on screen as its key.
QString localizedString(const char* key);
QString localizedString(const QString& key);

// The user's preferred languages, most preferred first ("ja-JP", "en-US", ...).
QStringList preferredLanguages();

// The message table for the preferred languages, most preferred first: the first language we
// ship a table for in the same script, whatever the region (pt-PT reads the Brazilian table,
// zh-HK and zh-Hant the Traditional Chinese one, zh-SG the Simplified one); "en" when none.
// Returns the table's name ("en", "de", "zh_TW").
QString chooseTranslation(const QStringList& languages);

// Installs the chosen table over the English one, so that a key the chosen table lacks reads
// in English, with Qt's own texts in that language beneath both (the buttons of a message box,
// the file dialog). The translators belong to owner. Returns the table chosen.
QString installTranslations(QObject& owner, const QStringList& languages = preferredLanguages());

// Fills the single printf-style integer conversion (%d, %i, %ld, %lld) of a localized format
// text with a value. The text is never handed to printf: a table with stray conversions
// cannot read beyond the one argument. "%%" is written as "%".
QString formatWithInteger(const QString& format, qint64 value);

// How many integer conversions a format text holds; the tables must have exactly one in each
// format text.
int integerConversionCount(const QString& format);

} // namespace velt
