#include "CatalogueFixture.h"
#include "catalogue/CatalogueFetcher.h"
#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "catalogue/TargetFirmware.h"

#include <QElapsedTimer>
#include <QNetworkReply>
#include <QTcpServer>

namespace velt::test {
namespace {

using Load = CatalogueFixture;

const QByteArray oneVersion = catalogue({{"1.0", "v1.dfu"}}, {{{"VX-1"}, {"1.0"}}});

// What a failed load must leave behind: false, one alert of the catalogue's error code with
// the expected text, and the catalogue exactly as before.
void expectFailure(Load& test, const QString& alertText)
{
    AlertRecorder alerts;
    const QString before =
        firmwareList().versionsDescription() + firmwareList().compatibilitiesDescription();
    EXPECT_FALSE(test.load());
    ASSERT_EQ(alerts.alerts().size(), 1);
    EXPECT_EQ(alerts.alerts().first().domain, QStringLiteral("VELT"));
    EXPECT_EQ(alerts.alerts().first().code, 1000);
    EXPECT_EQ(alerts.texts().first(), alertText);
    EXPECT_EQ(firmwareList().versionsDescription() + firmwareList().compatibilitiesDescription(),
              before);
}

TEST_F(Load, ReadsAValidCatalogueWhateverTheHttpStatusAndLogsItsRecords)
{
    for (const int status : {200, 500}) {
        resetFirmwareList();
        serve(oneVersion, status);
        AlertRecorder alerts;
        ASSERT_TRUE(load()) << status;
        EXPECT_TRUE(alerts.alerts().isEmpty());
        EXPECT_EQ(log, QStringList({
                           "[\"1.0\": FirmwareVersion: 1.0 v1.dfu "
                           "0123456789abcdef0123456789abcdef 2024-05-01]",
                           "[Compatibility: [\"VX-1\"] -> [\"1.0\"]]",
                       }));
        ASSERT_TRUE(firmwareList().version("1.0"));
        EXPECT_EQ(firmwareList().version("1.0")->fileName, "v1.dfu");
    }
}

TEST_F(Load, UnreachableServerLogsTheReasonAndShowsTheNetworkCode)
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    setFirmwareServer(QStringLiteral("http://127.0.0.1:%1").arg(closedPort));
    firmwareList().compatibilities.append(Compatibility{{"kept"}, {"0.9"}});
    expectFailure(*this, retrieveFailure(QNetworkReply::ConnectionRefusedError));
    EXPECT_EQ(log, QStringList{"Connection refused"});
}

TEST_F(Load, TransportFailuresAfterTheHeadersAreRetrievalFailures)
{
    HttpResponse truncated;
    truncated.body = oneVersion;
    truncated.closeAfterBytes = 10;
    server.setResponse("/updater/firmwareList.json", truncated);
    expectFailure(*this, retrieveFailure(QNetworkReply::RemoteHostClosedError));
    EXPECT_EQ(log.size(), 1);

    HttpResponse stalled;
    stalled.body = oneVersion;
    stalled.stallMs = 5000;
    server.setResponse("/updater/firmwareList.json", stalled);
    CatalogueFetcher::setTransferTimeout(std::chrono::milliseconds(200));
    QElapsedTimer clock;
    clock.start();
    expectFailure(*this, retrieveFailure(QNetworkReply::OperationCanceledError));
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(log.size(), 1);
}

TEST_F(Load, RefusedServerIsARetrievalFailureAndIsNotContacted)
{
    const FirmwareServer& refused = setFirmwareServer("http://firmware.example.com");
    ASSERT_FALSE(refused.usable());
    expectFailure(*this, retrieveFailure(FirmwareServer::refusedCode));
    EXPECT_EQ(log, QStringList{refused.refusal});
    EXPECT_TRUE(server.requestedPaths().isEmpty());
}

TEST_F(Load, BodyThatIsNotUtf8IsARetrievalFailure)
{
    for (const QByteArray& body : {
             QByteArray(R"({"version": [], "compatibility": [], "x": "caf)"
                        "\xE9"
                        R"("})"),
             QByteArray("{\"x\": \"\xED\xA0\x80\"}"), // a UTF-16 surrogate
             QByteArray("\"cut short \xE2\x82"),
         }) {
        AlertRecorder recorder;
        serve(body);
        EXPECT_FALSE(load());
        EXPECT_EQ(recorder.texts(), QStringList{retrieveFailure(900)}) << body.toHex().data();
        EXPECT_EQ(log, QStringList{"the firmware list is not UTF-8 text"});
    }
}

TEST_F(Load, DocumentThatIsNotJsonShowsTheParserCodeAndLogsNothing)
{
    const struct
    {
        QByteArray body;
        int status;
        qint64 code;
    } cases[] = {
        {"<html><body><h1>404 Not Found</h1></body></html>", 404, 101},
        {"", 200, 101},
        {"{\"version\": [", 200, 101},
        {"1e999", 200, 406}, // beyond a double
    };
    for (const auto& c : cases) {
        AlertRecorder recorder;
        serve(c.body, c.status);
        EXPECT_FALSE(load()) << c.body.data();
        EXPECT_EQ(recorder.texts(), QStringList{readFailure(c.code)}) << c.body.data();
        EXPECT_TRUE(log.isEmpty()) << c.body.data();
    }
}

