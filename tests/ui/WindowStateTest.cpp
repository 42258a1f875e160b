// What the window shows when its state changes outside the searches: marks
// and filter changes at once, the measuring mode and its check mark, a window
// that had no area when the map was loaded, a window without a map, and the
// Vietnamese texts of Qt's own dialogs.
#include "UiFixture.h"

#include "widgets/UiModal.h"
#include "support/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

class WindowStateTest : public UiTest {
protected:
    QWidget* Surface() const { return dlg->childAt(10, 100); }
    bool MeasureChecked() const { return dlg->MenuBar()->IsMenuItemChecked(kUtilityMenuIndex, kMeasureItemPosition); }
};

TEST_F(WindowStateTest, AMarkAndAFilterChangeShowAtOnce)
{
    // A right click is the tap-and-hold: the context menu, then "Đánh dấu".
    modal.menuAnswers.push_back(ID_MARK);
    QTest::mouseClick(Surface(), Qt::RightButton, {}, QPoint(250, 400));
    Settle();
    EXPECT_EQ(dlg->m_nMarkLast, 0);
    EXPECT_EQ(Window(255, 380), Rgb(255, 0, 0));  // the flag, without another repaint

    ASSERT_EQ(Window(300, 300) == Rgb(251, 208, 146), false);  // the hospital icon
    modal.dialogAnswers.push_back([this](QDialog&) {
        dlg->m_filterDlg.Box(1018)->click();  // "Bệnh viện" off
        return QDialog::Accepted;
    });
    dlg->OnCommand(ID_FILTER_PLACES, BN_CLICKED);
    Settle();
    EXPECT_EQ(Window(300, 300), Rgb(251, 208, 146));
}

TEST_F(WindowStateTest, ATapWithoutAMoveMeasuresZeroAndTheCheckMarkFollowsTheMode)
{
    dlg->OnCommand(ID_MEASURE, BN_CLICKED);
    QTest::mouseClick(Surface(), Qt::LeftButton, {}, QPoint(200, 200));
    Settle();
    EXPECT_EQ(dlg->ControlText(IDC_STATUS), QStringLiteral("Độ dài là :0.000 Km"));

    // Every command that ends measuring takes the check mark away with it.
    for (int ending : {ID_FIND_PLACE, ID_SHORTEST_PATH, ID_TB_CLEAR_L, ID_CLOSE_MAP}) {
        dlg->OnCommand(ID_MEASURE, BN_CLICKED);
        if (dlg->m_bMeasureMode == 0)  // the previous round left it on
            dlg->OnCommand(ID_MEASURE, BN_CLICKED);
        ASSERT_TRUE(MeasureChecked()) << ending;
        dlg->OnCommand(ending, BN_CLICKED);
        EXPECT_EQ(dlg->m_bMeasureMode, 0) << ending;
        EXPECT_FALSE(MeasureChecked()) << ending;
    }
}

TEST_F(WindowStateTest, AMapLoadedIntoAWindowWithoutAreaIsFittedOnceTheWindowHasOne)
{
    dlg->OnSize(0, 480, 0);
    dlg->InitViewAfterLoad();
    EXPECT_FALSE(dlg->m_dScale > 0);
    dlg->OnSize(0, 480, 640);
    EXPECT_DOUBLE_EQ(dlg->m_dBaseScale, 2.5 * std::min(480.0 / 2000, 640.0 / 2000));
    EXPECT_DOUBLE_EQ(dlg->m_dScale, 5 * dlg->m_dBaseScale);
    const MapPoint centre = ScreenToMap(*dlg, QPoint(240, 320));
    EXPECT_NEAR(centre.x, 1000, 1);
    EXPECT_NEAR(centre.y, 1000, 1);
}

TEST_F(WindowStateTest, NothingIsMarkedOnAWindowWithoutAMap)
{
    dlg->OnCommand(ID_CLOSE_MAP, BN_CLICKED);
    dlg->OnCommand(ID_FIND_PLACE, BN_CLICKED);
    dlg->SetControlText(IDC_PLACE_TYPE, QStringLiteral("Bệnh viện"));
    dlg->SetControlText(IDC_PLACE_NAME, QStringLiteral("Bạch Mai"));
    dlg->OnCommand(IDC_PLACE_OK, BN_CLICKED);
    dlg->UpdateWindow();
    // The plain window: no square marker, no label at the centre.
    EXPECT_EQ(CountColour(QRect(200, 280, 80, 80), Rgb(255, 0, 0)), 0);
    EXPECT_EQ(CountColour(QRect(200, 280, 80, 80), Rgb(200, 250, 150)), 0);
}

TEST_F(WindowStateTest, QtsOwnDialogsSpeakVietnamese)
{
    const auto open =
        MakeFileDialog(dlg.get(), false, QStringLiteral(".kvp"), QString(), QStringLiteral("Bản đồ (*.kvp)"));
    QStringList labels;
    for (const QLabel* label : open->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("Tìm trong:"))) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("&Tên tệp:")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Loại tệp:")));
    const QDialogButtonBox* buttons = open->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("&Mở"));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Hủy"));
    const auto save = MakeFileDialog(dlg.get(), true, QStringLiteral("kvt"), QString(),
                                     QStringLiteral("Tệp đường (*.kvt);;Tệp GPX (*.gpx)"),
                                     QStringLiteral("Lưu đường — 4,2 km, 12 phút"));
    EXPECT_EQ(save->windowTitle(), QStringLiteral("Lưu đường — 4,2 km, 12 phút"));
    EXPECT_EQ(save->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->text(), QStringLiteral("&Lưu"));
    // Each filter is offered by its name; a name typed under the GPX one becomes a .gpx file.
    EXPECT_EQ(save->nameFilters(), QStringList({"Tệp đường (*.kvt)", "Tệp GPX (*.gpx)"}));
    EXPECT_EQ(save->defaultSuffix(), QStringLiteral("kvt"));
    auto* types = save->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    QTest::keyClick(types, Qt::Key_Down);  // the next filter, chosen by its key
    ASSERT_EQ(types->currentIndex(), 1);
    EXPECT_EQ(save->defaultSuffix(), QStringLiteral("gpx"));

    QMessageBox box(QMessageBox::Information, QStringLiteral("Korvane"), QStringLiteral("…"), QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("Đồng ý"));
}

}  // namespace

