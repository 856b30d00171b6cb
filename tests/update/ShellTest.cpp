#include "update/Shell.h"

#include "StdoutCapture.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using velt::Shell;

namespace velt {
void PrintTo(const Shell::Result& result, std::ostream* out)
{
    *out << "(\"" << result.output.toStdString() << "\", \"" << result.error.toStdString() << "\")";
}
} // namespace velt

namespace {

const std::thread::id mainThread = std::this_thread::get_id();

// Records the pieces of standard output a background run hands over, and where.
class RecordingDelegate : public velt::ShellDelegate
{
public:
    void shellDidReceiveOutput(const QString& output) override
    {
        std::lock_guard lock(mutex);
        pieces.append(output);
        offMainThread &= std::this_thread::get_id() != mainThread;
    }
    std::mutex mutex;
    QStringList pieces;
    bool offMainThread = true;
};

// Collects the completion of one background run.
class Completion
{
public:
    Shell::Completion handler()
    {
        return [this](Shell::Outcome outcome) {
            EXPECT_NE(std::this_thread::get_id(), mainThread);
            std::lock_guard lock(m_mutex);
            m_outcome = std::move(outcome);
            m_done.notify_all();
        };
    }
    // Fails the test when the completion does not come within two minutes.
    Shell::Outcome wait()
    {
        std::unique_lock lock(m_mutex);
        EXPECT_TRUE(
            m_done.wait_for(lock, std::chrono::minutes(2), [this] { return bool(m_outcome); }));
        return m_outcome.value_or(Shell::Outcome{});
    }
    bool arrived()
    {
        std::lock_guard lock(m_mutex);
        return m_outcome.has_value();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    std::optional<Shell::Outcome> m_outcome;
};

Shell::Outcome runInBackground(const QString& script)
{
    Completion completion;
    Shell::runInBackground(u"/bin/sh"_s, {u"-c"_s, script}, completion.handler());
    return completion.wait();
}

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override { Shell::setDelegate(delegate); }
    void TearDown() override { Shell::setDelegate(nullptr); }

    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST(RemoveLastCharacter, RemovesOneUserPerceivedCharacter)
{
    const QString cases[][2] = {
        {u""_s, u""_s},
        {u"abc\n"_s, u"abc"_s},
        {u"abc\r\n"_s, u"abc"_s},
        {u"a\n\r\n"_s, u"a\n"_s},
        {u"日本語"_s, u"日本"_s},
        {u"cafe\u0301"_s, u"caf"_s},            // e + combining acute
        {u"ok\U0001F44D\U0001F3FD"_s, u"ok"_s}, // thumbs up + skin tone
        {u"a\U0001F1EF\U0001F1F5\U0001F1EF\U0001F1F5"_s, u"a\U0001F1EF\U0001F1F5"_s}, // flags
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shell::removeLastCharacter(c[0]), c[1]) << c[0].toStdString();
}

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
        {u"/bin/sh"_s, u"printf 'out\\n'; printf 'err\\n' >&2"_s, {u"out"_s, u"err"_s, true, 0, 0}},
        {u"/bin/sh"_s, u"printf '\\342\\202\\254\\n'; exit 3"_s, {u"€"_s, u""_s, true, 3, 0}},
        {u"/bin/sh"_s,
         u"printf 'boom\\n' >&2; kill -TERM $$"_s,
         {u""_s, u"boom\nTerminated by signal 15 (Terminated)."_s, true, -1, 15}},
        {u"/bin/sh"_s,
         u"ulimit -c 0; kill -SEGV $$"_s,
         {u""_s, u"Terminated by signal 11 (Segmentation fault)."_s, true, -1, 11}},
        {u"/nonexistent/tool"_s,
         {},
         {u""_s, u"Cannot start \"/nonexistent/tool\": No such file or directory."_s}},
        {notExecutable,
         {},
         {u""_s, u"Cannot start \"%1\": Permission denied."_s.arg(notExecutable)}},
        {u""_s, {}, {u""_s, u"Cannot start \"\": no program path given."_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.toStdString() + c.path.toStdString());
        Completion completion;
        Shell::runInBackground(c.path, {u"-c"_s, c.script}, completion.handler());
        const Shell::Outcome outcome = completion.wait();
        EXPECT_EQ(outcome.output, c.expected.output);
        EXPECT_EQ(outcome.error, c.expected.error);
        EXPECT_EQ(outcome.started, c.expected.started);
        EXPECT_EQ(outcome.exitStatus, c.expected.exitStatus);
        EXPECT_EQ(outcome.signal, c.expected.signal);
        EXPECT_EQ(outcome.succeeded(), c.expected.exitStatus == 0);
        EXPECT_EQ(Shell::runAndWait(c.path, {u"-c"_s, c.script}),
                  (Shell::Result{c.expected.output, c.expected.error}));
    }
}

TEST_F(ShellTest, BlockingRunDrainsBothPipesBeyondTheirCapacity)
{
    // 64 MiB on each stream at once: a runner that reads one pipe to its end before the other,
    // or waits for the exit before reading, deadlocks here.
    const Shell::Result result = Shell::runAndWait(
        u"/bin/sh"_s, {u"-c"_s, u"head -c 67108864 /dev/zero | tr '\\0' a & "
                                "head -c 67108864 /dev/zero | tr '\\0' b >&2; wait"_s});
    const qsizetype expected = 64 * 1024 * 1024 - 1;
    EXPECT_EQ(result.output.count(u'a'), expected);
    EXPECT_EQ(result.error.count(u'b'), expected);
}

TEST_F(ShellTest, RunLogsTheCommandTheArgumentsAndTheResult)
{
    QTemporaryDir dir;
    StdoutCapture capture;
    Shell::run(u"/bin/echo"_s, {u"a\"b"_s, u"c\\d"_s, u"e\tf"_s, u"it's"_s});
    Shell::run(u"/bin/sh"_s, {u"-c"_s, u"exit 1"_s});
    const Shell::Result found = Shell::run(u"sh"_s, {u"-c"_s, u"printf 'hi\\n'"_s});
    // The lookup of a bare name must not let the shell run part of it.
    Shell::run(u"true; touch "_s + dir.filePath(u"ran"_s), {});
    const QStringList lines = capture.lines();
    EXPECT_EQ(lines.mid(0, 8), (QStringList{
                                   u"/bin/echo succeeded."_s,
                                   u""_s,
                                   u"> /bin/echo [\"a\\\"b\", \"c\\\\d\", \"e\\tf\", \"it\\'s\"]"_s,
                                   u"(\"a\\\"b c\\\\d e\\tf it\\'s\", \"\")"_s,
                                   u"/bin/sh failed."_s,
                                   u""_s,
                                   u"> /bin/sh [\"-c\", \"exit 1\"]"_s,
                                   u"(\"\", \"\")"_s,
                               }));
    EXPECT_EQ(found, (Shell::Result{u"hi"_s, u""_s}));
    EXPECT_EQ(lines.value(8), u"/bin/bash succeeded."_s);
    EXPECT_TRUE(lines.value(9).endsWith(u"/sh succeeded."_s)) << lines.value(9).toStdString();
    EXPECT_EQ(lines.value(11), u"> sh [\"-c\", \"printf \\'hi\\\\n\\'\"]"_s);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"ran"_s)));
}

