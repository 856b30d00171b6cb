#pragma once

class QScrollArea;
class QTextEdit;

namespace velt {

// The text view a page's scrolling text area frames: the scroll area's document widget itself,
// or the text view inside it when the layout wraps it in a contents widget.
QTextEdit* documentTextView(QScrollArea* scrollView);

} // namespace velt
