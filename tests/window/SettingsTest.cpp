// The settings file as the window reads it at start and writes it at exit:
// the next start finds the map of the last one.
#include "AppWindow.h"

#include <QTest>

namespace {

using Settings = AppTest;

const QRgb kWhite = Rgb(255, 255, 255);

TEST_F(Settings, WithoutAFileTheWindowOpensWithNoMap)
{
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_bMapLoaded, 0);
    EXPECT_TRUE(dlg->m_strMapPath.isEmpty());
    EXPECT_EQ(dlg->m_bCfgRead, 0);
    ExpectCommands(*dlg, kMapCommands, false);
    ExpectCommands(*dlg, kGpsCommands, false);
    // Only the window's plain background is shown, with the hint across its middle.
    const QRgb plain = dlg->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
    EXPECT_EQ(PixelAt(dlg->WindowSurface(), 240, 200), plain);
    EXPECT_EQ(PixelAt(dlg->WindowSurface(), 5, 5), plain);
}

TEST_F(Settings, ExitWritesTheEightLinesAndAnEmptyOne)
{
    const QString map = WriteCity("maps/city.kvp");
    auto dlg = OpenMapWindow();
    modal.fileAnswers = {map};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    ASSERT_EQ(dlg->m_bMapLoaded, 1);
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    EXPECT_TRUE(dlg->IsClosed());
    EXPECT_EQ(CfgBytes(), ExpectedSettings(map));
    EXPECT_EQ(CfgBytes(), "MapVer 1.2\r\nMapURL " + map.toUtf8() +
                              "\r\nComType COM8: Serial 8\r\nBitRate 4800\r\nURLInforFile \r\nNumMyPlace 0\r\n"
                              "VoiceGuide 1\r\nend\r\n\r\n");
}

TEST_F(Settings, TheNextStartReopensTheMapCentredOnItsCentrePoint)
{
    const QString map = WriteCity("maps/city.kvp");
    {
        auto first = OpenMapWindow();
        modal.fileAnswers = {map};
        first->OnCommand(ID_OPEN_MAP, BN_CLICKED);
        first->OnCommand(ID_EXIT, BN_CLICKED);
    }
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_bCfgRead, 1);
    ASSERT_EQ(dlg->m_bMapLoaded, 1);
    EXPECT_EQ(dlg->m_strMapPath, map);
    ExpectCommands(*dlg, kMapCommands, true);
    ExpectCommands(*dlg, kGpsCommands, false);
    const QPoint centre = MapToScreen(*dlg, {dlg->m_nCenterX, dlg->m_nCenterY});
    EXPECT_EQ(dlg->m_nCenterX, 300);
    EXPECT_EQ(dlg->m_nCenterY, 200);
    EXPECT_NEAR(centre.x(), 240, 1);
    EXPECT_NEAR(centre.y(), 320, 1);
    // The map is on the window: the two streets through the centre cross at
    // the middle pixel, inside the first district.
    EXPECT_EQ(PixelAt(dlg->WindowSurface(), 240, 320), kWhite);
    EXPECT_EQ(PixelAt(dlg->WindowSurface(), 100, 100), Rgb(255, 170, 70));
}