TEST_F(Load, TopLevelValueThatIsNotAnObjectIsLoggedThenReportedUnreadable)
{
    const QPair<QByteArray, QString> cases[] = {
        {"\"a text\"", R"(bad json: "a text")"},
        {" 42 ", "bad json: 42"},
        {"[1, \"x\", {\"k\": null}]", R"(bad json: [1,"x",{"k":null}])"},
        {"null", "bad json: null"},
    };
    for (const auto& [body, line] : cases) {
        AlertRecorder recorder;
        serve(body);
        EXPECT_FALSE(load()) << body.data();
        EXPECT_EQ(recorder.texts(), QStringList{readFailure(901)});
        EXPECT_EQ(log, QStringList{line});
    }
}

TEST_F(Load, InvalidCatalogueIsReportedUnreadableAndLeavesTheCatalogueAsItWas)
{
    serve(oneVersion);
    ASSERT_TRUE(load());
    const auto previous = firmwareList().version("1.0");

    const QByteArray good = R"({"name": "2.0", "filename": "f", "md5": "m", "release_date": "d"})";
    const QPair<QByteArray, QString> cases[] = {
        {R"({"compatibility": []})", R"("version" is missing or not an array)"},
        {R"({"version": [], "compatibility": {}})",
         R"("compatibility" is missing or not an array)"},
        {R"({"version": [)" + good + R"(, {"name": "2.1", "fileName": "f", "md5": "m",
            "release_date": "d"}], "compatibility": []})",
         R"(entry 1 of "version" is not a valid version object)"},
        {R"({"version": [{"name": "2.0", "filename": "f", "md5": 7, "release_date": "d"}],
            "compatibility": []})",
         R"(entry 0 of "version" is not a valid version object)"},
        {R"({"version": ["2.0"], "compatibility": []})",
         R"(entry 0 of "version" is not a valid version object)"},
        {R"({"version": [)" + good + R"(], "compatibility": [{"lot": "VX-2", "versions": []}]})",
         R"(entry 0 of "compatibility" is not a valid compatibility object)"},
        {R"({"version": [], "compatibility": [{"lot": [], "versions": ["2.0", 2]}]})",
         R"(entry 0 of "compatibility" is not a valid compatibility object)"},
        {R"({"version": [], "compatibility": [[]]})",
         R"(entry 0 of "compatibility" is not a valid compatibility object)"},
    };
    for (const auto& [body, detail] : cases) {
        serve(body);
        expectFailure(*this, readFailure(902));
        EXPECT_EQ(log, QStringList{"invalid firmware list: " + detail}) << body.data();
    }
    EXPECT_EQ(firmwareList().versions.size(), 1);
    EXPECT_EQ(firmwareList().version("1.0"), previous);
    EXPECT_EQ(firmwareList().compatibilities.size(), 1);
}

TEST_F(Load, SecondLoadAddsEveryRecordAgainAndChangesNoAnswer)
{
    serve(catalogue({{"1.0", "a"}, {"1.1", "b"}},
                    {{{"VX-1", "VX-2"}, {"1.0", "1.1"}}, {{"VX-3"}, {"1.1"}}}));
    ASSERT_TRUE(load());
    const QStringList lots = firmwareList().lotNames();
    const QStringList versions = targetFirmware().versionNamesForLot("VX-2");
    ASSERT_TRUE(load());
    EXPECT_EQ(firmwareList().lotNames(), lots);
    EXPECT_EQ(targetFirmware().versionNamesForLot("VX-2"), versions);
    EXPECT_EQ(firmwareList().versions.size(), 2);
    ASSERT_EQ(firmwareList().compatibilities.size(), 4);
    EXPECT_EQ(firmwareList().compatibilities[2].lotName, firmwareList().compatibilities[0].lotName);
    EXPECT_EQ(log.at(1).count("Compatibility: "), 4);
}

TEST_F(Load, TwentyThousandVersions)
{
    QList<QPair<QString, QString>> versions;
    QStringList names;
    for (int i = 0; i < 20000; ++i) {
        versions.append({QStringLiteral("v%1").arg(i), QStringLiteral("f%1.dfu").arg(i)});
        names.append(versions.last().first);
    }
    serve(catalogue(versions, {{{"VX-1"}, names}}));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(load());
    const qint64 elapsed = clock.elapsed();
    EXPECT_EQ(firmwareList().versions.size(), 20000);
    EXPECT_EQ(targetFirmware().versionNamesForLot("VX-1"), names);
    EXPECT_EQ(firmwareList().version("v19999")->fileName, "f19999.dfu");
    EXPECT_EQ(log.size(), 2);
    RecordProperty("load_ms", static_cast<int>(elapsed));
    EXPECT_LT(elapsed, 10000);
}

} // namespace
} // namespace velt::test
