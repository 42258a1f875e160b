// The command line and the start-up it shapes: options read, mistakes
// refused, the map and window size given to the window, the installed
// program's first map, and the program itself run with them.
#include "AppWindow.h"

#include "window/CommandLine.h"
#include "window/MapApp.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

CommandLine Parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("korvane"));
    return ParseCommandLine(arguments);
}

void ExpectRefused(const QStringList& arguments, const QString& english, const QString& vietnamese)
{
    const CommandLine line = Parse(arguments);
    EXPECT_EQ(line.action, CommandLine::Action::Refuse) << arguments.join(' ').toStdString();
    EXPECT_TRUE(line.text.contains(english)) << line.text.toStdString();
    EXPECT_TRUE(line.text.contains(vietnamese)) << line.text.toStdString();
}

TEST(CommandLine, HelpAndVersionAnswerInBothLanguagesWhateverElseIsOnTheLine)
{
    for (const QStringList& arguments : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"--bogus", "--help"},
                                         QStringList{"--size", "0x0", "-h", "a.kvp", "b.kvp"}}) {
        const CommandLine line = Parse(arguments);
        ASSERT_EQ(line.action, CommandLine::Action::ShowHelp) << arguments.join(' ').toStdString();
        EXPECT_TRUE(line.text.startsWith("Usage: korvane [options] [MAP.kvp]\nCách dùng: korvane [tùy chọn]"));
        // Each entry's two lines, the Vietnamese one under the English.
        EXPECT_TRUE(line.text.contains("  --size <WxH>    Open the window W × H pixels, its bars included (e.g. "
                                       "240x320).\n                  Mở cửa sổ rộng W, cao H điểm ảnh, kể cả"))
            << line.text.toStdString();
        EXPECT_TRUE(line.text.contains("  -v, --version   Show the program's version and exit.\n"));
        EXPECT_FALSE(line.text.contains("exit-after-start"));
    }
    for (const char* option : {"--version", "-v"}) {
        const CommandLine line = Parse({option});
        ASSERT_EQ(line.action, CommandLine::Action::ShowVersion);
        EXPECT_EQ(line.text, "korvane 1.3\nOffline street map and GPS navigation.\n"
                             "Bản đồ số và dẫn đường GPS ngoại tuyến.\n");
    }
}

TEST(CommandLine, RefusesUnknownOptionsMissingValuesAndExtraMaps)
{
    ExpectRefused({"--bogus"}, "unknown option '--bogus'", "không có tùy chọn '--bogus'");
    ExpectRefused({"-x"}, "unknown option '-x'", "không có tùy chọn '-x'");
    ExpectRefused({"--size"}, "Missing value after '--size'", "dòng lệnh sai");
    ExpectRefused({"--exit-after-start=1"}, "Unexpected value after '--exit-after-start'", "dòng lệnh sai");
    QTemporaryDir dir;
    const QString map = dir.filePath("city.kvp");
    QFile(map).open(QIODevice::WriteOnly);
    ExpectRefused({map, map}, "give at most one map file", "chỉ mở được một tệp bản đồ");
    ExpectRefused({dir.filePath("missing.kvp")}, "cannot read the map file", "không đọc được tệp bản đồ");
    ExpectRefused({dir.path()}, "cannot read the map file", "không đọc được tệp bản đồ");
}

TEST(CommandLine, SizeIsWidthByHeightInPixelsWithinLimits)
{
    const std::pair<const char*, QSize> good[] = {
        {"240x320", {240, 320}}, {"1024X768", {1024, 768}}, {"10000x10000", {10000, 10000}}};
    for (const auto& [text, size] : good) {
        const CommandLine line = Parse({"--size", text});
        EXPECT_EQ(line.action, CommandLine::Action::Start) << text;
        EXPECT_EQ(line.options.windowSize, size) << text;
    }
    for (const char* bad : {"0x0", "239x320", "240x319", "10001x320", "240x100000", "240", "240x", "x320", "-240x320",
                            "240x320x2", "240 x 320", "240*320", "abc", ""}) {
        ExpectRefused({"--size", bad}, QStringLiteral("bad size '%1'").arg(bad),
                      QStringLiteral("kích thước sai '%1'").arg(bad));
    }
}

TEST(CommandLine, GpsIsAReceiverLogOrGpsd)
{
    EXPECT_EQ(Parse({"--gps", "gpsd:"}).options.gpsSource, QStringLiteral("gpsd: localhost:2947"));
    EXPECT_EQ(Parse({"--gps", "gpsd:gps.lan:3000"}).options.gpsSource, QStringLiteral("gpsd: gps.lan:3000"));
    const QString log = QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/nmea/et-332.log");
    EXPECT_EQ(Parse({"--gps", log}).options.gpsSource, log);
    ExpectRefused({"--gps", "/no/such/drive.nmea"}, "cannot read the receiver log '/no/such/drive.nmea'",
                  "không đọc được tệp nhật ký GPS");
}

TEST(CommandLine, AMapIsTakenByItsFullPathAndNothingElseIsSet)
{
    const CommandLine none = Parse({});
    EXPECT_EQ(none.action, CommandLine::Action::Start);
    EXPECT_TRUE(none.options.mapFile.isEmpty());
    EXPECT_FALSE(none.options.windowSize.isValid());
    EXPECT_FALSE(none.options.exitAfterStart);

    QTemporaryDir dir;
    QDir(dir.path()).mkdir("maps");
    QFile(dir.filePath("maps/city.kvp")).open(QIODevice::WriteOnly);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const CommandLine line = Parse({"maps/city.kvp", "--exit-after-start"});
    QDir::setCurrent(previous);
    EXPECT_EQ(line.action, CommandLine::Action::Start);
    EXPECT_EQ(line.options.mapFile, QFileInfo(dir.filePath("maps/city.kvp")).absoluteFilePath());
    EXPECT_TRUE(line.options.exitAfterStart);
}

