// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QFont>
#include <QStringList>
#include <optional>

class QWidget;

namespace velt {

// The face our Japanese texts were designed with.
inline constexpr const char* japaneseFontFamily = "HiraKakuPro-W3";
// Used when the face above is not installed (it never is on Linux): the Japanese member of
// the Noto CJK family, which the distribution ships as fonts-noto-cjk.
inline constexpr const char* japaneseFallbackFamily = "Noto Sans CJK JP";
// Size used when a control has no point size of its own (its font is set in pixels).
inline constexpr qreal defaultJapaneseFontSize = 14;

// True when the user's most preferred language is Japanese ("ja", "ja-JP", ...). Only the first
// entry counts.
bool prefersJapanese(const QStringList& preferredLanguages);

// The font a localizable control switches to for a Japanese-first user: the Japanese face at
// the control's current point size (14 when it has none). None when neither the Japanese face
// nor its fallback is installed; the control then keeps its font, because an arbitrary
// substitute could lack the Japanese glyphs' metrics the layout was checked with.
std::optional<QFont> japaneseFontFor(const QFont& current);

// Applies the rule above to a control for the user's preferred languages.
void applyJapaneseFontIfPreferred(QWidget& control, const QStringList& preferredLanguages);

} // namespace velt
