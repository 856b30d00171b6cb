// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

// Sends what this process writes to a descriptor (standard output or error) to a temporary file
// while it lives; lines() ends the capture and returns what was written, line by line.
class FdCapture
{
public:
    explicit FdCapture(int fd) : m_fd(fd)
    {
        m_file.open();
        std::fflush(nullptr);
        m_saved = ::dup(fd);
        ::dup2(m_file.handle(), fd);
    }
    ~FdCapture() { stop(); }

    QStringList lines()
    {
        stop();
        m_file.seek(0);
        return QString::fromUtf8(m_file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    void stop()
    {
        if (m_saved < 0)
            return;
        std::fflush(nullptr);
        ::dup2(m_saved, m_fd);
        ::close(m_saved);
        m_saved = -1;
    }

    int m_fd;
    int m_saved = -1;
    QTemporaryFile m_file;
};
