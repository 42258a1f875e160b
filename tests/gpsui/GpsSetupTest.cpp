// The GPS set-up as a user drives it: the receiver picked from the port list
// or typed, Start and Stop, the raw sentence and the two fields, the display
// options, OK and Cancel, and what the map window does afterwards. A
// pseudo-terminal is the receiver; every click and key goes to the widgets.
#include "ResourceIds.h"
#include "window/GpsSetupDlg.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiCommandBar.h"
#include "support/DeviceRoot.h"
#include "support/MapWindow.h"
#include "support/PseudoTerminal.h"
#include "support/ScriptedModal.h"
#include "support/Widgets.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kPatienceMs = 3000;
const QString kStableName = QStringLiteral("usb-u-blox_AG_-_www.u-blox.com_u-blox_7_-_GPS_GNSS_Receiver-if00");
const QByteArray kFix = "$GPRMC,081836,A,1051.2148,N,10551.2148,E,000.0,360.0,130998,011.3,E*7B";
const QByteArray kNextFix = "$GNRMC,081837,A,1051.2150,N,10551.2151,E,000.0,360.0,130998,011.3,E";
const QByteArray kSatellites = "$GPGSV,1,1,04,04,40,083,46,05,17,308,41,09,07,123,32,12,59,241,44*7B";
const QByteArray kNoFix = "$GPRMC,,V,,,,,,,,,,N*53";

void Click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Replaces the text of a combo box's edit field by typing.
void Type(CComboBox* combo, const QString& text)
{
    QTest::keyClick(combo->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(combo->lineEdit(), text);
}

// Opens the list and clicks the first entry that contains the text.
void Choose(CComboBox* combo, const QString& text)
{
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 5, combo->height() / 2));
    QAbstractItemView* list = combo->view();
    if (!QTest::qWaitForWindowExposed(list->window())) {
        ADD_FAILURE() << "the list did not open";
        return;
    }
    // A release soon after the list opened counts as the end of the opening
    // click, as when the list is pulled down.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    for (int row = 0; row < combo->count(); ++row) {
        if (combo->itemText(row).contains(text)) {
            const QModelIndex entry = list->model()->index(row, 0);
            list->scrollTo(entry);
            // Near the start of the entry: a long one is wider than the list.
            const QPoint at = list->visualRect(entry).topLeft() + QPoint(10, 4);
            QTest::mouseMove(list->viewport(), at);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            return;
        }
    }
    ADD_FAILURE() << "no entry with " << text.toStdString();
}

// The caption's close button: OK.
void Ok(CGpsSetupDlg& setup)
{
    setup.close();
}

void Cancel(CGpsSetupDlg& setup)
{
    QTest::keyClick(&setup, Qt::Key_Escape);
}

class GpsSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The receiver as Linux shows a USB one: a device node with a
        // stable name beside it.
        QFile::link(receiver.Path(), devices.filePath("ttyACM0"));
        QDir(devices.path()).mkpath("serial/by-id");
        QFile::link("../../ttyACM0", devices.filePath("serial/by-id/" + kStableName));
        dlg = OpenMapWindow();
        Dialog().m_receiverFolders = {devices.path(), devices.filePath("serial/by-id")};
    }

    CGpsSetupDlg& Dialog() { return dlg->m_gpsSetupDlg; }
    QString ReceiverEntry() const { return devices.filePath("ttyACM0") + " " + kStableName; }

    // Runs "Cấu hình GPS"; the user acts on the dialog as shown and closes it.
    void RunSetup(const std::function<void(CGpsSetupDlg&)>& user)
    {
        modal.dialogAnswers.push_back([user](QDialog& dialog) {
            auto& setup = static_cast<CGpsSetupDlg&>(dialog);
            setup.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&setup));
            user(setup);
            EXPECT_FALSE(setup.isVisible()) << "the user left the dialog open";
            return setup.result();
        });
        dlg->OnCommand(ID_GPS_SETUP, BN_CLICKED);
    }

    speed_t LineRate() const
    {
        const termios t = receiver.Settings();
        return ::cfgetispeed(&t);
    }
    bool Shows(QLineEdit* edit, const QByteArray& text)
    {
        return QTest::qWaitFor([&] { return edit->text() == QString::fromLatin1(text); }, kPatienceMs);
    }
    bool Receives(const QByteArray& rmc)
    {
        return QTest::qWaitFor([&] { return Dialog().LatestRmcLine() == QString::fromLatin1(rmc); }, kPatienceMs);
    }

    TempDeviceRoot root;
    ScriptedModal modal;
    PseudoTerminal receiver;
    QTemporaryDir devices;
    std::unique_ptr<CMapDlg> dlg;
};

