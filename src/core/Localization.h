// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace velt {

// The text stored under a message key for the user's language; the key itself when no
// table has it, so a missing translation shows up on screen as its key.
QString localizedString(const char* key);
QString localizedString(const QString& key);

// The user's preferred languages, most preferred first ("ja-JP", "en-US", ...).
QStringList preferredLanguages();

// Loads the message table of the first preferred language we ship, English otherwise.
// Returns the language chosen ("en", "ja").
QString installTranslations(QCoreApplication& app);

// Fills the single printf-style integer conversion (%d, %i, %ld, %lld) of a localized format
// text with a value. The text is never handed to printf: a table with stray conversions
// cannot read beyond the one argument. "%%" is written as "%".
QString formatWithInteger(const QString& format, qint64 value);

// How many integer conversions a format text holds; the tables must have exactly one in each
// format text.
int integerConversionCount(const QString& format);

} // namespace velt
