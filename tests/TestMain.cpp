// Runs every test of one test program inside a Qt application on the
// offscreen platform, so drawing and widgets work without a display. Tests of
// the display-free layers get a GUI application without widgets.
#ifdef KORVANE_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <QDir>
#include <QLoggingCategory>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QDir::tempPath().toUtf8());
    // The offscreen platform reports every window-manager hint it cannot honour.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
    TestApplication app(argc, argv);
#ifdef KORVANE_TEST_WIDGETS
    // Lists ignore a release that follows their opening within this time:
    // kept short so tests that click in lists need not wait long.
    QApplication::setDoubleClickInterval(60);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
