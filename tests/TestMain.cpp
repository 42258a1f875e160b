// Runs every test of one test program inside a Qt application on the
// offscreen platform, so drawing and widgets work without a display.
#include <QApplication>
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
    QApplication app(argc, argv);
    // Lists ignore a release that follows their opening within this time:
    // kept short so tests that click in lists need not wait long.
    QApplication::setDoubleClickInterval(60);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
