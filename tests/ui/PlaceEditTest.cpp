// The user's own places as a user makes them: hold on the map, "Chèn địa
// danh" or "Sửa địa danh", the category chosen from the dialog's list and the
// name typed, "Đồng ý"; the files written, and the places back after a
// restart.
#include "UiFixture.h"

#include "map/PlaceInfoFile.h"
#include "window/PlaceEditDlg.h"
#include "support/MapFileText.h"
#include "support/Widgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

namespace {

const char* kUserFile = "My Documents/MyKorvaneInf.kvf";
const char* kUpdateLog = "UpdateMap.txt";

class PlaceEditTest : public UiTest {
protected:
    QWidget* Surface() const { return dlg->childAt(10, 100); }

    // Holds the pointer at p (the right button) and chooses a command of the
    // context menu.
    void HoldAndChoose(QPoint p, int command)
    {
        modal.menuAnswers.push_back(command);
        QTest::mouseClick(Surface(), Qt::RightButton, {}, p);
        Settle();
    }
    // The next place dialog is answered with real clicks and keys: the
    // category chosen from its list (or typed), the name typed, "Đồng ý".
    // Further categories are tried in turn while the dialog stays open.
    void AnswerDialog(QStringList categories, const QString& name, bool typeCategory = false)
    {
        modal.dialogAnswers.push_back([this, categories, name, typeCategory](QDialog& shown) {
            auto& dialog = static_cast<CPlaceEditDlg&>(shown);
            dialog.show();
            EXPECT_TRUE(Activate(&dialog));
            dialog.NameEdit()->selectAll();
            dialog.NameEdit()->setFocus();
            TypeText(name);
            for (const QString& category : categories) {
                if (typeCategory) {
                    dialog.CategoryBox()->lineEdit()->selectAll();
                    dialog.CategoryBox()->setFocus();
                    TypeText(category);
                } else {
                    EXPECT_TRUE(ChooseEntry(dialog.CategoryBox(), category)) << category.toStdString();
                }
                QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
                Settle();
                dialogStillOpen << dialog.isVisible();
            }
            dialog.hide();
            Activate(dlg.get());
            return dialog.result();
        });
    }
    bool HouseAt(QPoint p) const
    {
        // The house icon is drawn over the map's background colour.
        return Window(p.x(), p.y()) != Rgb(251, 208, 146) || Window(p.x() + 3, p.y() + 3) != Rgb(251, 208, 146);
    }