TEST_F(ShellTest, BackgroundRunReturnsAtOnceAndHandsOverPiecesInOrder)
{
    // The child blocks on a FIFO until the test writes to it, so "at once" is not a race.
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath(u"fifo"_s));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    Completion completion;
    const Shell::Result immediate = Shell::run(
        u"/bin/sh"_s,
        {u"-c"_s, u"cat \"$0\"; printf 'oops\\n' >&2; exit 2"_s, QString::fromUtf8(fifo)},
        completion.handler());
    EXPECT_EQ(immediate, (Shell::Result{}));
    EXPECT_FALSE(completion.arrived());
    const int fd = ::open(fifo.constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "line one\nline two\n", 18), 18);
    ::close(fd);
    const Shell::Outcome outcome = completion.wait();
    EXPECT_EQ(outcome.output, u"line one\nline two"_s);
    EXPECT_EQ(outcome.exitStatus, 2);
    std::lock_guard lock(delegate->mutex);
    EXPECT_EQ(delegate->pieces.join(QString()), u"line one\nline two\n"_s);
    EXPECT_EQ(delegate->pieces.last(), u""_s) << "the rest at the end is always delivered";
    EXPECT_TRUE(delegate->offMainThread);
}

// A character split across reads is kept; a piece that is not UTF-8 is dropped whole; several
// megabytes arrive whole and in order.
TEST_F(ShellTest, PiecesOfOutput)
{
    const QString cases[][2] = {
        {u"printf '\\342'; sleep 0.2; printf '\\202\\254x\\n'"_s, u"€x\n"_s},
        {u"printf 'ok\\n'; sleep 0.2; printf '\\377bad\\n'; sleep 0.2; printf 'end\\n'"_s,
         u"ok\nend\n"_s},
        {u"seq 1 500000"_s, {}},
    };
    QString numbers;
    for (int i = 1; i <= 500000; ++i)
        numbers += QString::number(i) + u'\n';
    for (const auto& c : cases) {
        {
            std::lock_guard lock(delegate->mutex);
            delegate->pieces.clear();
        }
        const QString expected = c[1].isEmpty() ? numbers : c[1];
        EXPECT_TRUE(runInBackground(c[0]).output == Shell::removeLastCharacter(expected));
        std::lock_guard lock(delegate->mutex);
        EXPECT_TRUE(delegate->pieces.join(QString()) == expected) << c[0].toStdString();
    }
}

} // namespace
