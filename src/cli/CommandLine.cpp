// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandLine.h"

#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "catalogue/TargetFirmware.h"
#include "cli/Console.h"
#include "cli/ExitCode.h"
#include "cli/LocalImage.h"
#include "cli/ProgressPrinter.h"
#include "cli/TerminationSignals.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "core/SingleInstance.h"
#include "update/DeviceWatcher.h"
#include "update/UpdateSession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace velt {
namespace {

// Loads the catalogue. A signal while it loads cancels the program: nothing has been written.
// Asking the application to exit ends the load's own loop early, as a failure.
std::optional<VeltError> loadCatalogue(Console& console, TerminationSignals& terminations)
{
    bool cancelled = false;
    const QMetaObject::Connection cancel =
        QObject::connect(&terminations, &TerminationSignals::received, [&cancelled] {
            cancelled = true;
            QCoreApplication::exit(exitStatus(ExitCode::Cancelled));
        });
    std::optional<VeltError> error = firmwareList().load();
    QObject::disconnect(cancel);
    if (cancelled) {
        console.say(localizedString("Info_Cancelled"));
        std::exit(exitStatus(ExitCode::Cancelled));
    }
    return error;
}

// The model's versions, newest first: the catalogue lists them oldest first, and the version
// page preselects the last.
QList<std::shared_ptr<FirmwareVersion>> versionsNewestFirst(const QString& model)
{
    QList<std::shared_ptr<FirmwareVersion>> versions;
    const QStringList names = targetFirmware().versionNamesForLot(model);
    for (auto name = names.crbegin(); name != names.crend(); ++name) {
        if (std::shared_ptr<FirmwareVersion> version = firmwareList().version(*name))
            versions.append(version);
    }
    return versions;
}

int listCatalogue(Console& console, TerminationSignals& terminations, bool json)
{
    if (const std::optional<VeltError> error = loadCatalogue(console, terminations)) {
        console.say(error->localizedDescription);
        return exitStatus(ExitCode::DownloadFailed);
    }
    QJsonArray models;
    for (const QString& model : firmwareList().lotNames()) {
        QJsonArray versions;
        if (!json)
            console.print(model);
        for (const std::shared_ptr<FirmwareVersion>& version : versionsNewestFirst(model)) {
            versions.append(QJsonObject{{QStringLiteral("name"), version->name},
                                        {QStringLiteral("fileName"), version->fileName},
                                        {QStringLiteral("md5"), version->md5hash},
                                        {QStringLiteral("releaseDate"), version->releaseDate}});
            if (!json)
                console.print(QStringLiteral("  %1  %2").arg(version->name, version->releaseDate));
        }
        models.append(
            QJsonObject{{QStringLiteral("name"), model}, {QStringLiteral("versions"), versions}});
    }
    if (json) {
        const QJsonDocument document(QJsonObject{{QStringLiteral("models"), models}});
        console.print(QString::fromUtf8(document.toJson(QJsonDocument::Indented)).trimmed());
    }
    return exitStatus(ExitCode::Success);
}

// What to write and how, from the options.
struct UpdateRequest
{
    QString model;   // --update
    QString version; // --version; empty: the newest
    QString file;    // --file
    QString md5;     // --md5
    bool confirmed = false;
    int waitSeconds = 120;
};

// Asks on the terminal; a signal while it asks is a no.
bool confirm(Console& console, TerminationSignals& terminations)
{
    console.prompt(localizedString("Prompt_ConfirmWrite"));
    QEventLoop loop;
    QByteArray answer;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &loop, [&] {
        char byte = 0;
        const ssize_t n = ::read(STDIN_FILENO, &byte, 1);
        if (n <= 0 || byte == '\n')
            loop.exit(0);
        else
            answer += byte;
    });
    QObject::connect(&terminations, &TerminationSignals::received, &loop, [&] {
        answer.clear();
        loop.exit(0);
    });
    loop.exec();
    const QByteArray word = answer.trimmed().toLower();
    return word == "y" || word == "yes";
}

