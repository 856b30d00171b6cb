#include "CatalogueFixture.h"
#include "catalogue/CatalogueFetcher.h"
#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "catalogue/TargetFirmware.h"

#include <QElapsedTimer>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace velt::test {
namespace {

using Load = CatalogueFixture;

const QByteArray oneVersion = catalogue({{"1.0", "v1.dfu"}}, {{{"VX-1"}, {"1.0"}}});

QString snapshot()
{
    return firmwareList().versionsDescription() + firmwareList().compatibilitiesDescription();
}

TEST_F(Load, ReadsAValidCatalogueWhateverTheHttpStatusAndAfterARedirectOnLoopback)
{
    server.setResponse("/moved.json", {.body = oneVersion});
    const HttpResponse cases[] = {
        {.body = oneVersion},
        {.status = 500, .body = oneVersion},
        {.status = 302, .headers = {{"Location", server.url("/moved.json").toEncoded()}}},
        {.status = 301, .headers = {{"Location", "/moved.json"}}},
    };
    for (const HttpResponse& response : cases) {
        resetFirmwareList();
        server.setResponse(listPath, response);
        ASSERT_EQ(load(), std::nullopt) << response.status;
        EXPECT_EQ(log, QStringList({
                           "[\"1.0\": FirmwareVersion: 1.0 v1.dfu "
                           "0123456789abcdef0123456789abcdef 2024-05-01]",
                           "[Compatibility: [\"VX-1\"] -> [\"1.0\"]]",
                       }));
        ASSERT_TRUE(firmwareList().version("1.0"));
        EXPECT_EQ(firmwareList().version("1.0")->fileName, "v1.dfu");
    }
}

QByteArray document(const QByteArray& versions, const QByteArray& compatibility = "[]")
{
    return R"({"version": )" + versions + R"(, "compatibility": )" + compatibility + "}";
}

// Every way a load can fail: the error it returns, the log line it writes first (if any), and
// the catalogue left exactly as the earlier load filled it.
TEST_F(Load, FailureReturnsTheErrorToShowAndLeavesTheCatalogueAsItWas)
{
    using enum QNetworkReply::NetworkError;
    using namespace std::chrono_literals;
    const QByteArray v20 = R"({"name": "2.0", "filename": "f", "md5": "m", "release_date": "d")";
    const QString invalid = QStringLiteral("invalid firmware list: ");
    const QString notUtf8 = QStringLiteral("the firmware list is not UTF-8 text");
    const QString timedOut = QStringLiteral("the firmware list transfer timed out after ");
    const QString tooLargeLine = QStringLiteral("the firmware list is larger than 16 MiB");
    const QByteArray tooLarge((16 << 20) + 1, ' ');
    const qint64 timeout = CatalogueFetcher::timedOutCode, tooMuch = CatalogueFetcher::tooLargeCode;
    const qint64 redirect = CatalogueFetcher::redirectRefusedCode;
    const auto to = [](const QString& location) {
        return HttpResponse{.status = 302, .headers = {{"Location", location.toUtf8()}}};
    };
    const QString closedHttps = QStringLiteral("https://127.0.0.1:%1/x").arg(closedPort());
    // Announces a long body, then sends one byte every 50 ms for as long as anyone listens.
    QTcpServer trickle;
    ASSERT_TRUE(trickle.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&trickle, &QTcpServer::newConnection, [&trickle] {
        QTcpSocket* client = trickle.nextPendingConnection();
        client->write("HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n");
        auto* drip = new QTimer(client);
        QObject::connect(drip, &QTimer::timeout, client, [client] { client->write(" "); });
        drip->start(50);
    });
    const QString trickleOrigin = QStringLiteral("http://127.0.0.1:%1").arg(trickle.serverPort());
    const struct
    {
        HttpResponse response;
        QString error;
        QString log = {}; // none when empty
        LoadLimits limits = testLimits();
        QString origin = {}; // the test server's when empty
    } cases[] = {
        // clang-format off
        {{}, retrieveError(ConnectionRefusedError), "Connection refused", {},
         QStringLiteral("http://127.0.0.1:%1").arg(closedPort())},
        {{}, retrieveError(FirmwareServer::refusedCode), "refusing plain http for a non-loopback "
         "firmware server: http://firmware.example.com", {}, "http://firmware.example.com"},
        {{.body = oneVersion, .closeAfterBytes = 10}, retrieveError(RemoteHostClosedError),
         "Connection closed"},
        {{.body = oneVersion, .stallMs = 5000}, retrieveError(timeout),
         timedOut + "200 ms without data", {200ms}},
        {{}, retrieveError(timeout), timedOut + "300 ms", {1s, 300ms}, trickleOrigin},
        {{.body = tooLarge}, retrieveError(tooMuch), tooLargeLine},
        {{.body = tooLarge, .sendContentLength = false}, retrieveError(tooMuch), tooLargeLine},
        {to("http://firmware.example.com/x"), retrieveError(redirect),
         "refusing a redirect to plain http on a non-loopback host: http://firmware.example.com/x"},
        {to("file:///etc/passwd"), retrieveError(ProtocolUnknownError),
         "Unknown protocol specified"},
        {to(closedHttps), retrieveError(ConnectionRefusedError), "Connection refused"},
        {{.body = document("[]", "[]") + "\xE9"}, retrieveError(900), notUtf8},
        {{.body = "{\"x\": \"\xED\xA0\x80\"}"}, retrieveError(900), notUtf8}, // a surrogate
        {{.body = "\"cut short \xE2\x82"}, retrieveError(900), notUtf8},
        {{.status = 404, .body = "<html><body>404 Not Found</body></html>"}, readError(101)},
        {{.body = ""}, readError(101)},
        {{.body = "{\"version\": ["}, readError(101)},
        {{.body = "1e999"}, readError(406)}, // beyond a double
        {{.body = "\"a text\""}, readError(901), R"(bad json: "a text")"},
        {{.body = " 42 "}, readError(901), "bad json: 42"},
        {{.body = R"([1, "x", {"k": null}])"}, readError(901), R"(bad json: [1,"x",{"k":null}])"},
        {{.body = R"({"compatibility": []})"}, readError(902),
         invalid + R"("version" is missing or not an array)"},
        {{.body = document("[]", "{}")}, readError(902),
         invalid + R"("compatibility" is missing or not an array)"},
        {{.body = document("[" + v20 + R"(}, {"name": "2.1", "fileName": "f", "md5": "m",
         "release_date": "d"}])")}, readError(902),
         invalid + R"(entry 1 of "version" is not a valid version object)"},
        {{.body = document(R"([{"name": "2.0", "filename": "f", "md5": 7, "release_date": "d"}])")},
         readError(902), invalid + R"(entry 0 of "version" is not a valid version object)"},
        {{.body = document(R"(["2.0"])")}, readError(902),
         invalid + R"(entry 0 of "version" is not a valid version object)"},
        {{.body = document("[" + v20 + "}]", R"([{"lot": "VX-2", "versions": []}])")},
         readError(902),
         invalid + R"(entry 0 of "compatibility" is not a valid compatibility object)"},
        {{.body = document("[]", R"([{"lot": [], "versions": ["2.0", 2]}])")}, readError(902),
         invalid + R"(entry 0 of "compatibility" is not a valid compatibility object)"},
        // clang-format on
    };
    serve(oneVersion);
    ASSERT_EQ(load(), std::nullopt);
    const QString before = snapshot();
    for (qsizetype row = 0; row < std::ssize(cases); ++row) {
        const auto& c = cases[row];
        SCOPED_TRACE(::testing::Message() << "row " << row);
        setFirmwareServer(c.origin.isEmpty() ? server.origin() : c.origin);
        server.setResponse(listPath, c.response);
        const std::optional<VeltError> error = load(c.limits);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->domain, QStringLiteral("VELT"));
        EXPECT_EQ(error->code, 1000);
        EXPECT_EQ(error->localizedDescription, c.error);
        EXPECT_EQ(log, c.log.isEmpty() ? QStringList() : QStringList{c.log});
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(Load, SecondLoadAddsEveryRecordAgainAndChangesNoAnswer)
{
    serve(catalogue({{"1.0", "a"}, {"1.1", "b"}},
                    {{{"VX-1", "VX-2"}, {"1.0", "1.1"}}, {{"VX-3"}, {"1.1"}}}));
    ASSERT_EQ(load(), std::nullopt);
    const QStringList lots = firmwareList().lotNames();
    const QStringList versions = targetFirmware().versionNamesForLot("VX-2");
    ASSERT_EQ(load(), std::nullopt);
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
    ASSERT_EQ(load(), std::nullopt);
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
