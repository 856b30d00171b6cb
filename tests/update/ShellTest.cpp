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

// Readable values in failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
namespace velt {
void PrintTo(const Shell::Result& result, std::ostream* out)
{
    *out << "(\"" << result.output.toStdString() << "\", \"" << result.error.toStdString() << "\")";
}
} // namespace velt

namespace {

const std::thread::id mainThread = std::this_thread::get_id();

class RecordingDelegate : public velt::ShellDelegate
{
public:
    void shellDidReceiveOutput(const QString& output) override
    {
        std::lock_guard lock(m_mutex);
        m_pieces.append(output);
        m_calledOnMainThread |= std::this_thread::get_id() == mainThread;
    }
    QStringList pieces() const
    {
        std::lock_guard lock(m_mutex);
        return m_pieces;
    }
    bool calledOnMainThread() const
    {
        std::lock_guard lock(m_mutex);
        return m_calledOnMainThread;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_pieces;
    bool m_calledOnMainThread = false;
};

// Collects the completion of one background run.
class Completion
{
public:
    Shell::Completion handler()
    {
        return [this](QString output, QString error) {
            std::lock_guard lock(m_mutex);
            m_result = Shell::Result{std::move(output), std::move(error)};
            m_calledOnMainThread = std::this_thread::get_id() == mainThread;
            ++m_calls;
            m_done.notify_all();
        };
    }
    // The result; fails the test when the completion does not come within two minutes.
    Shell::Result wait()
    {
        std::unique_lock lock(m_mutex);
        const bool arrived =
            m_done.wait_for(lock, std::chrono::minutes(2), [this] { return m_result.has_value(); });
        EXPECT_TRUE(arrived) << "completion not called";
        return m_result.value_or(Shell::Result{});
    }
    bool calledOnMainThread()
    {
        std::lock_guard lock(m_mutex);
        return m_calledOnMainThread;
    }
    int calls()
    {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    std::optional<Shell::Result> m_result;
    bool m_calledOnMainThread = false;
    int m_calls = 0;
};

Shell::Result runScript(const QString& script)
{
    return Shell::runAndWait(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
}

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override { Shell::setDelegate(nullptr); }
    void TearDown() override { Shell::setDelegate(nullptr); }

    std::shared_ptr<RecordingDelegate> installDelegate()
    {
        auto delegate = std::make_shared<RecordingDelegate>();
        Shell::setDelegate(delegate);
        return delegate;
    }

    // Runs the script in the background and waits for its completion.
    Shell::Result runScriptInBackground(const QString& script)
    {
        Completion completion;
        Shell::runInBackground(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script},
                               completion.handler());
        const Shell::Result result = completion.wait();
        EXPECT_FALSE(completion.calledOnMainThread());
        return result;
    }
};

} // namespace

TEST(RemoveLastCharacter, RemovesOneUserPerceivedCharacter)
{
    const struct
    {
        QString text;
        QString expected;
    } cases[] = {
        {u""_s, u""_s},
        {u"abc"_s, u"ab"_s},
        {u"abc\n"_s, u"abc"_s},
        {u"abc\r\n"_s, u"abc"_s},
        {u"\r\n"_s, u""_s},
        {u"a\n\r\n"_s, u"a\n"_s},
        {u"x"_s, u""_s},
        {u"日本語"_s, u"日本"_s},
        {u"cafe\u0301"_s, u"caf"_s},                     // e + combining acute
        {u"ok\U0001F44D\U0001F3FD"_s, u"ok"_s},          // thumbs up + skin tone
        {u"a\U0001F1EF\U0001F1F5\U0001F1EF\U0001F1F5"_s, // two flags
         u"a\U0001F1EF\U0001F1F5"_s},
        {u"\U0001F1EF\U0001F1F5\U0001F1EF"_s, u"\U0001F1EF\U0001F1F5"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shell::removeLastCharacter(c.text), c.expected) << c.text.toStdString();
}

TEST_F(ShellTest, BlockingRunReturnsBothTextsWithoutTheirLastCharacter)
{
    const struct
    {
        const char* script;
        Shell::Result expected;
    } cases[] = {
        {"printf abc", {u"ab"_s, u""_s}},
        {"printf 'abc\\r\\n'", {u"abc"_s, u""_s}},
        {"true", {u""_s, u""_s}},
        {"printf 'out\\n'; printf 'err\\n' >&2; exit 1", {u"out"_s, u"err"_s}},
        {"printf '\\342\\202\\254\\n'", {u"€"_s, u""_s}},
        // Bytes that are not UTF-8 must not end the run; they become U+FFFD.
        {"printf 'a\\377b\\n'", {u"a\uFFFDb"_s, u""_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(runScript(QString::fromUtf8(c.script)), c.expected) << c.script;
}

TEST_F(ShellTest, BlockingRunDrainsBothPipesBeyondTheirCapacity)
{
    // 64 MiB on each stream at once: a runner that reads one pipe to its end before the other,
    // or waits for the exit before reading, deadlocks here.
    const Shell::Result result = runScript(u"head -c 67108864 /dev/zero | tr '\\0' a & "
                                           "head -c 67108864 /dev/zero | tr '\\0' b >&2; wait"_s);
    const qsizetype expected = 64 * 1024 * 1024 - 1;
    ASSERT_EQ(result.output.size(), expected);
    ASSERT_EQ(result.error.size(), expected);
    EXPECT_EQ(result.output.count(u'a'), expected);
    EXPECT_EQ(result.error.count(u'b'), expected);
}

TEST_F(ShellTest, RunLogsTheCommandTheArgumentsAndTheResult)
{
    StdoutCapture capture;
    const Shell::Result result =
        Shell::run(u"/bin/echo"_s, {u"a\"b"_s, u"c\\d"_s, u"e\tf"_s, u"it's"_s});
    Shell::run(u"/bin/sh"_s, {u"-c"_s, u"exit 1"_s});
    Shell::run(u"/bin/true"_s, {});
    EXPECT_EQ(result, (Shell::Result{u"a\"b c\\d e\tf it's"_s, u""_s}));
    EXPECT_EQ(capture.lines(), (QStringList{
                                   u"/bin/echo succeeded."_s,
                                   u""_s,
                                   u"> /bin/echo [\"a\\\"b\", \"c\\\\d\", \"e\\tf\", \"it\\'s\"]"_s,
                                   u"(\"a\\\"b c\\\\d e\\tf it\\'s\", \"\")"_s,
                                   u"/bin/sh failed."_s,
                                   u""_s,
                                   u"> /bin/sh [\"-c\", \"exit 1\"]"_s,
                                   u"(\"\", \"\")"_s,
                                   u"/bin/true succeeded."_s,
                                   u""_s,
                                   u"> /bin/true []"_s,
                                   u"(\"\", \"\")"_s,
                               }));
}

TEST_F(ShellTest, BareCommandIsLocatedThroughALoginShell)
{
    StdoutCapture capture;
    const Shell::Result result = Shell::run(u"sh"_s, {u"-c"_s, u"printf 'hi\\n'"_s});
    const QStringList lines = capture.lines();
    EXPECT_EQ(result, (Shell::Result{u"hi"_s, u""_s}));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], u"/bin/bash succeeded."_s);
    // The program started is the path `which` printed, without its newline ...
    EXPECT_TRUE(lines[1].startsWith(u'/') && lines[1].endsWith(u"/sh succeeded."_s))
        << lines[1].toStdString();
    // ... while the command line names the command as given.
    EXPECT_EQ(lines[3], u"> sh [\"-c\", \"printf \\'hi\\\\n\\'\"]"_s);
}

TEST_F(ShellTest, UnknownCommandYieldsAnErrorTextInsteadOfARun)
{
    StdoutCapture capture;
    const Shell::Result result = Shell::run(u"velt-no-such-command"_s, {});
    const QStringList lines = capture.lines();
    EXPECT_EQ(result.output, u""_s);
    EXPECT_TRUE(result.error.startsWith(u"Cannot start \"\": "_s)) << result.error.toStdString();
    EXPECT_EQ(lines.value(0), u"/bin/bash failed."_s);
    EXPECT_EQ(lines.value(1), u" failed."_s);
    EXPECT_EQ(lines.value(3), u"> velt-no-such-command []"_s);
}

TEST_F(ShellTest, LookupDoesNotLetTheShellRunPartsOfTheCommand)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath(u"ran"_s);
    StdoutCapture capture;
    Shell::run(u"true; touch "_s + marker, {});
    capture.lines();
    EXPECT_FALSE(QFile::exists(marker));
}

TEST_F(ShellTest, ProgramThatCannotStartYieldsTheReasonInBothModes)
{
    QTemporaryDir dir;
    const QString notExecutable = dir.filePath(u"tool"_s);
    QFile file(notExecutable);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();

    const struct
    {
        QString path;
        QString reason;
    } cases[] = {
        {u"/nonexistent/velt-tool"_s, u"No such file or directory"_s},
        {notExecutable, u"Permission denied"_s},
        {dir.path(), u"Permission denied"_s},
        {u""_s, u"no program path given"_s},
    };
    auto delegate = installDelegate();
    for (const auto& c : cases) {
        const QString expected = u"Cannot start \"%1\": %2."_s.arg(c.path, c.reason);
        EXPECT_EQ(Shell::runAndWait(c.path, {u"x"_s}), (Shell::Result{u""_s, expected}));

        Completion completion;
        Shell::runInBackground(c.path, {u"x"_s}, completion.handler());
        EXPECT_EQ(completion.wait(), (Shell::Result{u""_s, expected}));
        EXPECT_FALSE(completion.calledOnMainThread());
    }
    EXPECT_TRUE(delegate->pieces().isEmpty()) << "nothing ran, so no output arrived";
}

TEST_F(ShellTest, ChildEndedBySignalFailsThroughItsErrorText)
{
    const struct
    {
        const char* script;
        QString error;
    } cases[] = {
        {"printf 'boom\\n' >&2; kill -TERM $$", u"boom\nTerminated by signal 15 (Terminated)."_s},
        {"ulimit -c 0; kill -SEGV $$", u"Terminated by signal 11 (Segmentation fault)."_s},
        {"kill -KILL $$", u"Terminated by signal 9 (Killed)."_s},
    };
    for (const auto& c : cases) {
        const QString script = QString::fromUtf8(c.script);
        EXPECT_EQ(runScript(script).error, c.error) << c.script;
        EXPECT_EQ(runScriptInBackground(script).error, c.error) << c.script;
    }
}

TEST_F(ShellTest, BackgroundRunReturnsAtOnceAndCompletesOffTheMainThread)
{
    // The child blocks on a FIFO until the test writes to it, so "at once" is not a race.
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath(u"fifo"_s));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    auto delegate = installDelegate();

    Completion completion;
    StdoutCapture capture;
    const Shell::Result immediate = Shell::run(
        u"/bin/sh"_s,
        {u"-c"_s, u"cat \"$0\"; printf 'oops\\n' >&2; exit 2"_s, QString::fromUtf8(fifo)},
        completion.handler());
    EXPECT_EQ(immediate, (Shell::Result{u""_s, u""_s}));
    EXPECT_EQ(completion.calls(), 0);

    const int fd = ::open(fifo.constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "line one\nline two\n", 18), 18);
    ::close(fd);

