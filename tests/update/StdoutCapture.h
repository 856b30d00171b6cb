#pragma once

#include <QStringList>

// Sends this process's standard output (where diagnostic lines go) to a temporary file while
// it lives, so a test can read back the lines written meanwhile.
class StdoutCapture
{
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Ends the capture (if still running) and returns the lines written, without their "\n".
    QStringList lines();

private:
    void stop();

    int m_savedFd = -1;
    int m_fileFd = -1;
    QByteArray m_text;
};
