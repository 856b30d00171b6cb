// SPDX-License-Identifier: Apache-2.0
#include "cli/Console.h"

#include <QByteArray>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace velt {
namespace {

// A closed reader (SIGPIPE is ignored) only loses the text.
void writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += n;
    }
}

// Wide (CJK) characters take two columns.
int width(const QString& text)
{
    int columns = 0;
    for (const QChar character : text)
        columns += character.unicode() >= 0x1100 ? 2 : 1;
    return columns;
}

} // namespace

Console::Console(bool verbose)
    : m_out(::fcntl(1, F_DUPFD_CLOEXEC, 3)), m_err(::fcntl(2, F_DUPFD_CLOEXEC, 3)),
      m_terminal(::isatty(m_out) == 1)
{
    const int sink = verbose ? m_err : ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    std::fflush(stdout);
    ::dup2(sink, 1);
    ::dup2(sink, 2);
    if (!verbose)
        ::close(sink);
}

Console::~Console()
{
    breakLine();
    std::fflush(stdout);
    std::fflush(stderr);
    ::dup2(m_out, 1);
    ::dup2(m_err, 2);
    ::close(m_out);
    ::close(m_err);
}

void Console::print(const QString& line)
{
    writeAll(m_out, (line + u'\n').toUtf8());
}

void Console::redraw(const QString& phase, const QString& amounts)
{
    writeAll(m_out, "\r\x1b[K" + (fitted(phase, width(amounts)) + amounts).toUtf8());
    m_lineOpen = true;
}

void Console::say(const QString& text)
{
    breakLine();
    writeAll(m_err, (text + u'\n').toUtf8());
}

void Console::prompt(const QString& text)
{
    writeAll(m_err, text.toUtf8() + ' ');
}

// A line wider than the terminal wraps, and the carriage return would then redraw only its
// last row.
QString Console::fitted(const QString& phase, int reserved) const
{
    winsize size = {};
    if (::ioctl(m_out, TIOCGWINSZ, &size) != 0)
        return phase;
    const int room = int(size.ws_col) - reserved - 1;
    if (width(phase) <= room)
        return phase;
    QString shortened;
    for (const QChar character : phase) {
        if (width(shortened + character) + 1 > room)
            break;
        shortened += character;
    }
    return shortened + u'…';
}

void Console::breakLine()
{
    if (m_lineOpen)
        writeAll(m_out, "\n");
    m_lineOpen = false;
}

} // namespace velt