TEST(StartMap, TheInstalledHanoiMapOnlyBeforeTheFirstSettingsFile)
{
    TempDeviceRoot root;
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath("bin");
    QDir(prefix.path()).mkpath("share/korvane/maps");
    const QString hanoi = prefix.filePath("share/korvane/maps/hanoi.kvp");
    QFile(hanoi).open(QIODevice::WriteOnly);
    const QString bin = prefix.filePath("bin");

    EXPECT_EQ(StartMap({}, bin), hanoi);
    StartOptions named;
    named.mapFile = QStringLiteral("/maps/city.kvp");
    EXPECT_EQ(StartMap(named, bin), named.mapFile);
    // A program outside an installation (its build folder) has no first map.
    QTemporaryDir build;
    EXPECT_EQ(StartMap({}, build.path()), QString());

    root.Write("My Documents/korvane.cfg", "MapVer 1.2\r\nMapURL \r\nend\r\n");
    EXPECT_EQ(StartMap({}, bin), QString());
    EXPECT_EQ(StartMap(named, bin), named.mapFile);
}

using Startup = AppTest;

TEST_F(Startup, TheCommandLineMapAndSizeShapeTheWindow)
{
    const QString last = WriteCity("maps/last.kvp");
    const QString city = WriteCity("maps/city.kvp", 3, 3);
    WriteSettings("MapVer 1.2\r\nMapURL " + last.toUtf8() +
                  "\r\nComType COM3: Serial 3\r\nBitRate 9600\r\nURLInforFile \r\nNumMyPlace 2\r\nend\r\n\r\n");
    StartOptions options;
    options.mapFile = city;
    options.windowSize = QSize(400, 360);
    CMapApp app;
    const std::unique_ptr<CMapDlg> dlg(app.InitInstance(options));
    QTest::qWait(20);  // the window's layout settles
    EXPECT_EQ(dlg->size(), QSize(400, 360));  // menu bar and toolbar included
    EXPECT_EQ(dlg->m_nClientWidth, 400);
    EXPECT_LT(dlg->m_nClientHeight, 360);
    EXPECT_EQ(dlg->m_nDisplayFactor, 2);
    // The named map instead of the settings' one; the other settings still read.
    ASSERT_EQ(dlg->m_bMapLoaded, 1);
    EXPECT_EQ(dlg->m_strMapPath, city);
    EXPECT_EQ(dlg->m_nWayLast, 4 * 3 + 4 * 3 - 1);
    EXPECT_EQ(dlg->m_strCfgComType, QStringLiteral("COM3: Serial 3"));
    EXPECT_EQ(dlg->m_nMyPlaceCount, 2);
    ExpectCommands(*dlg, kMapCommands, true);
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    EXPECT_EQ(CfgBytes(), ExpectedSettings(city, 2));

    // A handheld's width picks the small toolbar and display factor 1.
    options.windowSize = QSize(240, 320);
    const std::unique_ptr<CMapDlg> small(app.InitInstance(options));
    EXPECT_EQ(small->MenuBar()->ToolbarPictureSize(), QSize(16, 15));
    EXPECT_EQ(small->m_nDisplayFactor, 1);
}

TEST_F(Startup, ExitAfterStartLeavesAsExitDoes)
{
    const QString city = WriteCity("maps/city.kvp");
    StartOptions options;
    options.mapFile = city;
    options.exitAfterStart = true;
    CMapApp app;
    const std::unique_ptr<CMapDlg> dlg(app.InitInstance(options));
    EXPECT_EQ(dlg->m_nClientWidth, 480);
    EXPECT_FALSE(dlg->IsClosed());
    QTRY_VERIFY(dlg->IsClosed());
    EXPECT_EQ(CfgBytes(), ExpectedSettings(city));
}

// ---- The program itself ----

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

ProgramRun RunProgram(const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KORVANE_PROGRAM), arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(Program, HelpAndVersionNeedNoDisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    const ProgramRun help = RunProgram({"--help"}, environment);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: korvane [options] [MAP.kvp]\nCách dùng:")) << help.out.toStdString();
    EXPECT_EQ(help.err, QString());
    const ProgramRun version = RunProgram({"--version"}, environment);
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("korvane 1.3\n"));
}

TEST(Program, RefusalsExitWithStatusTwoAndQtOptionsPass)
{
    TempDeviceRoot root;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const ProgramRun unknown = RunProgram({"--bogus"}, environment);
    EXPECT_EQ(unknown.status, kUsageExitStatus);
    EXPECT_TRUE(unknown.err.contains("korvane: unknown option '--bogus'.\nkorvane: không có tùy chọn '--bogus'.\n"))
        << unknown.err.toStdString();
    EXPECT_EQ(unknown.out, QString());
    EXPECT_EQ(RunProgram({"--size", "240x0"}, environment).status, kUsageExitStatus);
    EXPECT_FALSE(root.Exists("My Documents/korvane.cfg"));

    // Started outside an installation with no settings file: no map, as before.
    const ProgramRun started =
        RunProgram({"-platform", "offscreen", "--size", "240x320", "--exit-after-start"}, environment);
    EXPECT_EQ(started.status, 0) << started.err.toStdString();
    EXPECT_TRUE(root.Read("My Documents/korvane.cfg").startsWith("MapVer 1.2\r\nMapURL \r\n"));
}

}  // namespace