    EXPECT_EQ(completion.wait(), (Shell::Result{u"line one\nline two"_s, u"oops"_s}));
    EXPECT_FALSE(completion.calledOnMainThread());
    EXPECT_EQ(completion.calls(), 1);
    const QStringList lines = capture.lines();
    EXPECT_TRUE(lines.contains(u"(\"\", \"\")"_s));
    EXPECT_TRUE(lines.contains(u"/bin/sh failed."_s));

    const QStringList pieces = delegate->pieces();
    ASSERT_FALSE(pieces.isEmpty());
    EXPECT_EQ(pieces.join(QString()), u"line one\nline two\n"_s);
    EXPECT_EQ(pieces.last(), u""_s) << "the rest at the end is always delivered";
    EXPECT_FALSE(delegate->calledOnMainThread());
}

TEST_F(ShellTest, LargeOutputArrivesWholeAndInOrder)
{
    // Several megabytes on both streams, interleaved, in many reads.
    auto delegate = installDelegate();
    const Shell::Result result = runScriptInBackground(u"seq 1 500000 & seq 1 300000 >&2; wait"_s);

    QString expectedOutput;
    for (int i = 1; i <= 500000; ++i)
        expectedOutput += QString::number(i) + u'\n';
    QString expectedError;
    for (int i = 1; i <= 300000; ++i)
        expectedError += QString::number(i) + u'\n';
    const QStringList pieces = delegate->pieces();
    EXPECT_GT(pieces.size(), 2);
    EXPECT_TRUE(pieces.join(QString()) == expectedOutput);
    expectedOutput.chop(1);
    expectedError.chop(1);
    EXPECT_TRUE(result.output == expectedOutput);
    EXPECT_TRUE(result.error == expectedError);
}

TEST_F(ShellTest, CharacterSplitAcrossReadsIsNotDiscarded)
{
    // The euro sign's first byte arrives alone; it is not invalid, only incomplete.
    auto delegate = installDelegate();
    const Shell::Result result =
        runScriptInBackground(u"printf '\\342'; sleep 0.2; printf '\\202\\254x\\n'"_s);
    EXPECT_EQ(result.output, u"€x"_s);
    EXPECT_EQ(delegate->pieces().join(QString()), u"€x\n"_s);
}

TEST_F(ShellTest, PieceThatIsNotUtf8IsDiscardedWhole)
{
    auto delegate = installDelegate();
    const Shell::Result result = runScriptInBackground(
        u"printf 'ok\\n'; sleep 0.2; printf '\\377bad\\n'; sleep 0.2; printf 'end\\n'"_s);
    EXPECT_EQ(result.output, u"ok\nend"_s);
    EXPECT_EQ(delegate->pieces().join(QString()), u"ok\nend\n"_s);
}
