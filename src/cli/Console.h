// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace velt {

// Standard output and error of a command-line run, as the terminal or the script sees them.
// While it exists, descriptors 1 and 2 lead to standard error (verbose) or nowhere, so the
// diagnostics lines and Qt's own warnings never mix into what a script reads; they come back
// when it goes.
class Console
{
public:
    explicit Console(bool verbose);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Standard output is a terminal.
    bool terminal() const { return m_terminal; }

    // A line of the output (the list, the JSON, progress when it is not a terminal).
    void print(const QString& line);
    // The progress line on a terminal, drawn again in place; the phase gives way to the
    // amounts when the line is wider than the terminal, which would wrap it.
    void redraw(const QString& phase, const QString& amounts);
    // A message for the person at the terminal, on standard error.
    void say(const QString& text);
    // A question on standard error; the answer follows on the same line.
    void prompt(const QString& text);

private:
    QString fitted(const QString& phase, int reserved) const;
    void breakLine();

    int m_out;
    int m_err;
    bool m_terminal;
    bool m_lineOpen = false;
};

} // namespace velt
