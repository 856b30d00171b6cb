// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "DfuFile.h"
#include "core/Resources.h"
#include "support/TestHttpServer.h"
#include "support/WizardFixture.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>
#include <ostream>

// Readable QString values in the messages of failed expectations.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// A step of the wizard fixture that must have gone right; its failure text says what happened.
#define ASSERT_STEP(step) ASSERT_EQ(QString(step), QString())

namespace velt::test {

// An image file: the payload with a DFU suffix for these vendor and product IDs.
inline QByteArray dfuImage(const QByteArray& payload, quint16 vendor = 0x0a12,
                           quint16 product = 0xffff)
{
    const auto bytes = dfu::withDfuSuffix({payload.begin(), payload.end()}, vendor, product);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// The one window fixture of the tests: the wizard against a loopback server of the test's own,
// the English texts (or another language's), the image kept in a Documents folder of the test's
// own, the build's flashing tool, and short hand-over and retry pauses.
class WizardTest : public ::testing::Test
{
protected:
    explicit WizardTest(const std::string& language = "en")
    {
        EXPECT_TRUE(m_texts.load(QString::fromStdString(":/i18n/velt_" + language))) << language;
        QCoreApplication::installTranslator(&m_texts);
    }
    ~WizardTest() override { QCoreApplication::removeTranslator(&m_texts); }

    UpdateSettings testSettings() const
    {
        UpdateSettings settings;
        settings.server = server.origin();
        settings.documentsFolder = folder.filePath(QStringLiteral("Documents"));
        settings.toolPath = resourcePath(QStringLiteral("dfu-util"));
        settings.handoverDelay = std::chrono::milliseconds(50);
        settings.retryDelay = std::chrono::milliseconds(20);
        return settings;
    }

    static QString cataloguePath() { return QStringLiteral("/updater/firmwareList.json"); }
    // A catalogue with one model, Alpha, whose one version 2.0 is this image, and the image.
    void serveOneImage(const QByteArray& image)
    {
        const QByteArray digest = QCryptographicHash::hash(image, QCryptographicHash::Md5).toHex();
        server.setResponse(cataloguePath(), {.body = R"({"version": [{"name": "2.0", "filename":
  "a-2.0.dfu", "md5": ")" + digest + R"(", "release_date": "2025-02-03"}],
  "compatibility": [{"lot": ["Alpha"], "versions": ["2.0"]}]})"});
        server.setResponse(imagePath(), {.body = image});
    }
    static QString imagePath() { return QStringLiteral("/updater/dfu/a-2.0.dfu"); }
    // The demo's catalogue and images, as the demo server publishes them.
    void serveDemo()
    {
        server.setResponse(cataloguePath(), {.body = readFile(demoDir + "firmwareList.json")});
        for (const QString& name : QDir(demoDir + "dfu").entryList(QDir::Files))
            server.setResponse("/updater/dfu/" + name, {.body = readFile(demoDir + "dfu/" + name)});
    }
    const QString demoDir = QStringLiteral(VELT_DEMO_DIR "/updater/");

    QTranslator m_texts;
    QTemporaryDir folder;
    TestHttpServer server;
    WizardFixture wizard{testSettings()};
};

} // namespace velt::test
