#pragma once

#include "support/AlertRecorder.h"
#include "support/TestHttpServer.h"

#include <QByteArray>
#include <QStringList>
#include <QTranslator>
#include <gtest/gtest.h>

namespace velt::test {

// Serves the catalogue from a server on 127.0.0.1, loads the English messages and captures the log
// lines a load writes. Starts and ends with an empty catalogue and selection and the configured
// firmware server.
class CatalogueFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

public:
    void serve(const QByteArray& body, int status = 200);
    // firmwareList().load(), with what it wrote to stdout in log.
    bool load();

    QString retrieveFailure(qint64 code) const;
    QString readFailure(qint64 code) const;

    TestHttpServer server;
    QStringList log;

private:
    QTranslator m_translator;
    QString m_configuredOrigin;
};

// A catalogue document: version objects as (name, filename) pairs with fixed digests and
// dates, and compatibility records as (lots, versions).
QByteArray catalogue(const QList<QPair<QString, QString>>& versions,
                     const QList<QPair<QStringList, QStringList>>& compatibilities);

} // namespace velt::test