TEST_F(Settings, ValuesReadAreWrittenBackAndSizeTheUserPlaces)
{
    const QString map = WriteCity("maps/city.kvp");
    WriteSettings("MapVer 1.2\r\nMapURL " + map.toUtf8() +
                  "\r\nComType COM3: Serial 3\r\nBitRate 9600\r\nURLInforFile \\My Documents\\MyKorvaneInf.kvf\r\n"
                  "NumMyPlace 3\r\nend\r\n\r\n");
    // The user's file holds the three places the count was saved for.
    QByteArray places;
    for (int i = 1; i <= 3; ++i)
        places += QByteArray::number(100 * i) + ",50\r\n\t28\r\n\t\tNhà " + QByteArray::number(i) + "\r\n\r\n";
    root.Write("My Documents/MyKorvaneInf.kvf", places);
    auto dlg = OpenMapWindow();
    ASSERT_EQ(dlg->m_bMapLoaded, 1);
    EXPECT_EQ(dlg->m_strCfgMapUrl, map);
    EXPECT_EQ(dlg->m_strCfgComType, QStringLiteral("COM3: Serial 3"));
    EXPECT_EQ(dlg->m_strCfgBitRate, QStringLiteral("9600"));
    EXPECT_EQ(dlg->m_strInfoFilePath, QStringLiteral("\\My Documents\\MyKorvaneInf.kvf"));
    EXPECT_EQ(dlg->m_nMyPlaceCount, 3);
    // Room was kept for them when the map was read; they follow its places.
    EXPECT_EQ(dlg->PlaceCapacity(), 6 * 4 + 3 + 30);
    EXPECT_EQ(dlg->m_nPlaceLast, 6 * 4 + 3 - 1);
    EXPECT_EQ(dlg->m_strPlaceName.at(dlg->m_nPlaceLast), QStringLiteral("Nhà 3"));
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    // The port and rate written are the GPS set-up's own, not the file's.
    EXPECT_EQ(CfgBytes(), ExpectedSettings(map, 3, QStringLiteral("\\My Documents\\MyKorvaneInf.kvf")));
}

TEST_F(Settings, CloseMapThenExitLeavesTheNextStartWithoutAMap)
{
    const QString map = WriteCity("maps/city.kvp");
    WriteSettings(ExpectedSettings(map));
    {
        auto dlg = OpenMapWindow();
        ASSERT_EQ(dlg->m_bMapLoaded, 1);
        const int ways = dlg->m_nWayLast;
        dlg->OnCommand(ID_CLOSE_MAP, BN_CLICKED);
        EXPECT_EQ(dlg->m_bMapLoaded, 0);
        EXPECT_EQ(dlg->m_nWayLast, ways);  // the records stay in memory
        ExpectCommands(*dlg, kMapCommands, true);
        dlg->UpdateWindow();
        const QRgb plain = dlg->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
        EXPECT_EQ(PixelAt(dlg->WindowSurface(), 240, 200), plain);
        dlg->OnCommand(ID_EXIT, BN_CLICKED);
    }
    // The shorter new lines lie over the start of the old file.
    const QByteArray written = ExpectedSettings(QString());
    EXPECT_EQ(CfgBytes(), written + ExpectedSettings(map).mid(written.size()));
    auto next = OpenMapWindow();
    EXPECT_EQ(next->m_bMapLoaded, 0);
    EXPECT_TRUE(next->m_strMapPath.isEmpty());
}

TEST_F(Settings, ALongerOldFileKeepsItsTailAfterTheNewLines)
{
    const QString map = WriteCity("maps/city.kvp");
    const QByteArray old = ExpectedSettings(QString(), 0) + QByteArray(300, '#') + "\r\nold tail\r\n";
    WriteSettings(old);
    auto dlg = OpenMapWindow();
    modal.fileAnswers = {map};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    const QByteArray written = ExpectedSettings(map);
    ASSERT_LT(written.size(), old.size());
    EXPECT_EQ(CfgBytes(), written + old.mid(written.size()));
    // The reader stops at "end" and never reaches the tail.
    auto next = OpenMapWindow();
    EXPECT_EQ(next->m_bMapLoaded, 1);
    EXPECT_EQ(next->m_nMyPlaceCount, 0);
}

TEST_F(Settings, AnotherVersionLoadsNothingAndTakesNoValue)
{
    const QString map = WriteCity("maps/city.kvp");
    WriteSettings("MapVer 1.3\r\nMapURL " + map.toUtf8() +
                  "\r\nComType COM3: Serial 3\r\nBitRate 9600\r\nURLInforFile x.kvf\r\nNumMyPlace 4\r\nend\r\n");
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_bCfgRead, 1);
    EXPECT_EQ(dlg->m_bMapLoaded, 0);
    EXPECT_TRUE(dlg->m_strMapPath.isEmpty());
    EXPECT_TRUE(dlg->m_strCfgMapUrl.isEmpty());
    EXPECT_TRUE(dlg->m_strCfgComType.isEmpty());
    EXPECT_TRUE(dlg->m_strCfgBitRate.isEmpty());
    EXPECT_TRUE(dlg->m_strInfoFilePath.isEmpty());
    EXPECT_EQ(dlg->m_nMyPlaceCount, 0);
    ExpectCommands(*dlg, kMapCommands, false);
}

