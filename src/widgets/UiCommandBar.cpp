#include "widgets/UiCommandBar.h"

#include "base/Resources.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>

void FillMenu(QMenu& menu, const std::vector<MenuEntry>& entries)
{
    for (const MenuEntry& e : entries) {
        if (!e.children.empty()) {
            QMenu* sub = menu.addMenu(QString::fromUtf8(e.caption));
            FillMenu(*sub, e.children);
        } else if (e.id == 0) {
            menu.addSeparator();
        } else {
            QAction* action = menu.addAction(QString::fromUtf8(e.caption));
            action->setData(e.id);
            action->setEnabled(!e.greyed);
        }
    }
}

namespace {

QAction* FindIn(const QMenu* menu, int id)
{
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            if (QAction* found = FindIn(action->menu(), id))
                return found;
        } else if (!action->isSeparator() && action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

CommandBar::CommandBar(QWidget* parent) : QWidget(parent), m_layout(new QHBoxLayout(this))
{
    // Packed tight: the menus and the small toolbar fit a 240-pixel window.
    m_layout->setContentsMargins(1, 1, 1, 1);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
    setAutoFillBackground(true);
}

QMenu* CommandBar::AddMenu(const QString& title, const std::vector<MenuEntry>& entries, const QString& tip)
{
    auto* menu = new QMenu(title, this);
    FillMenu(*menu, entries);
    connect(menu, &QMenu::triggered, this, [this](QAction* action) {
        if (onCommand)
            onCommand(action->data().toInt());
    });
    auto* button = new QToolButton(this);
    button->setText(title);
    button->setToolTip(tip);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    m_layout->insertWidget(static_cast<int>(m_menus.size()), button);
    m_menus.push_back(menu);
    return menu;
}

void CommandBar::SetToolbar(const QString& strip, QSize picture, const std::vector<int>& ids, const QStringList& tips)
{
    InitResources();
    // The old buttons go once their events are done: a resize may replace
    // the set while one of them is being clicked.
    for (QToolButton* b : m_buttons) {
        b->hide();
        b->deleteLater();
    }
    m_buttons.clear();
    m_toolbarIds = ids;
    m_pictureSize = picture;
    const QPixmap pictures(strip);
    for (size_t i = 0; i < ids.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setIcon(QIcon(pictures.copy(int(i) * picture.width(), 0, picture.width(), picture.height())));
        button->setIconSize(picture);
        button->setFixedSize(picture + QSize(4, 4));
        button->setAutoRaise(true);
        button->setToolTip(tips.value(int(i)));
        const int id = ids[i];
        connect(button, &QToolButton::clicked, this, [this, id] {
            if (onCommand)
                onCommand(id);
        });
        m_layout->insertWidget(static_cast<int>(m_menus.size() + i), button);
        m_buttons.push_back(button);
    }
}

QToolButton* CommandBar::ToolbarButton(int id) const
{
    for (size_t i = 0; i < m_toolbarIds.size(); ++i) {
        if (m_toolbarIds[i] == id)
            return m_buttons[i];
    }
    return nullptr;
}

QAction* CommandBar::FindCommand(int id) const
{
    for (const QMenu* menu : m_menus) {
        if (QAction* found = FindIn(menu, id))
            return found;
    }
    return nullptr;
}

void CommandBar::EnableCommand(int id, bool enable)
{
    if (QAction* action = FindCommand(id))
        action->setEnabled(enable);
}

bool CommandBar::IsCommandEnabled(int id) const
{
    const QAction* action = FindCommand(id);
    return action && action->isEnabled();
}

void CommandBar::CheckMenuItemByPosition(int menuIndex, int position, bool check)
{
    if (menuIndex < 0 || menuIndex >= static_cast<int>(m_menus.size()))
        return;
    const QList<QAction*> actions = m_menus[menuIndex]->actions();
    if (position < 0 || position >= actions.size())
        return;
    actions[position]->setCheckable(true);
    actions[position]->setChecked(check);
}

bool CommandBar::IsMenuItemChecked(int menuIndex, int position) const
{
    if (menuIndex < 0 || menuIndex >= static_cast<int>(m_menus.size()))
        return false;
    const QList<QAction*> actions = m_menus[menuIndex]->actions();
    return position >= 0 && position < actions.size() && actions[position]->isChecked();
}
