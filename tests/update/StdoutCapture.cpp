#include "StdoutCapture.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

StdoutCapture::StdoutCapture()
{
    char name[] = "/tmp/velt-stdout-XXXXXX";
    m_fileFd = ::mkstemp(name);
    ::unlink(name);
    std::fflush(stdout);
    m_savedFd = ::dup(STDOUT_FILENO);
    ::dup2(m_fileFd, STDOUT_FILENO);
}

StdoutCapture::~StdoutCapture()
{
    stop();
}

void StdoutCapture::stop()
{
    if (m_savedFd < 0)
        return;
    std::fflush(stdout);
    ::dup2(m_savedFd, STDOUT_FILENO);
    ::close(m_savedFd);
    m_savedFd = -1;
    ::lseek(m_fileFd, 0, SEEK_SET);
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(m_fileFd, buffer, sizeof buffer)) > 0)
        m_text.append(buffer, got);
    ::close(m_fileFd);
    m_fileFd = -1;
}

QStringList StdoutCapture::lines()
{
    stop();
    QStringList result = QString::fromUtf8(m_text).split(u'\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}