TEST_F(Settings, ALaterVersionLineStopsTheReadingButKeepsWhatWasRead)
{
    const QString map = WriteCity("maps/city.kvp");
    WriteSettings("MapVer 1.2\r\nMapURL " + map.toUtf8() +
                  "\r\nComType COM3: Serial 3\r\nMapVer 1.3\r\nBitRate 9600\r\nend\r\n");
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_strCfgMapUrl, map);
    EXPECT_EQ(dlg->m_strCfgComType, QStringLiteral("COM3: Serial 3"));
    EXPECT_TRUE(dlg->m_strCfgBitRate.isEmpty());  // after the stop
    EXPECT_EQ(dlg->m_bMapLoaded, 0);              // no map after a refused version
}

TEST_F(Settings, AMapPathWithDecomposedAccentsIsReopened)
{
    // "Bản đồ" spelled with combining marks, as some systems name files.
    const QString folder = QStringLiteral("Bản đồ").normalized(QString::NormalizationForm_D);
    const QString map = WriteCity(folder + "/hà nội.kvp");
    ASSERT_NE(map, map.normalized(QString::NormalizationForm_C));
    {
        auto dlg = OpenMapWindow();
        modal.fileAnswers = {map};
        dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
        ASSERT_EQ(dlg->m_bMapLoaded, 1);
        dlg->OnCommand(ID_EXIT, BN_CLICKED);
    }
    EXPECT_TRUE(CfgBytes().contains(map.toUtf8()));
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_strMapPath, map);
    EXPECT_EQ(dlg->m_bMapLoaded, 1);
}

TEST_F(Settings, AMapUrlOfOneCharacterOrNoneLoadsNothing)
{
    for (const QByteArray& url : {QByteArray("c"), QByteArray()}) {
        SCOPED_TRACE(url.toStdString());
        WriteSettings("MapVer 1.2\r\nMapURL " + url + "\r\nComType COM1:\r\nend\r\n");
        auto dlg = OpenMapWindow();
        EXPECT_EQ(dlg->m_bMapLoaded, 0);
        EXPECT_TRUE(dlg->m_strMapPath.isEmpty());
        EXPECT_EQ(dlg->m_strCfgComType, QStringLiteral("COM1:"));
    }
}

TEST_F(Settings, AMissingMapLeavesTheWindowWithoutAMap)
{
    const QByteArray old = ExpectedSettings(root.Path("maps/gone.kvp"), 2);
    WriteSettings(old);
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_bMapLoaded, 0);
    EXPECT_TRUE(dlg->m_strMapPath.isEmpty());
    EXPECT_EQ(dlg->m_nMyPlaceCount, 2);
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    const QByteArray written = ExpectedSettings(QString(), 2);
    EXPECT_EQ(CfgBytes(), written + old.mid(written.size()));
}

TEST_F(Settings, APathContainingEndIsTheLastLineRead)
{
    const QString map = WriteCity("Legend/city.kvp");
    WriteSettings("MapVer 1.2\r\nMapURL " + map.toUtf8() +
                  "\r\nComType COM3: Serial 3\r\nBitRate 9600\r\nURLInforFile x.kvf\r\nNumMyPlace 4\r\nend\r\n");
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_bMapLoaded, 1);
    EXPECT_EQ(dlg->m_strMapPath, map);
    EXPECT_TRUE(dlg->m_strCfgComType.isEmpty());
    EXPECT_TRUE(dlg->m_strCfgBitRate.isEmpty());
    EXPECT_TRUE(dlg->m_strInfoFilePath.isEmpty());
    EXPECT_EQ(dlg->m_nMyPlaceCount, 0);
}