// Waits with the device watch until exactly one usable device is there, at most
// waitSeconds; 0 takes the watch's first report.
ExitCode waitForDevice(Console& console, TerminationSignals& terminations, const QString& toolPath,
                       int waitSeconds)
{
    console.say(localizedString("Description_CommandLineDFUSetup"));
    DeviceWatcher watcher(toolPath, QString::fromLatin1(dfuVendorId),
                          QString::fromLatin1(dfuProductId));
    QEventLoop loop;
    QObject::connect(&watcher, &DeviceWatcher::presenceChanged, &loop,
                     [&](DeviceWatcher::Presence presence) {
                         if (presence == DeviceWatcher::Presence::Present)
                             loop.exit(exitStatus(ExitCode::Success));
                         else if (waitSeconds == 0 && presence != DeviceWatcher::Presence::Unknown)
                             loop.exit(exitStatus(ExitCode::DeviceNotUsable));
                     });
    QObject::connect(&terminations, &TerminationSignals::received, &loop,
                     [&] { loop.exit(exitStatus(ExitCode::Cancelled)); });
    // With 0, the first report decides; a watch that never reports is given a few seconds.
    QTimer::singleShot(std::chrono::seconds(waitSeconds > 0 ? waitSeconds : 5), &loop,
                       [&] { loop.exit(exitStatus(ExitCode::DeviceNotUsable)); });
    watcher.start();
    const auto result = ExitCode(loop.exec());
    const DeviceWatcher::Presence presence = watcher.presence();
    // The flashing tool must have the device to itself.
    watcher.stop();
    if (result == ExitCode::Cancelled)
        console.say(localizedString("Info_Cancelled"));
    else if (result == ExitCode::DeviceNotUsable)
        console.say(
            presence == DeviceWatcher::Presence::Unknown ||
                    presence == DeviceWatcher::Presence::Present
                ? localizedString("Error_DeviceStateUnknown")
                : DeviceWatcher::stateText(presence, DeviceWatcher::AccessContext::current()));
    else
        console.say(localizedString("Info_DeviceConnected"));
    return result;
}

// Runs the session to its end. A signal before the tool runs cancels it; while the tool runs
// it is refused, as the window's quit guard refuses, and the write goes on.
ExitCode runSession(Console& console, TerminationSignals& terminations, UpdateSession& session,
                    bool localImage)
{
    ProgressPrinter printer(console);
    bool imageReady = localImage;
    bool toolRunning = false;
    bool toolRan = false;
    VeltError failure;
    QEventLoop loop;
    QObject::connect(&session, &UpdateSession::statusChanged, &loop, [&](const QString& text) {
        imageReady = imageReady || text == localizedString("Info_Preparing");
        printer.status(text);
    });
    QObject::connect(&session, &UpdateSession::progressChanged, &loop,
                     [&](double value, double maximum) { printer.progress(value, maximum); });
    QObject::connect(&session, &UpdateSession::toolRunningChanged, &loop, [&](bool running) {
        toolRunning = running;
        toolRan = toolRan || running;
    });
    QObject::connect(&session, &UpdateSession::succeeded, &loop,
                     [&] { loop.exit(exitStatus(ExitCode::Success)); });
    QObject::connect(&session, &UpdateSession::failed, &loop, [&](const VeltError& error) {
        failure = error;
        loop.exit(exitStatus(ExitCode::UpdateFailed));
    });
    QObject::connect(&terminations, &TerminationSignals::received, &loop, [&] {
        if (toolRunning) {
            console.say(localizedString("Info_QuitRefusedWhileWriting"));
            return;
        }
        loop.exit(exitStatus(ExitCode::Cancelled));
    });
    if (localImage)
        session.startWithImageInPlace();
    else
        session.start();
    const auto result = ExitCode(loop.exec());
    printer.flush();
    if (result == ExitCode::Cancelled) {
        console.say(localizedString("Info_Cancelled"));
        return result;
    }
    if (result == ExitCode::Success)
        return result;

    console.say(failure.localizedDescription);
    if (!failure.details.isEmpty())
        logLine(failure.details);
    if (!imageReady)
        return ExitCode::DownloadFailed;
    const QString description = failure.localizedDescription;
    if (!toolRan && description.startsWith(localizedString("Error_FileHashDoesNotMatch")))
        return ExitCode::ImageCheckFailed;
    // The tool found no device in DFU mode: nothing was written.
    if (description.startsWith(localizedString("Description_DFUMode")))
        return ExitCode::DeviceNotUsable;
    return ExitCode::UpdateFailed;
}

