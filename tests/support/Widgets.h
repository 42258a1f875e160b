// Drives real widgets with real input events, in the order Qt delivers them:
// a combo box's list opened by a click on its arrow, an entry chosen by a
// click in the open list, keys sent where the keyboard is (the open list or
// the focused widget), the wheel over the map.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <climits>

// Runs what the event loop has queued (close-ups, repaints).
inline void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The window that has the keyboard when no list is open.
inline QPointer<QWidget> g_keyboardWindow;

// Makes a window the active one, so that the keyboard reaches its focus.
inline bool Activate(QWidget* window)
{
    g_keyboardWindow = window;
    window->activateWindow();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

inline bool ListOpen(const QComboBox* combo)
{
    return combo->view()->isVisible();
}

// A click on the combo box's arrow, as a user opens its list.
inline void ClickArrow(QComboBox* combo)
{
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 3, combo->height() / 2));
}

// A click on an entry of the open list; false when the list is shut or has
// no such entry.
inline bool ClickEntry(QComboBox* combo, const QString& text)
{
    const int row = combo->findText(text, Qt::MatchExactly);
    QAbstractItemView* list = combo->view();
    if (row < 0 || !list->isVisible())
        return false;
    const QModelIndex index = list->model()->index(row, combo->modelColumn(), list->rootIndex());
    list->scrollTo(index);
    // The list ignores a release that follows its opening too closely.
    QTest::qWait(2 * QApplication::doubleClickInterval());
    const QPoint at = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    Settle();
    return true;
}

// Opens the list with its arrow and clicks the entry.
inline bool ChooseEntry(QComboBox* combo, const QString& text)
{
    ClickArrow(combo);
    return ClickEntry(combo, text);
}

// Keys go where Qt would send them: the open list, else the focus widget.
inline void PressKey(Qt::Key key, const QString& text = QString())
{
    // The offscreen platform does not give the activation back when a list
    // closes, as a desktop does.
    if (!QApplication::activePopupWidget() && !QApplication::activeWindow() && g_keyboardWindow)
        Activate(g_keyboardWindow);
    QTest::sendKeyEvent(QTest::Press, static_cast<QWidget*>(nullptr), key, text, Qt::NoModifier);
    // The key may have closed the window: then no one gets its release.
    if (QApplication::activePopupWidget() || QApplication::activeWindow())
        QTest::sendKeyEvent(QTest::Release, static_cast<QWidget*>(nullptr), key, text, Qt::NoModifier);
    Settle();
}

// Types text character by character, Vietnamese letters included: a Latin
// letter or digit carries its key code, any other character only its text
// (as a keyboard layout or input method delivers it).
inline void TypeText(const QString& text)
{
    for (const QChar c : text) {
        const QChar upper = c.toUpper();
        Qt::Key key = Qt::Key_unknown;
        if ((upper >= u'A' && upper <= u'Z') || (upper >= u'0' && upper <= u'9'))
            key = static_cast<Qt::Key>(upper.unicode());
        else if (c == u' ')
            key = Qt::Key_Space;
        PressKey(key, QString(c));
    }
}

// Turns the mouse wheel over a widget by whole steps (positive: away from
// the user).
inline void TurnWheel(QWidget* widget, QPoint at, int steps)
{
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

// The caption a user reads over a field: the nearest label above it that
// starts within its width.
inline QString LabelAbove(const QWidget* field)
{
    QString caption;
    int nearest = INT_MAX;
    for (const QLabel* label : field->parentWidget()->findChildren<QLabel*>()) {
        const QRect r = label->geometry(), f = field->geometry();
        const int gap = f.top() - r.bottom();
        if (r.left() >= f.left() - 4 && r.left() < f.right() && gap >= 0 && gap < nearest) {
            nearest = gap;
            caption = label->text();
        }
    }
    return caption;
}
