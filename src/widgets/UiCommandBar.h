// The bar along the bottom edge: the drop-down menus, then the toolbar
// buttons. Every entry and button reports its command ID; entries are found by
// ID for enabling and checking.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QAction;
class QHBoxLayout;
class QMenu;
class QToolButton;

// One row of a menu resource: a command, a separator (id 0, no caption), or a
// submenu (id 0, caption, children).
struct MenuEntry {
    int id = 0;
    const char* caption = nullptr;  // UTF-8
    bool greyed = false;
    std::vector<MenuEntry> children;
};

// Builds a popup menu from its rows; each action carries its command ID as data.
void FillMenu(QMenu& menu, const std::vector<MenuEntry>& entries);

class CommandBar : public QWidget {
    Q_OBJECT
public:
    explicit CommandBar(QWidget* parent = nullptr);

    // A menu's button, with a tooltip that says what the menu holds.
    QMenu* AddMenu(const QString& title, const std::vector<MenuEntry>& entries, const QString& tip);
    // Replaces the toolbar: one button per ID, pictures cut side by side from
    // one strip image, each named by its tooltip.
    void SetToolbar(const QString& strip, QSize picture, const std::vector<int>& ids, const QStringList& tips);

    QAction* FindCommand(int id) const;
    QToolButton* ToolbarButton(int id) const;
    void EnableCommand(int id, bool enable);
    bool IsCommandEnabled(int id) const;
    // Check marks are addressed by position inside a top-level menu.
    void CheckMenuItemByPosition(int menuIndex, int position, bool check);
    bool IsMenuItemChecked(int menuIndex, int position) const;
    std::vector<int> ToolbarIds() const { return m_toolbarIds; }
    QSize ToolbarPictureSize() const { return m_pictureSize; }

    std::function<void(int id)> onCommand;

private:
    QHBoxLayout* m_layout;
    std::vector<QMenu*> m_menus;
    std::vector<QToolButton*> m_buttons;
    std::vector<int> m_toolbarIds;
    QSize m_pictureSize;
};
