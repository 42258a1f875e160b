// The command table, the keyboard, the place filter and the category lists.
#include "UiFixture.h"

#include <QAccessible>
#include <QAbstractItemView>
#include <QCheckBox>

namespace {

using CommandTest = UiTest;

TEST_F(CommandTest, BothToolbarSetsZoomAlike)
{
    for (auto [in, out] : {std::pair{ID_TB_ZOOM_IN_S, ID_TB_ZOOM_OUT_S}, {ID_TB_ZOOM_IN_L, ID_TB_ZOOM_OUT_L}}) {
        SetView(100, 100, 1.0, 1.0 / 3);
        dlg->OnCommand(in, BN_CLICKED);
        EXPECT_DOUBLE_EQ(dlg->m_dScale, 1.5);
        EXPECT_EQ(dlg->m_nOriginX, 100 + 240 - int(240 / 1.5));
        dlg->OnCommand(out, BN_CLICKED);
        EXPECT_DOUBLE_EQ(dlg->m_dScale, 1.0);
        EXPECT_NEAR(dlg->m_nOriginX, 100, 2);
    }
}

TEST_F(CommandTest, RedFlagFindsStreetsOnlyWithAMap)
{
    dlg->OnCommand(ID_TB_FIND_STREET_S, BN_CLICKED);
    EXPECT_TRUE(dlg->IsControlVisible(IDC_STREET));
    dlg->OnCommand(ID_TB_CLEAR_S, BN_CLICKED);
    EXPECT_FALSE(dlg->IsControlVisible(IDC_STREET));

    dlg->OnCommand(ID_CLOSE_MAP, BN_CLICKED);
    EXPECT_EQ(dlg->m_bMapLoaded, 0);
    dlg->OnCommand(ID_TB_FIND_STREET_L, BN_CLICKED);
    EXPECT_FALSE(dlg->IsControlVisible(IDC_STREET));
    // The menu entry runs it unconditionally.
    dlg->OnCommand(ID_FIND_STREET, BN_CLICKED);
    EXPECT_TRUE(dlg->IsControlVisible(IDC_STREET));
}

TEST_F(CommandTest, RefreshClearsLikeTheToolbarButtonOnlyWithAMap)
{
    dlg->SelectStreet(QStringLiteral("Hàng Bài"));
    dlg->OnCommand(ID_FIND_STREET, BN_CLICKED);
    dlg->OnCommand(ID_REFRESH, BN_CLICKED);
    EXPECT_EQ(dlg->m_nSelectedWays, 0);
    EXPECT_FALSE(dlg->IsControlVisible(IDC_STREET));

    dlg->OnCommand(ID_CLOSE_MAP, BN_CLICKED);
    dlg->OnCommand(ID_FIND_STREET, BN_CLICKED);
    dlg->OnCommand(ID_REFRESH, BN_CLICKED);
    EXPECT_TRUE(dlg->IsControlVisible(IDC_STREET));
}

TEST_F(CommandTest, OnlyBoundNotificationsReachHandlers)
{
    dlg->OnCommand(ID_FIND_PLACE, BN_CLICKED);
    dlg->SetControlText(IDC_PLACE_TYPE, QStringLiteral("ATM"));
    dlg->SetControlText(IDC_PLACE_NAME, QStringLiteral("x"));
    // A drop-down of the place type, a close-up of the place name, a click
    // on a static: nothing bound.
    dlg->OnCommand(IDC_PLACE_TYPE, CBN_DROPDOWN);
    dlg->OnCommand(IDC_PLACE_NAME, CBN_CLOSEUP);
    dlg->OnCommand(IDC_PLACE_NAME_CAPTION, BN_CLICKED);
    dlg->OnCommand(IDC_PLACE_OK, CBN_CLOSEUP);
    EXPECT_EQ(dlg->ControlText(IDC_PLACE_NAME), QStringLiteral("x"));
    EXPECT_EQ(dlg->Combo(IDC_PLACE_NAME)->GetCount(), 0);
    EXPECT_TRUE(dlg->IsControlVisible(IDC_PLACE_OK));
    // The bound ones do their work.
    dlg->OnCommand(IDC_PLACE_NAME, CBN_DROPDOWN);
    EXPECT_EQ(dlg->Combo(IDC_PLACE_NAME)->GetLBText(0), QStringLiteral("Tất cả"));
    dlg->OnCommand(IDC_PLACE_TYPE, CBN_CLOSEUP);
    EXPECT_EQ(dlg->ControlText(IDC_PLACE_NAME), QStringLiteral("Tất cả"));
    dlg->OnCommand(IDC_PLACE_OK, BN_CLICKED);
    EXPECT_FALSE(dlg->IsControlVisible(IDC_PLACE_OK));
}

TEST_F(CommandTest, TypingOpensTheActiveListOnce)
{
    dlg->OnCommand(ID_FIND_STREET, BN_CLICKED);
    EXPECT_EQ(dlg->m_bListOpened, 0);
    EXPECT_FALSE(dlg->PreTranslateMessage('A'));
    EXPECT_EQ(dlg->m_bListOpened, 1);
    EXPECT_TRUE(dlg->Combo(IDC_STREET)->view()->isVisible());
    dlg->Combo(IDC_STREET)->hidePopup();
    dlg->PreTranslateMessage('7');
    EXPECT_FALSE(dlg->Combo(IDC_STREET)->view()->isVisible());
    // Other keys pass on; Enter is consumed.
    EXPECT_FALSE(dlg->PreTranslateMessage(Qt::Key_Left));
    EXPECT_TRUE(dlg->PreTranslateMessage(Qt::Key_Return));
}

TEST_F(CommandTest, ExitSaves)
{
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
    EXPECT_TRUE(dlg->IsClosed());
    EXPECT_TRUE(root.Exists("My Documents/korvane.cfg"));
}

TEST_F(CommandTest, CategoryListsAreSortedWithStreetsFirstInTheRouteType)
{
    // Vietnamese alphabetical order whatever the system's locale: "ă", "â",
    // "đ", "ô", "ơ" and "ư" are letters of their own, tones only break ties.
    CComboBox* type = dlg->Combo(IDC_PLACE_TYPE);
    QStringList shown;
    for (int i = 0; i < type->GetCount(); ++i)
        shown << type->GetLBText(i);
    EXPECT_EQ(shown.join(u'|'),
              QStringLiteral("ATM|Bảo tàng|Bể bơi|Bến xe buýt|Bệnh viện|Bưu điện|Câu lạc bộ|Chợ|Chùa|Đại học|"
                             "Đại lý du lịch|Đại lý HK|Điểm du lịch|Điểm đỗ xe|Đua thuyền|Khách sạn|Ngân hàng|"
                             "Nhà riêng|Nhà Thờ|Rạp chiếu phim|Rạp hát|Sân vận động|Siêu thị|Tổ chức QT|"
                             "Trạm xăng|Triển lãm|Ủy ban|Xí nghiệp"));
    CComboBox* routeType = dlg->Combo(IDC_ROUTE_TYPE);
    ASSERT_EQ(routeType->GetCount(), 29);
    EXPECT_EQ(routeType->GetLBText(0), QStringLiteral("Đường"));
    EXPECT_EQ(dlg->m_categoryNames[25], QStringLiteral("Trạm xăng"));
}

class FilterTest : public UiTest {
protected:
    // Opens the filter dialog and clicks the given boxes, then closes it
    // with OK or Cancel.
    void Filter(std::initializer_list<int> clicks, bool ok)
    {
        modal.dialogAnswers.push_back([this, clicks, ok](QDialog&) {
            for (int id : clicks)
                dlg->m_filterDlg.Box(id)->click();
            return ok ? QDialog::Accepted : QDialog::Rejected;
        });
        dlg->OnCommand(ID_FILTER_PLACES, BN_CLICKED);
    }
};

TEST_F(FilterTest, ClicksTakeEffectHoweverTheDialogCloses)
{
    Filter({1018}, false);  // "Bệnh viện", then Cancel
    EXPECT_EQ(dlg->m_showCategory[0], 0);
    Repaint();
    EXPECT_EQ(Window(300, 300), Rgb(251, 208, 146));
    int kind = 0;
    QPoint hit;
    dlg->HitTestWayOrPlace({300, 300}, kind, hit);
    // Opening it again shows the box as it was left.
    modal.dialogAnswers.push_back([this](QDialog&) {
        EXPECT_FALSE(dlg->m_filterDlg.Box(1018)->isChecked());
        EXPECT_TRUE(dlg->m_filterDlg.Box(1048)->isChecked());
        EXPECT_EQ(dlg->m_filterDlg.Box(1048)->text(), QStringLiteral("ATM"));
        EXPECT_EQ(dlg->m_filterDlg.Box(1049)->text(), QStringLiteral("Trạm xăng"));
        return QDialog::Accepted;
    });
    dlg->OnCommand(ID_FILTER_PLACES, BN_CLICKED);
    EXPECT_EQ(modal.dialogsRun, 2);
}

TEST_F(FilterTest, ScreenReadersNameEveryBox)
{
    modal.dialogAnswers.push_back([this](QDialog&) {
        for (int id = 1002; id <= 1025; ++id) {
            QAccessibleInterface* box = QAccessible::queryAccessibleInterface(dlg->m_filterDlg.Box(id));
            EXPECT_FALSE(box->text(QAccessible::Name).isEmpty()) << id;
        }
        EXPECT_EQ(dlg->m_filterDlg.Box(1002)->accessibleName(), QStringLiteral("BANK"));
        EXPECT_EQ(dlg->m_filterDlg.Box(1008)->accessibleName(), QStringLiteral("Inter_Organization"));
        EXPECT_EQ(dlg->m_filterDlg.Box(1025)->accessibleName(), QStringLiteral("Tourist_Point"));
        return QDialog::Accepted;
    });
    dlg->OnCommand(ID_FILTER_PLACES, BN_CLICKED);
}

TEST_F(FilterTest, ClosingTheMapShowsEveryCategoryAgain)
{
    Filter({1018, 1048, 1049}, true);
    EXPECT_EQ(dlg->m_showCategory[26], 0);
    dlg->OnCommand(ID_CLOSE_MAP, BN_CLICKED);
    for (int flag : dlg->m_showCategory)
        EXPECT_EQ(flag, 1);
}

TEST_F(FilterTest, EveryBoxSwitchesItsOwnCategory)
{
    std::vector<int> boxes;
    for (const CategoryInfo& c : kCategories) {
        if (c.filterBoxId != 0)
            boxes.push_back(c.filterBoxId);
    }
    ASSERT_EQ(boxes.size(), 26u);
    for (const CategoryInfo& c : kCategories) {
        if (c.filterBoxId == 0)
            continue;
        Filter({c.filterBoxId}, true);
        for (int code = 1; code <= 28; ++code)
            EXPECT_EQ(dlg->m_showCategory[code - 1], code == c.code ? 0 : 1) << c.filterBoxId;
        Filter({c.filterBoxId}, true);
    }
    // Travel agencies and homes have no box.
    EXPECT_EQ(dlg->m_showCategory[22], 1);
    EXPECT_EQ(dlg->m_showCategory[27], 1);
}

}  // namespace