ExitCode updateDevice(Console& console, TerminationSignals& terminations,
                      const UpdateRequest& request)
{
    // Two instances share the Documents folder: one could replace the image the other writes.
    SingleInstance instance;
    switch (instance.tryAcquire()) {
    case SingleInstance::Outcome::Acquired:
        break;
    case SingleInstance::Outcome::HeldByAnother:
        logLine(QStringLiteral("Another instance is running (process %1, lock %2).")
                    .arg(instance.holderPid())
                    .arg(instance.lockPath()));
        console.say(localizedString("Error_AlreadyRunning"));
        return ExitCode::AnotherInstance;
    case SingleInstance::Outcome::Failed:
        logLine(QStringLiteral("Single-instance lock unavailable: %1.").arg(instance.errorText()));
        break;
    }
    openDiagnosticsLog(defaultDiagnosticsFolder(), QCoreApplication::applicationVersion());
    const UpdateSettings settings = UpdateSettings::fromEnvironment();
    logContext(QStringLiteral("server: ") + settings.server);

    auto chosen = std::make_shared<FirmwareVersion>();
    if (request.file.isEmpty()) {
        if (const std::optional<VeltError> error = loadCatalogue(console, terminations)) {
            console.say(error->localizedDescription);
            return ExitCode::DownloadFailed;
        }
        if (!firmwareList().lotNames().contains(request.model)) {
            console.say(localizedString("Error_UnknownModel") + u' ' + request.model);
            return ExitCode::Usage;
        }
        const auto versions = versionsNewestFirst(request.model);
        if (versions.isEmpty()) {
            console.say(localizedString("Error_NoFirmwareAvailable"));
            return ExitCode::Usage;
        }
        chosen.reset();
        for (const std::shared_ptr<FirmwareVersion>& version : versions) {
            if (request.version.isEmpty() || version->name == request.version) {
                chosen = version;
                break;
            }
        }
        if (!chosen) {
            console.say(localizedString("Error_UnknownVersion") + u' ' + request.version);
            return ExitCode::Usage;
        }
        targetFirmware().lotName = request.model;
        targetFirmware().firmwareVersion = chosen;
        logContext(QStringLiteral("model: %1, version: %2").arg(request.model, chosen->name));
    } else {
        const QString destination = UpdateSession::firmwareFilePath(settings);
        if (destination.isEmpty()) {
            console.say(localizedString("Error_NoDocumentsFolder"));
            return ExitCode::ImageCheckFailed;
        }
        const LocalImage image = LocalImage::copyAndCheck(request.file, destination, request.md5);
        if (!image.passed()) {
            console.say(localizedString(image.failureKey));
            return ExitCode::ImageCheckFailed;
        }
        chosen->name = chosen->fileName = QFileInfo(request.file).fileName();
        chosen->md5hash = image.md5;
        logContext(QStringLiteral("local image: %1, %2 bytes, MD5 %3")
                       .arg(request.file)
                       .arg(image.size)
                       .arg(image.md5));
    }

    console.say(localizedString("Caption_FirmwareToWrite"));
    console.say(
        request.file.isEmpty()
            ? QStringLiteral("  %1  %2  (%3)").arg(request.model, chosen->name, chosen->releaseDate)
            : QStringLiteral("  %1").arg(request.file));
    console.say(QStringLiteral("  MD5 %1").arg(chosen->md5hash));
    if (!request.confirmed) {
        if (::isatty(STDIN_FILENO) != 1) {
            console.say(localizedString("Error_ConfirmationNeeded"));
            return ExitCode::Usage;
        }
        if (!confirm(console, terminations)) {
            console.say(localizedString("Info_Cancelled"));
            return ExitCode::Cancelled;
        }
    }

    const ExitCode waited =
        waitForDevice(console, terminations, settings.toolPath, request.waitSeconds);
    if (waited != ExitCode::Success)
        return waited;
    UpdateSession session(chosen, settings);
    return runSession(console, terminations, session, !request.file.isEmpty());
}

// Options Qt's window system takes for itself; accepted here so the window still gets them.
const char* const windowSystemOptionsWithValue[] = {
    "platform",     "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
    "qwindowtitle", "qwindowicon",        "style",         "stylesheet", "session",
    "display",      "geometry",           "title",         "name",       "visual"};
const char* const windowSystemFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

} // namespace

