#pragma once

#include "catalogue/FirmwareList.h"
#include "support/TestHttpServer.h"

#include <QStringList>
#include <QTranslator>
#include <gtest/gtest.h>
#include <ostream>

namespace velt {
inline void PrintTo(const VeltError& error, std::ostream* out)
{
    *out << error.code << " " << error.localizedDescription.toStdString();
}
} // namespace velt

namespace velt::test {

inline constexpr const char* retrieveKey = "Error_CouldNotRetrieveFirmwareList";
inline constexpr const char* readKey = "Error_CouldNotReadFirmwareList";
inline const QString listPath = QStringLiteral("/updater/firmwareList.json");

// Serves the catalogue from a server on 127.0.0.1, loads the English messages and captures the
// log lines a load writes. Starts and ends with an empty catalogue and selection and the
// configured firmware server.
class CatalogueFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // Limits short enough that a test that trips one does not wait for a minute.
    static LoadLimits testLimits() { return {std::chrono::seconds(10)}; }

    void serve(const QByteArray& body, int status = 200);
    // firmwareList().load(limits), with what it wrote to stdout in log.
    std::optional<VeltError> load(const LoadLimits& limits = testLimits());
    // The description of a failed load: the key's English text, then " (code)".
    static QString failure(const char* key, qint64 code);

    TestHttpServer server;
    QStringList log;

private:
    QTranslator m_translator;
    QString m_configuredOrigin;
};

// A port on 127.0.0.1 that nothing listens on.
quint16 closedPort();

// A catalogue document: version objects as (name, filename) pairs with fixed digests and
// dates, and compatibility records as (lots, versions).
QByteArray catalogue(const QList<QPair<QString, QString>>& versions,
                     const QList<QPair<QStringList, QStringList>>& compatibilities);

} // namespace velt::test
