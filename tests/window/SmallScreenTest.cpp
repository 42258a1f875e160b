// A handheld's 240 × 320 screen: the window, menu bar and toolbar included,
// and every dialog fit it, so that every command and every button can be
// reached; each dialog says in its title what it does.
#include "AppWindow.h"

#include "window/CommandLine.h"
#include "window/MapApp.h"

#include "widgets/UiModal.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

namespace {

const QSize kScreen(240, 320);

class SmallScreen : public AppTest {};

// Whether the widget lies whole within the window it is shown in.
bool WithinItsWindow(const QWidget* widget)
{
    const QWidget* window = widget->window();
    const QRect at(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return !at.isEmpty() && window->rect().contains(at);
}

TEST_F(SmallScreen, TheWholeWindowAndEveryMenuFitTheScreen)
{
    StartOptions options;
    options.mapFile = WriteCity("maps/city.kvp");
    options.windowSize = kScreen;
    CMapApp app;
    const std::unique_ptr<CMapDlg> dlg(app.InitInstance(options));
    QTest::qWait(20);  // the window's layout settles
    EXPECT_EQ(dlg->size(), kScreen);
    EXPECT_EQ(dlg->m_nClientWidth, 240);
    EXPECT_LT(dlg->m_nClientHeight, 320);
    // The two menus and the toolbar on the bar; each menu and submenu opens
    // within the screen.
    const QList<QToolButton*> buttons = dlg->MenuBar()->findChildren<QToolButton*>();
    EXPECT_EQ(buttons.size(), 2 + 5);
    for (const QToolButton* button : buttons)
        EXPECT_TRUE(!button->isVisible() || WithinItsWindow(button)) << button->text().toStdString();
    for (QMenu* menu : dlg->MenuBar()->findChildren<QMenu*>()) {
        const QSize shown = menu->sizeHint();
        EXPECT_LE(shown.width(), kScreen.width()) << menu->title().toStdString();
        EXPECT_LE(shown.height(), kScreen.height()) << menu->title().toStdString();
    }
    // A window asked larger than the screen is held to it.
    dlg->SetWindowSize(QSize(10000, 10000));
    EXPECT_TRUE(dlg->screen()->availableGeometry().size().expandedTo(dlg->size()) ==
                dlg->screen()->availableGeometry().size());
    dlg->OnCommand(ID_EXIT, BN_CLICKED);
}

TEST_F(SmallScreen, EveryDialogScalesDownWithEveryButtonOnItAndATitleOfItsOwn)
{
    auto dlg = OpenMapWindow();
    modal.fileAnswers = {WriteCity("maps/city.kvp")};
    dlg->OnCommand(ID_OPEN_MAP, BN_CLICKED);
    const std::vector<std::pair<CDialog*, QString>> dialogs = {
        {&dlg->m_filterDlg, QStringLiteral("Lọc địa danh")}, {&dlg->m_gpsSetupDlg, QStringLiteral("Cấu hình GPS")},
        {&dlg->m_gpsPointDlg, QStringLiteral("Vị trí GPS")}, {&dlg->m_aboutDlg, QStringLiteral("Giới thiệu")},
        {&dlg->m_placeEditDlg, QStringLiteral("Chèn địa danh")}};
    for (const auto& [dialog, title] : dialogs) {
        // Run as the user opens it, the screen being 240 × 320.
        modal.dialogAnswers.push_back([dialog, title](QDialog& shown) {
            EXPECT_EQ(&shown, dialog);
            dialog->FitTemplateTo(kScreen);
            dialog->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
            EXPECT_EQ(dialog->windowTitle(), title);
            EXPECT_LE(dialog->width(), kScreen.width());
            EXPECT_LE(dialog->height(), kScreen.height());
            for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                EXPECT_TRUE(WithinItsWindow(button)) << title.toStdString() << ": " << button->text().toStdString();
            dialog->hide();
            return int(QDialog::Rejected);
        });
    }
    dlg->OnCommand(ID_FILTER_PLACES, BN_CLICKED);
    dlg->OnCommand(ID_GPS_SETUP, BN_CLICKED);
    dlg->OnCommand(ID_INSERT_GPS, BN_CLICKED);
    dlg->OnCommand(ID_INFO, BN_CLICKED);
    dlg->OnCommand(ID_INSERT_PLACE, BN_CLICKED);
    EXPECT_EQ(modal.dialogsRun, 5);
    // Editing, the place dialog says so.
    dlg->m_placeEditDlg.m_bEditMode = 1;
    dlg->m_placeEditDlg.DoModal();
    EXPECT_EQ(dlg->m_placeEditDlg.windowTitle(), QStringLiteral("Sửa địa danh"));

    // Qt's file dialog, which opens maps, roads and place files, too.
    const auto open = MakeFileDialog(dlg.get(), false, QStringLiteral(".kvp"), root.Path("maps"), "*.kvp");
    FitFileDialogTo(*open, kScreen);
    open->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(open.get()));
    EXPECT_LE(open->width(), kScreen.width());
    EXPECT_LE(open->height(), kScreen.height());
    for (const QAbstractButton* button : open->findChild<QDialogButtonBox*>()->buttons())
        EXPECT_TRUE(WithinItsWindow(button)) << button->text().toStdString();
    EXPECT_TRUE(WithinItsWindow(open->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))));
}

}  // namespace