CommandLine::CommandLine()
    : m_help({QStringLiteral("h"), QStringLiteral("help")},
             QStringLiteral("Displays help on the options and the exit codes.")),
      m_programVersion(QStringLiteral("v"), QStringLiteral("Displays version information.")),
      m_list(QStringLiteral("list"),
             QStringLiteral("Lists the models and their versions, newest first.")),
      m_json(QStringLiteral("json"), QStringLiteral("With --list: one JSON document.")),
      m_update(QStringLiteral("update"),
               QStringLiteral("Updates a device of the model MODEL without a window."),
               QStringLiteral("MODEL")),
      m_version(QStringLiteral("version"),
                QStringLiteral("With --update: the version to write (default: the newest). "
                               "Alone: displays version information."),
                QStringLiteral("VERSION")),
      m_file(QStringLiteral("file"),
             QStringLiteral("Writes the image file PATH (requires --md5) without a window."),
             QStringLiteral("PATH")),
      m_md5(QStringLiteral("md5"), QStringLiteral("With --file: the file's MD5 digest."),
            QStringLiteral("HEX")),
      m_yes(QStringLiteral("yes"), QStringLiteral("Writes without asking for confirmation.")),
      m_wait(QStringLiteral("wait"),
             QStringLiteral("How long to wait for the device in DFU mode (default 120; 0 "
                            "checks once)."),
             QStringLiteral("SECONDS"), QStringLiteral("120")),
      m_verbose(QStringLiteral("verbose"),
                QStringLiteral("Writes the diagnostics lines to standard error."))
{
    m_parser.setApplicationDescription(
        QStringLiteral("Updates the firmware of Velt USB audio devices.\n\n") +
        QString::fromLatin1(exitCodesHelp));
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({m_help, m_programVersion, m_list, m_json, m_update, m_version, m_file,
                         m_md5, m_yes, m_wait, m_verbose});
    for (const char* name : windowSystemOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        m_parser.addOption(option);
    }
    for (const char* name : windowSystemFlags) {
        QCommandLineOption option(QString::fromLatin1(name), QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        m_parser.addOption(option);
    }
}

CommandLine::Request CommandLine::parse(const QStringList& arguments)
{
    // "--version" alone asks for the program's version, as it always has; with --update it
    // takes the firmware version.
    const auto given = [&arguments](const QString& option) {
        return std::any_of(arguments.begin(), arguments.end(), [&option](const QString& word) {
            return word == option || word.startsWith(option + u'=');
        });
    };
    if (given(QStringLiteral("--version")) && !given(QStringLiteral("--update")))
        return Request::Version;
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return Request::UsageError;
    }
    if (m_parser.isSet(m_help))
        return Request::Help;
    if (m_parser.isSet(m_programVersion))
        return Request::Version;
    const int actions =
        int(m_parser.isSet(m_list)) + int(m_parser.isSet(m_update)) + int(m_parser.isSet(m_file));
    if (actions == 0)
        return Request::Window;
    if (actions > 1) {
        m_error = localizedString("Error_CommandLineOneAction");
        return Request::UsageError;
    }
    static const QRegularExpression digest(QStringLiteral("^[0-9a-fA-F]{32}$"));
    if (m_parser.isSet(m_file) && !digest.match(m_parser.value(m_md5)).hasMatch()) {
        m_error = localizedString("Error_CommandLineMd5Required");
        return Request::UsageError;
    }
    bool number = false;
    m_waitSeconds = m_parser.value(m_wait).toInt(&number);
    if (!number || m_waitSeconds < 0) {
        m_error = localizedString("Error_CommandLineBadWait");
        return Request::UsageError;
    }
    return Request::Run;
}

void CommandLine::showHelp()
{
    m_parser.showHelp(0);
}

void CommandLine::showVersion()
{
    m_parser.showVersion();
}

int CommandLine::run()
{
    Console console(m_parser.isSet(m_verbose));
    configureFirmwareServerFromEnvironment();
    TerminationSignals terminations;
    int status = 0;
    if (m_parser.isSet(m_list)) {
        status = listCatalogue(console, terminations, m_parser.isSet(m_json));
    } else {
        const UpdateRequest request{m_parser.value(m_update), m_parser.value(m_version),
                                    m_parser.value(m_file),   m_parser.value(m_md5).toLower(),
                                    m_parser.isSet(m_yes),    m_waitSeconds};
        status = exitStatus(updateDevice(console, terminations, request));
    }
    closeDiagnosticsLog();
    return status;
}

} // namespace velt