TEST_F(GpsSetupTest, AReceiverFoundByItsNameRunsOnAfterOk)
{
    RunSetup([&](CGpsSetupDlg& setup) {
        // The nine serial ports, the receiver by its name, then gpsd, a log
        // and the simulated drive.
        EXPECT_EQ(setup.m_cbPort->GetCount(), 13);
        EXPECT_EQ(setup.m_cbPort->GetLBText(12), QStringLiteral("Mô phỏng theo lộ trình"));
        EXPECT_GE(setup.m_cbPort->FindString(QStringLiteral("COM8: Serial 8")), 0);
        EXPECT_EQ(setup.m_cbPort->GetWindowText(), QStringLiteral("COM8: Serial 8"));
        EXPECT_EQ(setup.m_cbBaud->GetWindowText(), QStringLiteral("4800"));
        EXPECT_FALSE(setup.m_btnStop->isEnabled());
        EXPECT_FALSE(setup.m_btnContinuous->isEnabled());
        Choose(setup.m_cbPort, kStableName);
        EXPECT_EQ(setup.m_cbPort->GetWindowText(), ReceiverEntry());
        Click(setup.m_btnStart);
        EXPECT_EQ(setup.m_bRunning, 1);
        EXPECT_FALSE(setup.m_btnStart->isEnabled());
        EXPECT_TRUE(setup.m_btnStop->isEnabled());
        EXPECT_EQ(LineRate(), B4800);
        // No fix yet: the options wait.
        EXPECT_FALSE(setup.m_btnFollowRoad->isEnabled());

        receiver.Send(kFix + "\r\n" + kSatellites + "\r\n");
        EXPECT_TRUE(Shows(setup.m_edSentence, kSatellites));
        // Each field under its own caption: the longitude under "Kinh độ".
        EXPECT_TRUE(Shows(setup.m_edField5, "10551.2148"));
        EXPECT_EQ(LabelAbove(setup.m_edField5), QStringLiteral("Kinh độ"));
        EXPECT_TRUE(Shows(setup.m_edField3, "1051.2148"));
        EXPECT_EQ(LabelAbove(setup.m_edField3), QStringLiteral("Vĩ độ"));
        EXPECT_EQ(setup.windowTitle(), QStringLiteral("Cấu hình GPS"));
        EXPECT_TRUE(setup.m_btnFollowRoad->isEnabled());
        EXPECT_TRUE(setup.m_btnContinuous->isEnabled());
        // Continuous display comes ticked; the user tries it off and on.
        EXPECT_TRUE(setup.m_btnContinuous->isChecked());
        Click(setup.m_btnContinuous);
        EXPECT_EQ(setup.m_bContinuous, 0);
        Click(setup.m_btnContinuous);
        Click(setup.m_btnFollowRoad);
        EXPECT_EQ(setup.m_bContinuous, 1);
        EXPECT_EQ(setup.m_bFollowRoad, 1);
        Ok(setup);
    });
    EXPECT_EQ(dlg->m_bGpsContinuous, 1);
    EXPECT_EQ(dlg->m_bGpsFollowRoad, 1);
    EXPECT_EQ(dlg->m_bGpsTrackOn, 1);
    for (int id : {ID_SHOW_GPS, ID_NAVIGATE, ID_SAVE_ROAD})
        EXPECT_TRUE(dlg->MenuBar()->IsCommandEnabled(id)) << id;
    EXPECT_TRUE(dlg->IsControlVisible(IDC_GPS_STATUS));
    EXPECT_EQ(Dialog().m_strPort, ReceiverEntry());

    // Reception goes on with the dialog closed; its display rests.
    EXPECT_FALSE(Dialog().IsRefreshing());
    receiver.Send(kNextFix + "\r\n");
    EXPECT_TRUE(Receives(kNextFix));
    EXPECT_EQ(Dialog().m_edSentence->text(), QString::fromLatin1(kSatellites));

    RunSetup([&](CGpsSetupDlg& setup) {
        EXPECT_FALSE(setup.m_btnStart->isEnabled());
        EXPECT_TRUE(setup.m_btnStop->isEnabled());
        EXPECT_TRUE(setup.m_btnContinuous->isChecked());
        EXPECT_TRUE(setup.m_btnFollowRoad->isChecked());
        // Shown again, it shows what arrives now.
        EXPECT_TRUE(Shows(setup.m_edSentence, kNextFix));
        Click(setup.m_btnStop);
        EXPECT_EQ(setup.m_bRunning, 0);
        EXPECT_TRUE(setup.m_btnStart->isEnabled());
        // The device is free for another program at once.
        EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), 0);
        EXPECT_TRUE(setup.LatestRmcLine().isEmpty());
        Ok(setup);
    });
    EXPECT_EQ(Dialog().m_bRunning, 0);
}

