// SPDX-License-Identifier: Apache-2.0
#include "update/Shell.h"

#include "support/FdCapture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using velt::Shell;

namespace {

// Records the pieces of standard output a background run hands over.
class RecordingDelegate : public velt::ShellDelegate
{
public:
    void shellDidReceiveOutput(const QString& output) override { pieces.append(output); }
    QStringList pieces;
};

// Starts a background run and returns where its outcome will be; the delegate's last call
// must come before the completion.
std::shared_ptr<std::optional<Shell::Outcome>> startInBackground(const QString& path,
                                                                 const QStringList& arguments,
                                                                 const RecordingDelegate* delegate)
{
    auto outcome = std::make_shared<std::optional<Shell::Outcome>>();
    const qsizetype piecesBefore = delegate->pieces.size();
    Shell::run(path, arguments, [outcome, delegate, piecesBefore](Shell::Outcome ended) {
        EXPECT_TRUE(!ended.started || delegate->pieces.size() > piecesBefore)
            << "the delegate's last call comes first";
        *outcome = std::move(ended);
    });
    return outcome;
}

Shell::Outcome wait(const std::shared_ptr<std::optional<Shell::Outcome>>& outcome)
{
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome->has_value(); }, 60'000))
        << "completion not called";
    return outcome->value_or(Shell::Outcome{});
}

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override { Shell::setDelegate(delegate); }
    void TearDown() override { Shell::setDelegate(nullptr); }

    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

// How a run ended reaches the completion beside both texts; the texts look the same in both
// modes.
TEST_F(ShellTest, OutcomeOfARun)
{
    QTemporaryDir dir;
    const QString notExecutable = dir.filePath(u"tool"_s);
    QFile(notExecutable).open(QIODevice::WriteOnly);
    const struct
    {
        QString path;
        QString script;
        Shell::Outcome expected;
    } cases[] = {
        {u"/bin/sh"_s, u"printf 'out\\n'; printf 'err\\n' >&2"_s, {u"out"_s, u"err"_s, true, 0}},
        {u"/bin/sh"_s, u"printf '\\342\\202\\254\\n'; exit 3"_s, {u"€"_s, u""_s, true, 3}},
        // A group of its own: a terminal's Ctrl-C or hang-up never reaches the program.
        {u"/bin/sh"_s,
         u"read -r _ _ _ _ group _ < /proc/$$/stat; [ \"$group\" = $$ ] && echo own"_s,
         {u"own"_s, u""_s, true, 0}},
        {u"/bin/sh"_s,
         u"printf 'boom\\n' >&2; kill -TERM $$"_s,
         {u""_s, u"boom\nTerminated by signal 15 (Terminated)."_s, true, -1, 15}},
        {u"/nonexistent/tool"_s,
         {},
         {{}, u"Cannot start \"/nonexistent/tool\": No such file or directory."_s}},
        {notExecutable, {}, {{}, u"Cannot start \"%1\": Permission denied."_s.arg(notExecutable)}},
        {u""_s, {}, {{}, u"Cannot start \"\": no program path given."_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.toStdString() + c.path.toStdString());
        const Shell::Outcome outcome =
            wait(startInBackground(c.path, {u"-c"_s, c.script}, delegate.get()));
        const auto fields = [](const Shell::Outcome& o) {
            return std::tuple(o.output, o.error, o.started, o.exitStatus, o.signal, o.succeeded());
        };
        EXPECT_EQ(fields(outcome), fields(c.expected));
        const Shell::Result result = Shell::runAndWait(c.path, {u"-c"_s, c.script});
        EXPECT_EQ(std::pair(result.output, result.error), std::pair(outcome.output, outcome.error));
    }
}

TEST_F(ShellTest, RunLogsTheCommandTheArgumentsAndTheResult)
{
    QTemporaryDir dir;
    FdCapture out(STDOUT_FILENO);
    Shell::run(u"/bin/echo"_s, {u"a\"b"_s, u"c\\d"_s, u"e\tf"_s, u"it's"_s});
    Shell::run(u"/bin/sh"_s, {u"-c"_s, u"exit 1"_s});
    Shell::run(u"sh"_s, {u"-c"_s, u"exit 0"_s});
    // The lookup of a bare name must not let the shell run part of it.
    Shell::run(u"true; touch "_s + dir.filePath(u"ran"_s), {});
    const QStringList lines = out.lines();
    EXPECT_EQ(lines.mid(0, 6),
              (QStringList{u"/bin/echo succeeded."_s,
                           u"> /bin/echo [\"a\\\"b\", \"c\\\\d\", \"e\\tf\", \"it\\'s\"]"_s,
                           u"(\"a\\\"b c\\\\d e\\tf it\\'s\", \"\")"_s, u"/bin/sh failed."_s,
                           u"> /bin/sh [\"-c\", \"exit 1\"]"_s, u"(\"\", \"\")"_s}));
    // A bare name is located with `which` and started from the path it printed.
    EXPECT_EQ(lines.value(6), u"/bin/bash succeeded."_s);
    EXPECT_TRUE(lines.value(7).endsWith(u"/sh succeeded."_s)) << lines.value(7).toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(u"ran"_s)));
}

// A background run returns at once and hands over the pieces in order, the rest at the end
// always delivered. A character split across reads is kept; a piece that is not UTF-8 is
// dropped whole and the next one decodes again; several megabytes on both streams at once
// (beyond the pipes' capacity: a runner that reads one pipe to its end first deadlocks) arrive
// whole and in order.
TEST_F(ShellTest, PiecesOfOutput)
{
    QString numbers;
    for (int i = 1; i <= 500000; ++i)
        numbers += QString::number(i) + u'\n';
    const QString cases[][2] = {
        {u"printf '\\342'; sleep 0.2; printf '\\202\\254x\\n'"_s, u"€x\n"_s},
        {u"printf 'ok\\n'; sleep 0.2; printf '\\377bad\\n'; sleep 0.2; printf '1 of 4\\n'"_s,
         u"ok\n1 of 4\n"_s},
        {u"printf 'ok\\n'; sleep 0.2; printf '\\342\\202'; sleep 0.2; printf '\\377\\n';"
         u"sleep 0.2; printf '2 of 4\\n'"_s,
         u"ok\n2 of 4\n"_s},
        {u"seq 1 500000 & seq 1 500000 >&2; wait"_s, numbers},
    };
    for (const auto& c : cases) {
        Shell::setDelegate(delegate = std::make_shared<RecordingDelegate>());
        const auto ended = startInBackground(u"/bin/sh"_s, {u"-c"_s, c[0]}, delegate.get());
        EXPECT_FALSE(ended->has_value()) << "the run returns at once";
        const Shell::Outcome outcome = wait(ended);
        EXPECT_TRUE(outcome.output == Shell::removeLastCharacter(c[1])) << c[0].toStdString();
        EXPECT_TRUE(delegate->pieces.join(QString()) == c[1]) << c[0].toStdString();
        EXPECT_EQ(delegate->pieces.last(), u""_s) << "the rest at the end is always delivered";
    }
}

} // namespace
