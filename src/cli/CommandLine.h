// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

namespace velt {

// The program's options. With --list, --update or --file the updater runs without a window
// (on QCoreApplication, no display needed) and ends with one of the exit codes in ExitCode.h;
// without them it opens the window. Standard output carries only the progress, the list or
// the JSON; messages go to standard error, diagnostics too but only with --verbose.
class CommandLine
{
public:
    enum class Request { Window, Run, Help, Version, UsageError };

    CommandLine();

    // Reads the arguments (the program's name first). Options of Qt's window system
    // (-platform, -style, ...) are accepted and left to QApplication.
    Request parse(const QStringList& arguments);
    // After UsageError: one line saying what is wrong.
    QString errorText() const { return m_error; }
    // Prints the help (with the exit codes) or the version and ends the process with 0.
    [[noreturn]] void showHelp();
    [[noreturn]] void showVersion();

    // Runs the command the arguments asked for and returns the exit status. Needs a
    // QCoreApplication and nothing more.
    int run();

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_programVersion;
    QCommandLineOption m_list;
    QCommandLineOption m_json;
    QCommandLineOption m_update;
    QCommandLineOption m_version;
    QCommandLineOption m_file;
    QCommandLineOption m_md5;
    QCommandLineOption m_yes;
    QCommandLineOption m_wait;
    QCommandLineOption m_verbose;
    QString m_error;
    int m_waitSeconds = 120;
};

} // namespace velt