TEST_F(GpsSetupTest, ATypedPortAndRateAreOpenedAndCancelKeepsReceiving)
{
    const QString typed = receiver.Path() + " my receiver";
    RunSetup([&](CGpsSetupDlg& setup) {
        // A port that is not there: nothing happens, the dialog stays stopped.
        Type(setup.m_cbPort, QStringLiteral("/dev/korvane-no-receiver"));
        Click(setup.m_btnStart);
        EXPECT_EQ(setup.m_bRunning, 0);
        EXPECT_TRUE(setup.m_btnStart->isEnabled());
        EXPECT_FALSE(setup.m_btnStop->isEnabled());
        // A rate the port does not offer: the same, and the port stays free.
        Type(setup.m_cbPort, typed);
        Type(setup.m_cbBaud, QStringLiteral("14400"));
        Click(setup.m_btnStart);
        EXPECT_EQ(setup.m_bRunning, 0);
        EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), 0);

        Type(setup.m_cbBaud, QStringLiteral("9600"));
        Click(setup.m_btnStart);
        EXPECT_EQ(setup.m_bRunning, 1);
        EXPECT_EQ(LineRate(), B9600);
        EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), EBUSY);
        receiver.Send(kFix + "\n");  // LF alone ends the line
        EXPECT_TRUE(Shows(setup.m_edField5, "10551.2148"));
        Cancel(setup);
    });
    // Cancel keeps the display going and the old port text.
    EXPECT_EQ(Dialog().m_bRunning, 1);
    EXPECT_TRUE(Dialog().IsRefreshing());
    EXPECT_EQ(Dialog().m_strPort, QStringLiteral("COM8: Serial 8"));
    receiver.Send(kNextFix + "\r\n");
    EXPECT_TRUE(Shows(Dialog().m_edSentence, kNextFix));

    RunSetup([&](CGpsSetupDlg& setup) {
        EXPECT_EQ(setup.m_cbPort->GetWindowText(), QStringLiteral("COM8: Serial 8"));
        Type(setup.m_cbPort, typed);
        Ok(setup);
    });
    // OK took the port typed; the rate shown was the one OK had last taken.
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    EXPECT_TRUE(
        root.Read("My Documents/korvane.cfg").contains("\r\nComType " + typed.toUtf8() + "\r\nBitRate 4800\r\n"));
}

TEST_F(GpsSetupTest, AReceiverWithoutAFixLeavesTheMapAlone)
{
    RunSetup([&](CGpsSetupDlg& setup) {
        Choose(setup.m_cbPort, kStableName);
        Click(setup.m_btnStart);
        receiver.Send(kNoFix + "\r\n");
        EXPECT_TRUE(Shows(setup.m_edSentence, kNoFix));
        EXPECT_TRUE(setup.m_edField3->text().isEmpty());
        EXPECT_TRUE(setup.m_edField5->text().isEmpty());
        // The options cannot be chosen, and a follow-road choice made
        // before a fix does not count.
        Click(setup.m_btnFollowRoad);
        EXPECT_FALSE(setup.m_btnFollowRoad->isChecked());
        setup.m_btnFollowRoad->setChecked(true);
        setup.OnFollowRoad();
        EXPECT_EQ(setup.m_bFollowRoad, 0);
        Ok(setup);
    });
    EXPECT_EQ(Dialog().m_bFixSeen, 0);
    EXPECT_EQ(Dialog().m_bRunning, 1);
    EXPECT_EQ(dlg->m_bGpsTrackOn, 0);
    for (int id : {ID_SHOW_GPS, ID_NAVIGATE, ID_SAVE_ROAD})
        EXPECT_FALSE(dlg->MenuBar()->IsCommandEnabled(id)) << id;
    EXPECT_FALSE(dlg->IsControlVisible(IDC_GPS_STATUS));
}

