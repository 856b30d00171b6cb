// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "support/Files.h"

#include <QStringList>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

// Sends what this process writes to a descriptor (standard output or error) to a temporary file
// while it lives; captured() reads what was written so far, lines() ends the capture first.
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
    ~FdCapture() { lines(); }

    QStringList captured() const
    {
        std::fflush(nullptr);
        return velt::test::readLines(m_file.fileName());
    }
    QStringList lines()
    {
        std::fflush(nullptr);
        if (m_saved >= 0 && ::dup2(m_saved, m_fd) >= 0 && ::close(m_saved) == 0)
            m_saved = -1;
        return captured();
    }

private:
    int m_fd;
    int m_saved = -1;
    QTemporaryFile m_file;
};