TEST_F(Settings, LinesBeforeTheVersionLineAreIgnoredButEndStillEnds)
{
    const QString map = WriteCity("maps/city.kvp");
    WriteSettings("MapURL " + map.toUtf8() + "\r\nNumMyPlace 9\r\nMapVer 1.2\r\nComType COM5:\r\nend\r\n");
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_bMapLoaded, 0);
    EXPECT_EQ(dlg->m_nMyPlaceCount, 0);
    EXPECT_EQ(dlg->m_strCfgComType, QStringLiteral("COM5:"));
    dlg.reset();

    WriteSettings("a blender\r\nMapVer 1.2\r\nMapURL " + map.toUtf8() + "\r\nend\r\n");
    dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_bCfgRead, 1);
    EXPECT_EQ(dlg->m_bMapLoaded, 0);
    EXPECT_TRUE(dlg->m_strCfgMapUrl.isEmpty());
}

TEST_F(Settings, KeysAreCutAtTheirLengthFromTheLineStart)
{
    // A key found later in a line still cuts its own length from the start.
    WriteSettings("MapVer 1.2\r\nxx ComType COM2:\r\nNumMyPlace  7x\r\nend\r\n");
    auto dlg = OpenMapWindow();
    EXPECT_EQ(dlg->m_strCfgComType, QStringLiteral("pe COM2:"));
    EXPECT_EQ(dlg->m_nMyPlaceCount, 7);
}

TEST_F(Settings, EscapeNeitherClosesNorWrites)
{
    const QString map = WriteCity("maps/city.kvp");
    WriteSettings(ExpectedSettings(map, 1));
    const QByteArray before = CfgBytes();
    auto dlg = OpenMapWindow();
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->IsClosed());
    EXPECT_EQ(CfgBytes(), before);
}

TEST_F(Settings, TheWindowsCloseButtonSavesLikeExit)
{
    const QString map = WriteCity("maps/city.kvp");
    auto dlg = OpenMapWindow();
    modal.fileAnswers = {map};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    EXPECT_TRUE(dlg->close());
    EXPECT_TRUE(dlg->IsClosed());
    EXPECT_EQ(CfgBytes(), ExpectedSettings(map));
}

}  // namespace

namespace {

QAction* VoiceCommand(const CMapDlg& dlg)
{
    return dlg.MenuBar()->FindCommand(ID_VOICE_GUIDANCE);
}

// "Hướng dẫn bằng giọng nói" starts ticked, is turned off, and the next start
// finds it off; where no voice can speak it is unticked and disabled with the
// reason, and the user's choice is still what exit writes.
TEST_F(Settings, SpokenGuidanceIsRememberedAndShownDisabledWithoutAVoice)
{
    {
        auto first = OpenMapWindow();
        ASSERT_TRUE(VoiceCommand(*first)->isCheckable());
        EXPECT_TRUE(VoiceCommand(*first)->isChecked());
        EXPECT_TRUE(VoiceCommand(*first)->isEnabled());
        first->OnCommand(ID_VOICE_GUIDANCE, BN_CLICKED);
        EXPECT_FALSE(VoiceCommand(*first)->isChecked());
        first->OnCommand(ID_EXIT, BN_CLICKED);
    }
    EXPECT_TRUE(CfgBytes().contains("NumMyPlace 0\r\nVoiceGuide 0\r\nend\r\n"));
    auto dlg = OpenMapWindow();
    EXPECT_FALSE(VoiceCommand(*dlg)->isChecked());
    dlg->OnCommand(ID_VOICE_GUIDANCE, BN_CLICKED);
    EXPECT_TRUE(VoiceCommand(*dlg)->isChecked());

    dlg->VoiceUnavailable(QStringLiteral("Không có giọng đọc tiếng Việt"));
    EXPECT_FALSE(VoiceCommand(*dlg)->isChecked());
    EXPECT_FALSE(VoiceCommand(*dlg)->isEnabled());
    EXPECT_EQ(VoiceCommand(*dlg)->statusTip(), QStringLiteral("Không có giọng đọc tiếng Việt"));
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    EXPECT_TRUE(CfgBytes().contains("VoiceGuide 1\r\nend\r\n"));
}

}  // namespace