    QList<bool> dialogStillOpen;
};

TEST_F(PlaceEditTest, AHomeGoesToTheUserFileOnlyAndAHotelToTheLogAsWell)
{
    const QPoint held(120, 250);
    ASSERT_FALSE(HouseAt(held));
    AnswerDialog({QStringLiteral("Nhà riêng")}, QStringLiteral("Nhà bà ngoại"));
    HoldAndChoose(held, ID_INSERT_PLACE);
    // The house shows at once where the pointer was held.
    EXPECT_TRUE(HouseAt(held));
    EXPECT_EQ(dlg->m_nMyPlaceCount, 1);
    EXPECT_EQ(dlg->m_strInfoFilePath, QString::fromLatin1(kDefaultUserPlacesFile));
    EXPECT_EQ(root.Read(kUserFile), PlaceRecordBytes({120, 250}, 28, QStringLiteral("Nhà bà ngoại")));
    EXPECT_FALSE(root.Exists(kUpdateLog));

    AnswerDialog({QStringLiteral("Khách sạn")}, QStringLiteral("Khách sạn Hồ Gươm"));
    HoldAndChoose({300, 450}, ID_INSERT_PLACE);
    const QByteArray hotel = PlaceRecordBytes({300, 450}, 12, QStringLiteral("Khách sạn Hồ Gươm"));
    EXPECT_EQ(root.Read(kUpdateLog), hotel);
    EXPECT_EQ(root.Read(kUserFile), PlaceRecordBytes({120, 250}, 28, QStringLiteral("Nhà bà ngoại")) + hotel);
    EXPECT_EQ(dlg->m_nMyPlaceCount, 2);

}

TEST_F(PlaceEditTest, ACategoryThatNamesNoneIsRefusedBeforeAnythingIsWritten)
{
    AnswerDialog({QStringLiteral("Quán phở"), QStringLiteral("Chợ")}, QStringLiteral("Chợ Hôm"), true);
    HoldAndChoose({200, 300}, ID_INSERT_PLACE);
    // The first OK was refused over the open dialog; the corrected one saved.
    EXPECT_EQ(dialogStillOpen, (QList<bool>{true, false}));
    ASSERT_EQ(modal.messages.size(), 1);
    EXPECT_TRUE(modal.messages[0].contains(QStringLiteral("Quán phở")));
    EXPECT_EQ(root.Read(kUserFile), PlaceRecordBytes({200, 300}, 14, QStringLiteral("Chợ Hôm")));
    EXPECT_EQ(dlg->m_nPlaceCategory[dlg->m_nPlaceLast], 14);
}

TEST_F(PlaceEditTest, EditingReachesThePlaceWithinTenPixelsOnEachAxisAndKeepsTheUsersOwn)
{
    AnswerDialog({QStringLiteral("Nhà riêng")}, QStringLiteral("Nhà của bà ngoại ở quê"));
    HoldAndChoose({100, 100}, ID_INSERT_PLACE);
    AnswerDialog({QStringLiteral("Khách sạn")}, QStringLiteral("Khách sạn Sao"));
    HoldAndChoose({400, 300}, ID_INSERT_PLACE);
    const QByteArray hotelLogged = root.Read(kUpdateLog);

    // 10 pixels off on one axis is too far; 8 and 9 (12 in all) is near enough.
    EXPECT_EQ(dlg->FindPlaceAt(110, 100), -1);
    EXPECT_EQ(dlg->FindPlaceAt(108, 109), dlg->m_nPlaceLast - 1);

    // The home renamed shorter: no trace of the longer name, the hotel's
    // record unchanged, nothing logged.
    AnswerDialog({QStringLiteral("Nhà riêng")}, QStringLiteral("Nhà"));
    HoldAndChoose({108, 109}, ID_EDIT_PLACE);
    EXPECT_EQ(root.Read(kUserFile), PlaceRecordBytes({100, 100}, 28, QStringLiteral("Nhà")) +
                                        PlaceRecordBytes({400, 300}, 12, QStringLiteral("Khách sạn Sao")));
    EXPECT_EQ(root.Read(kUpdateLog), hotelLogged);
    EXPECT_EQ(dlg->m_strPlaceName[dlg->m_nPlaceLast - 1], QStringLiteral("Nhà"));

    // The user's own hotel edited: logged, and kept in the user's file.
    AnswerDialog({QStringLiteral("Khách sạn")}, QStringLiteral("Khách sạn Mặt Trời"));
    HoldAndChoose({400, 300}, ID_EDIT_PLACE);
    const QByteArray renamed = PlaceRecordBytes({400, 300}, 12, QStringLiteral("Khách sạn Mặt Trời"));
    EXPECT_EQ(root.Read(kUpdateLog), hotelLogged + renamed);
    EXPECT_TRUE(root.Read(kUserFile).endsWith(renamed));

    // A place of the map itself is only logged.
    const QByteArray user = root.Read(kUserFile);
    AnswerDialog({QStringLiteral("Bệnh viện")}, QStringLiteral("Bệnh viện Bạch Mai"));
    HoldAndChoose({300, 300}, ID_EDIT_PLACE);
    EXPECT_EQ(root.Read(kUserFile), user);
    EXPECT_TRUE(root.Read(kUpdateLog).endsWith(PlaceRecordBytes({300, 300}, 1, QStringLiteral("Bệnh viện Bạch Mai"))));
}

TEST_F(PlaceEditTest, ManyPlacesInOneSessionAllComeBackAtTheNextStart)
{
    // Far more than the 30 spare places the arrays first keep room for.
    for (int i = 0; i < 2000; ++i) {
        dlg->m_ptDown = QPoint(i % 400, 50 + i / 400);
        modal.dialogAnswers.push_back([i](QDialog& shown) {
            auto& dialog = static_cast<CPlaceEditDlg&>(shown);
            dialog.CategoryBox()->SetWindowText(QStringLiteral("Nhà riêng"));
            dialog.NameEdit()->setText(QStringLiteral("Nhà số %1").arg(i));
            dialog.OkButton()->click();
            return dialog.result();
        });
        dlg->OnCommand(ID_INSERT_PLACE, BN_CLICKED);
    }
    EXPECT_EQ(dlg->m_nMyPlaceCount, 2000);
    const QString map = root.Path("maps/city.kvp");
    root.Write("maps/city.kvp", CityGrid(2, 2).Bytes());
    dlg->m_strMapPath = map;
    dlg->OnCommand(ID_EXIT, BN_CLICKED);

    auto next = OpenMapWindow();
    EXPECT_EQ(next->m_strMapPath, map);
    EXPECT_EQ(next->m_nMyPlaceCount, 2000);
    // They follow the map's own places.
    const int first = next->m_nPlaceLast - 1999;
    ASSERT_GE(first, 0);
    EXPECT_EQ(next->m_strPlaceName[first], QStringLiteral("Nhà số 0"));
    EXPECT_EQ(next->m_strPlaceName[first + 1999], QStringLiteral("Nhà số 1999"));
    EXPECT_EQ(next->m_ptPlace[first + 1999], (MapPoint{1999 % 400, 50 + 1999 / 400}));
    // … drawn with their icons.
    next->m_nOriginX = next->m_nOriginY = 0;
    next->m_dScale = 1.0;
    next->m_dBaseScale = 1.0 / 3;
    next->Invalidate();
    next->UpdateWindow();
    EXPECT_NE(PixelAt(next->WindowSurface(), 200, 52), Rgb(251, 208, 146));
}

TEST_F(PlaceEditTest, APastedNameWithLineBreaksStaysOneRecordAtTheHeldPoint)
{
    QString title, shown;
    modal.dialogAnswers.push_back([&](QDialog& opened) {
        auto& dialog = static_cast<CPlaceEditDlg&>(opened);
        title = dialog.windowTitle();
        dialog.show();
        EXPECT_TRUE(Activate(&dialog));
        QGuiApplication::clipboard()->setText(QStringLiteral("Nhà\r\n5,5\r\n\t1\r\n\t\tInjected"));
        dialog.NameEdit()->setFocus();
        QTest::keyClick(dialog.NameEdit(), Qt::Key_V, Qt::ControlModifier);
        shown = dialog.NameEdit()->text();
        EXPECT_TRUE(ChooseEntry(dialog.CategoryBox(), QStringLiteral("Nhà riêng")));
        // The GPS pass may move the view while the dialog is open.
        dlg->m_nOriginX += 150;
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        dialog.hide();
        return dialog.result();
    });
    HoldAndChoose({120, 250}, ID_INSERT_PLACE);
    EXPECT_EQ(title, QStringLiteral("Chèn địa danh"));
    EXPECT_EQ(shown, QStringLiteral("Nhà 5,5 1 Injected"));
    // Read back: one place, where the pointer was held, in memory as in the file.
    MapData back;
    EXPECT_EQ(LoadInfoFile(back, root.Path(kUserFile)), 1);
    ASSERT_EQ(back.m_nPlaceLast, 0);
    EXPECT_EQ(back.m_strPlaceName[0], shown);
    EXPECT_EQ(back.m_ptPlace[0], (MapPoint{120, 250}));
    EXPECT_EQ(dlg->m_ptPlace[dlg->m_nPlaceLast], (MapPoint{120, 250}));
}

TEST_F(PlaceEditTest, AUserFileTooLargeToReadIsNeverWrittenAndTheUserIsTold)
{
    const QByteArray large = PlaceRecordBytes({1, 1}, 28, QStringLiteral("Nhà")).repeated(kMaxPlaceFileBytes / 10);
    ASSERT_GT(large.size(), kMaxPlaceFileBytes);
    root.Write(kUserFile, large);
    dlg->m_strInfoFilePath = QString::fromLatin1(kDefaultUserPlacesFile);
    dlg->LoadInfoFile(dlg->m_strInfoFilePath);
    AnswerDialog({QStringLiteral("Khách sạn")}, QStringLiteral("Khách sạn Sao"));
    HoldAndChoose({200, 300}, ID_INSERT_PLACE);
    const QString told = QStringLiteral("Tệp địa danh quá lớn: ") + QString::fromLatin1(kDefaultUserPlacesFile);
    EXPECT_EQ(modal.messages, QStringList({told, told}));
    EXPECT_EQ(root.Read(kUserFile), large);
    EXPECT_FALSE(root.Exists(kUpdateLog));
}

TEST_F(PlaceEditTest, TheUsersPlacesComeBackAfterCloseMapExitAndAStart)
{
    AnswerDialog({QStringLiteral("Nhà riêng")}, QStringLiteral("Nhà bà ngoại"));
    HoldAndChoose({120, 250}, ID_INSERT_PLACE);
    root.Write("maps/city.kvp", CityGrid(2, 2).Bytes());
    const QString map = root.Path("maps/city.kvp");
    modal.fileAnswers = {QString(), map};  // "Nạp thông tin" cancelled, then with a map chosen
    dlg->OnCommand(ID_LOAD_INFO, BN_CLICKED);
    dlg->OnCommand(ID_LOAD_INFO, BN_CLICKED);
    dlg->OnCommand(ID_CLOSE_MAP, BN_CLICKED);
    dlg->OnCommand(ID_EXIT, BN_CLICKED);

    // With the settings file, and with none (the default file is read when
    // it exists).
    for (const bool settings : {true, false}) {
        if (!settings)
            QFile::remove(root.Path("My Documents/korvane.cfg"));
        auto next = OpenMapWindow();
        modal.fileAnswers = {map};
        next->OnCommand(ID_OPEN_MAP, BN_CLICKED);
        ASSERT_EQ(next->m_strMapPath, map);
        EXPECT_EQ(next->m_strPlaceName[next->m_nPlaceLast], QStringLiteral("Nhà bà ngoại")) << settings;
        EXPECT_EQ(next->m_nMyPlaceCount, 1);
        next->OnCommand(ID_EXIT, BN_CLICKED);
    }
}

}  // namespace
