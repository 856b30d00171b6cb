#include "CatalogueFixture.h"
#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "catalogue/TargetFirmware.h"

#include <QElapsedTimer>
#include <QNetworkReply>

namespace velt::test {
namespace {

using Load = CatalogueFixture;

const QByteArray oneVersion = catalogue({{"1.0", "v1.dfu"}}, {{{"VX-1"}, {"1.0"}}});

QString snapshot()
{
    return firmwareList().versionsDescription() + firmwareList().compatibilitiesDescription();
}

TEST_F(Load, ReadsAValidCatalogueWhateverTheHttpStatusAndLogsItsRecords)
{
    for (const int status : {200, 500}) {
        resetFirmwareList();
        serve(oneVersion, status);
        ASSERT_EQ(load(), std::nullopt) << status;
        EXPECT_EQ(log, QStringList({
                           "[\"1.0\": FirmwareVersion: 1.0 v1.dfu "
                           "0123456789abcdef0123456789abcdef 2024-05-01]",
                           "[Compatibility: [\"VX-1\"] -> [\"1.0\"]]",
                       }));
        ASSERT_TRUE(firmwareList().version("1.0"));
        EXPECT_EQ(firmwareList().version("1.0")->fileName, "v1.dfu");
    }
}

// Every way a load can fail: the error it returns, the log lines it writes before, and the
// catalogue left exactly as the earlier load filled it.
TEST_F(Load, FailureReturnsTheErrorToShowAndLeavesTheCatalogueAsItWas)
{
    const QByteArray version =
        R"({"name": "2.0", "filename": "f", "md5": "m", "release_date": "d"})";
    const QByteArray html = "<html><body><h1>404 Not Found</h1></body></html>";
    const QString invalid = QStringLiteral("invalid firmware list: ");
    const QString notUtf8 = QStringLiteral("the firmware list is not UTF-8 text");
    const struct
    {
        HttpResponse response;
        const char* key;
        qint64 code;
        QStringList log;
        LoadLimits limits = testLimits();
        QString origin = {}; // the test server's when empty
    } cases[] = {
        {{},
         retrieveKey,
         QNetworkReply::ConnectionRefusedError,
         {"Connection refused"},
         {},
         QStringLiteral("http://127.0.0.1:%1").arg(closedPort())},
        {{},
         retrieveKey,
         FirmwareServer::refusedCode,
         {"refusing plain http for a non-loopback firmware server: http://firmware.example.com"},
         {},
         "http://firmware.example.com"},
        {{.body = oneVersion, .closeAfterBytes = 10},
         retrieveKey,
         QNetworkReply::RemoteHostClosedError,
         {"Connection closed"}},
        {{.body = oneVersion, .stallMs = 5000},
         retrieveKey,
         QNetworkReply::OperationCanceledError,
         {"Operation canceled"},
         {std::chrono::milliseconds(200)}},
        {{.body = R"({"version": [], "compatibility": [], "x": "caf)"
                  "\xE9"
                  R"("})"},
         retrieveKey,
         900,
         {notUtf8}},
        {{.body = "{\"x\": \"\xED\xA0\x80\"}"}, retrieveKey, 900, {notUtf8}}, // a UTF-16 surrogate
        {{.body = "\"cut short \xE2\x82"}, retrieveKey, 900, {notUtf8}},
        {{.status = 404, .body = html}, readKey, 101, {}},
        {{.body = ""}, readKey, 101, {}},
        {{.body = "{\"version\": ["}, readKey, 101, {}},
        {{.body = "1e999"}, readKey, 406, {}}, // beyond a double
        {{.body = "\"a text\""}, readKey, 901, {R"(bad json: "a text")"}},
        {{.body = " 42 "}, readKey, 901, {"bad json: 42"}},
        {{.body = "[1, \"x\", {\"k\": null}]"}, readKey, 901, {R"(bad json: [1,"x",{"k":null}])"}},
        {{.body = R"({"compatibility": []})"},
         readKey,
         902,
         {invalid + R"("version" is missing or not an array)"}},
        {{.body = R"({"version": [], "compatibility": {}})"},
         readKey,
         902,
         {invalid + R"("compatibility" is missing or not an array)"}},
        {{.body = R"({"version": [)" + version +
                  R"(, {"name": "2.1", "fileName": "f", "md5": "m", "release_date": "d"}],
                  "compatibility": []})"},
         readKey,
         902,
         {invalid + R"(entry 1 of "version" is not a valid version object)"}},
        {{.body = R"({"version": [{"name": "2.0", "filename": "f", "md5": 7, "release_date": "d"}],
                  "compatibility": []})"},
         readKey,
         902,
         {invalid + R"(entry 0 of "version" is not a valid version object)"}},
        {{.body = R"({"version": ["2.0"], "compatibility": []})"},
         readKey,
         902,
         {invalid + R"(entry 0 of "version" is not a valid version object)"}},
        {{.body = R"({"version": [)" + version +
                  R"(], "compatibility": [{"lot": "VX-2", "versions": []}]})"},
         readKey,
         902,
         {invalid + R"(entry 0 of "compatibility" is not a valid compatibility object)"}},
        {{.body = R"({"version": [], "compatibility": [{"lot": [], "versions": ["2.0", 2]}]})"},
         readKey,
         902,
         {invalid + R"(entry 0 of "compatibility" is not a valid compatibility object)"}},
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
        EXPECT_EQ(error->localizedDescription, failure(c.key, c.code));
        EXPECT_EQ(log, c.log);
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
