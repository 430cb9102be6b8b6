// The real program on a real (virtual) X server without a window manager:
// the main window takes the keyboard, Enter does nothing, Esc ends the process
// with exit code 0. Skipped where Xvfb or xdotool is missing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

TEST(RealWindow, TakesTheKeyboardIgnoresEnterAndEscapeEndsWithCodeZero) {
    const QString program = QCoreApplication::applicationDirPath() + "/../orvane";
    if (!QFileInfo(program).isExecutable()) GTEST_SKIP() << "the orvane program is not built next to the tests";
    if (QStandardPaths::findExecutable("xvfb-run").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
        GTEST_SKIP() << "xvfb-run or xdotool is missing";
    // Exit status 3: gone after Enter; 4: still running long after Esc.
    const QString script = QStringLiteral(
        "\"$0\" & pid=$!\n"
        "xdotool search --sync --onlyvisible --name 'Orvane \\(Binary Format\\)' >/dev/null || exit 5\n"
        "sleep 0.5\n"
        "xdotool type 12\n"
        "xdotool key Return\n"
        "sleep 0.3\n"
        "kill -0 $pid 2>/dev/null || exit 3\n"
        "xdotool key Escape\n"
        "for i in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done\n"
        "kill -0 $pid 2>/dev/null && { kill $pid; exit 4; }\n"
        "wait $pid\n");
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");  // the program uses the X server
    run.setProcessEnvironment(env);
    run.start("xvfb-run", {"-a", "-s", "-screen 0 1280x800x24", "sh", "-c", script, program});
    ASSERT_TRUE(run.waitForStarted(10000));
    ASSERT_TRUE(run.waitForFinished(60000)) << "the program did not end";
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
}
