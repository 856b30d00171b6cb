#include "CatalogueFixture.h"

#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "catalogue/TargetFirmware.h"
#include "core/Localization.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <unistd.h>

namespace velt::test {
namespace {

// Points stdout at a temporary file for its lifetime; a file, not a pipe, so a log line of
// megabytes cannot block the writer.
class StdoutCapture
{
public:
    StdoutCapture() : m_file(std::tmpfile())
    {
        std::fflush(stdout);
        m_saved = dup(STDOUT_FILENO);
        dup2(fileno(m_file), STDOUT_FILENO);
    }

    QStringList finish()
    {
        std::fflush(stdout);
        dup2(m_saved, STDOUT_FILENO);
        close(m_saved);
        QByteArray text;
        std::rewind(m_file);
        char buffer[65536];
        while (const size_t n = std::fread(buffer, 1, sizeof buffer, m_file))
            text.append(buffer, static_cast<qsizetype>(n));
        std::fclose(m_file);
        QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
        lines.removeLast(); // every line ends with a newline
        return lines;
    }

private:
    std::FILE* m_file;
    int m_saved = -1;
};

} // namespace

void CatalogueFixture::SetUp()
{
    resetFirmwareList();
    resetTargetFirmware();
    m_configuredOrigin = firmwareServer().origin;
    ASSERT_TRUE(setFirmwareServer(server.origin()).usable());
    // Nothing on loopback may go through a proxy the environment names.
    qputenv("no_proxy", "127.0.0.1,localhost");
    ASSERT_TRUE(m_translator.load(QStringLiteral(":/i18n/velt_en")));
    QCoreApplication::installTranslator(&m_translator);
    ASSERT_NE(localizedString(readKey), QString::fromLatin1(readKey));
}

void CatalogueFixture::TearDown()
{
    QCoreApplication::removeTranslator(&m_translator);
    setFirmwareServer(m_configuredOrigin);
    resetFirmwareList();
    resetTargetFirmware();
}

void CatalogueFixture::serve(const QByteArray& body, int status)
{
    server.setResponse(listPath,
                       {.status = status, .body = body, .contentType = "application/json"});
}

std::optional<VeltError> CatalogueFixture::load(const LoadLimits& limits)
{
    StdoutCapture capture;
    std::optional<VeltError> error = firmwareList().load(limits);
    log = capture.finish();
    return error;
}

QString CatalogueFixture::failure(const char* key, qint64 code)
{
    return localizedString(key) + QStringLiteral(" (%1)").arg(code);
}

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QByteArray catalogue(const QList<QPair<QString, QString>>& versions,
                     const QList<QPair<QStringList, QStringList>>& compatibilities)
{
    nlohmann::json document = {{"version", nlohmann::json::array()},
                               {"compatibility", nlohmann::json::array()}};
    for (const auto& [name, fileName] : versions)
        document["version"].push_back({{"name", name.toStdString()},
                                       {"filename", fileName.toStdString()},
                                       {"md5", "0123456789abcdef0123456789abcdef"},
                                       {"release_date", "2024-05-01"}});
    for (const auto& [lots, names] : compatibilities) {
        nlohmann::json record = {{"lot", nlohmann::json::array()},
                                 {"versions", nlohmann::json::array()}};
        for (const QString& lot : lots)
            record["lot"].push_back(lot.toStdString());
        for (const QString& name : names)
            record["versions"].push_back(name.toStdString());
        document["compatibility"].push_back(record);
    }
    return QByteArray::fromStdString(document.dump());
}

} // namespace velt::test
