// SPDX-License-Identifier: Apache-2.0
#pragma once

class QWidget;

namespace velt {

// Brings a page built by its form into the user's language: every localizable control takes
// the text of its message key (and the Japanese font rule), every widget with an
// "accessibleNameId" property the text of that key as its accessible name, and the page the
// text of its "titleLabel" as its own.
void localizeControls(QWidget& page);

} // namespace velt
