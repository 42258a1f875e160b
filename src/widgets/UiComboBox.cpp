#include "widgets/UiComboBox.h"

#include "ResourceIds.h"

#include <QAbstractItemView>
#include <QCollator>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

// Keys that edit or move in the edit field although they carry no text.
bool IsEditingKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

int CompareVietnamese(const QString& a, const QString& b)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Vietnamese, QLocale::Vietnam));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

CComboBox::CComboBox(bool sorted, QWidget* parent) : QComboBox(parent), m_sorted(sorted)
{
    setEditable(true);
    // The edit field holds what the user typed, never a completion of it.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
    view()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this] {
        if (m_closePending)
            ReportCloseUp();
    });
}

int CComboBox::AddString(const QString& text)
{
    int at = count();
    if (m_sorted) {
        at = 0;
        while (at < count() && CompareVietnamese(itemText(at), text) <= 0)
            ++at;
    }
    const QString edit = currentText();
    insertItem(at, text);
    if (currentIndex() == at && count() == 1)
        setCurrentIndex(-1);
    setEditText(edit);
    return at;
}

void CComboBox::InsertString(int index, const QString& text)
{
    const QString edit = currentText();
    insertItem(index, text);
    setEditText(edit);
}

void CComboBox::ResetContent()
{
    clear();
    setCurrentIndex(-1);
    setEditText(QString());
}

void CComboBox::ResetList()
{
    const QString edit = currentText();
    clear();
    setCurrentIndex(-1);
    setEditText(edit);
}

int CComboBox::FindString(const QString& text) const
{
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

void CComboBox::SetWindowText(const QString& text)
{
    setEditText(text);
}

void CComboBox::ShowDropDown(bool show)
{
    if (show) {
        showPopup();
        return;
    }
    hidePopup();
    if (m_closePending)
        ReportCloseUp();
}

void CComboBox::ForgetSelection()
{
    const QString edit = currentText();
    setCurrentIndex(-1);
    setEditText(edit);
}

void CComboBox::showPopup()
{
    if (onNotify)
        onNotify(CBN_DROPDOWN);
    // Only a choice made in this list counts at its close-up.
    ForgetSelection();
    m_movedInList = false;
    m_closePending = false;
    QComboBox::showPopup();
    m_open = view()->isVisible();
}

void CComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (!m_open)
        return;
    m_open = false;
    m_closePending = true;
    // A choice from the list is set just after the list has closed, and
    // reports the close-up then; a list closed without one reports it on the
    // next turn of the event loop.
    QTimer::singleShot(0, this, [this] {
        if (m_closePending)
            ReportCloseUp();
    });
}

void CComboBox::ReportCloseUp()
{
    m_closePending = false;
    if (onNotify)
        onNotify(CBN_CLOSEUP);
}

bool CComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && m_open) {
        if (event->type() == QEvent::KeyPress)
            return ListKeyPress(static_cast<QKeyEvent*>(event));
        // The list would take Enter as a shortcut before it arrives as a key.
        if (event->type() == QEvent::ShortcutOverride && IsEnter(static_cast<QKeyEvent*>(event)->key()) &&
            !EnterTakesEntry()) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::InputMethod && lineEdit()) {
            QCoreApplication::sendEvent(lineEdit(), event);
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

bool CComboBox::ListKeyPress(QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        m_movedInList = true;
        return false;
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (EnterTakesEntry())
            return false;
        hidePopup();
        QCoreApplication::sendEvent(this, key);
        return true;
    default:
        if (key->text().isEmpty() && !IsEditingKey(key->key()))
            return false;
        m_movedInList = false;
        QCoreApplication::sendEvent(this, key);
        HighlightTypedEntry();
        return true;
    }
}

bool CComboBox::EnterTakesEntry() const
{
    return m_movedInList && view()->currentIndex().isValid();
}

void CComboBox::HighlightTypedEntry()
{
    // As the user types, the list shows the first entry that begins with the
    // text; only an arrow key makes Enter take it instead of the text.
    const int match = currentText().isEmpty() ? -1 : FindString(currentText());
    const QModelIndex entry = match >= 0 ? model()->index(match, modelColumn(), rootModelIndex()) : QModelIndex();
    view()->setCurrentIndex(entry);
    if (entry.isValid())
        view()->scrollTo(entry);
}