TEST_F(GpsSetupTest, StartAndStopAgainAndAgain)
{
    RunSetup([&](CGpsSetupDlg& setup) {
        Choose(setup.m_cbPort, kStableName);
        for (int round = 0; round < 10; ++round) {
            Click(setup.m_btnStart);
            ASSERT_EQ(setup.m_bRunning, 1);
            const QByteArray line = "$GPTXT,01,01,02,round " + QByteArray::number(round);
            receiver.Send(line + "\r\n");
            EXPECT_TRUE(Shows(setup.m_edSentence, line));
            Click(setup.m_btnStop);
            ASSERT_EQ(setup.m_bRunning, 0);
            EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), 0);
        }
        Ok(setup);
    });
}

TEST_F(GpsSetupTest, TheSettingsFilesPortIsOfferedFirstAndTheUsersChoiceIsKept)
{
    root.Write("My Documents/korvane.cfg", "MapVer 1.2\r\nMapURL \r\nComType " + receiver.Path().toUtf8() +
                                               " gps\r\nBitRate 9600\r\nURLInforFile \r\nNumMyPlace 0\r\nend\r\n");
    dlg = OpenMapWindow();
    Dialog().m_receiverFolders = {devices.path(), devices.filePath("serial/by-id")};
    ASSERT_EQ(dlg->m_bCfgRead, 1);
    RunSetup([&](CGpsSetupDlg& setup) {
        EXPECT_EQ(setup.m_cbPort->GetWindowText(), receiver.Path() + " gps");
        EXPECT_EQ(setup.m_cbBaud->GetWindowText(), QStringLiteral("9600"));
        Click(setup.m_btnStart);
        EXPECT_EQ(LineRate(), B9600);
        Choose(setup.m_cbPort, kStableName);
        Type(setup.m_cbBaud, QStringLiteral("4800"));
        Ok(setup);
    });
    // Opened again, it shows the choice made, not the file's port: OK and
    // exit keep it.
    RunSetup([&](CGpsSetupDlg& setup) {
        EXPECT_EQ(setup.m_cbPort->GetWindowText(), ReceiverEntry());
        EXPECT_EQ(setup.m_cbBaud->GetWindowText(), QStringLiteral("4800"));
        Ok(setup);
    });
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    EXPECT_TRUE(root.Read("My Documents/korvane.cfg")
                    .contains("\r\nComType " + ReceiverEntry().toUtf8() + "\r\nBitRate 4800\r\n"));
    // Without a map, positions are placed by the default calibration.
    EXPECT_EQ(dlg->m_nGpsOriginX, 65000000);
    EXPECT_EQ(dlg->m_nGpsOriginY, -12500000);
    EXPECT_EQ(dlg->m_dGpsUnitsPerMapUnit, 16.0);
    EXPECT_EQ(dlg->m_dGpsRotation, 0.0);
}

TEST_F(GpsSetupTest, ClosingTheProgramEndsReception)
{
    const auto startReceiving = [&] {
        RunSetup([&](CGpsSetupDlg& setup) {
            Choose(setup.m_cbPort, kStableName);
            Click(setup.m_btnStart);
            Ok(setup);
        });
        ASSERT_EQ(Dialog().m_bRunning, 1);
        ASSERT_EQ(OpenAsAnotherProgram(receiver.Path()), EBUSY);
    };
    startReceiving();
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    EXPECT_EQ(Dialog().m_bRunning, 0);
    EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), 0);

    // The window destroyed while receiving.
    dlg = OpenMapWindow();
    Dialog().m_receiverFolders = {devices.path(), devices.filePath("serial/by-id")};
    startReceiving();
    dlg.reset();
    EXPECT_EQ(OpenAsAnotherProgram(receiver.Path()), 0);
}

}  // namespace
