#include "widgets/UiComboBox.h"

#include "ResourceIds.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

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
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& typed) {
        if (!m_open)
            return;
        Narrow(typed);
        HighlightFirstEntry();
    });
}

int CComboBox::AddString(const QString& text)
{
    ShowAll();
    int at = count();
    if (m_sorted) {
        at = 0;
        while (at < count() && CompareVietnamese(itemText(at), text) <= 0)
            ++at;
    }
    const QString edit = currentText();
    InsertString(at, text);
    if (currentIndex() == at && count() == 1)
        setCurrentIndex(-1);
    setEditText(edit);
    return at;
}

void CComboBox::InsertString(int index, const QString& text)
{
    ShowAll();
    index = std::clamp(index, 0, count());
    const QString edit = currentText();
    insertItem(index, text);
    m_entries.insert(index, text);
    m_folded.insert(m_folded.begin() + index, FoldedName(text));
    setEditText(edit);
}

void CComboBox::ResetContent()
{
    ResetList();
    setEditText(QString());
}

void CComboBox::ResetList()
{
    m_entries.clear();
    m_folded.clear();
    m_narrowed = false;
    ShowEntries({});
}

void CComboBox::ShowEntries(const QStringList& entries)
{
    // Replacing the rows empties the edit field: what was typed, and where
    // the cursor was, are put back.
    const QString edit = currentText();
    const int cursor = lineEdit()->cursorPosition();
    clear();
    insertItems(0, entries);
    setCurrentIndex(-1);
    setEditText(edit);
    lineEdit()->setCursorPosition(cursor);
}

void CComboBox::Narrow(const QString& typed)
{
    QStringList shown;
    for (int i : NarrowNames(m_folded, typed))
        shown.append(m_entries[i]);
    ShowEntries(shown);
    m_narrowed = true;
    // The open list keeps its place below the box and takes its new height.
    if (m_open)
        QComboBox::showPopup();
}

void CComboBox::ShowAll()
{
    if (!m_narrowed)
        return;
    m_narrowed = false;
    ShowEntries(m_entries);
}

bool CComboBox::IsWholeEntry(const QString& text) const
{
    return m_entries.contains(text, Qt::CaseInsensitive);
}

QString CComboBox::BestMatch(const QString& typed) const
{
    if (FoldedName(typed).WordCount() == 0)
        return {};
    const std::vector<int> found = NarrowNames(m_folded, typed);
    return found.empty() ? QString() : m_entries[found.front()];
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
    // The list opens whole; only a choice made in it counts at its close-up.
    ShowAll();
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
        return ListEnter(key);
    default:
        if (key->text().isEmpty() && !IsEditingKey(key->key()))
            return false;
        m_movedInList = false;
        QCoreApplication::sendEvent(this, key);
        return true;
    }
}

bool CComboBox::ListEnter(QKeyEvent* key)
{
    if (EnterTakesEntry())
        return false;
    const QString typed = currentText();
    if (FoldedName(typed).WordCount() > 0 && !IsWholeEntry(typed)) {
        Narrow(typed);
        if (count() > 0) {
            // As a click on the first entry.
            hidePopup();
            setCurrentIndex(0);
            emit activated(0);
            return true;
        }
        if (onNothingFound) {
            onNothingFound(typed);
            return true;
        }
    }
    hidePopup();
    QCoreApplication::sendEvent(this, key);
    return true;
}

bool CComboBox::EnterTakesEntry() const
{
    return m_movedInList && view()->currentIndex().isValid();
}

void CComboBox::HighlightFirstEntry()
{
    // The entry Enter would take is marked; only an arrow key makes Enter
    // take the entry marked instead of the text.
    const bool typed = FoldedName(currentText()).WordCount() > 0;
    const QModelIndex entry = typed && count() > 0 ? model()->index(0, modelColumn(), rootModelIndex()) : QModelIndex();
    view()->setCurrentIndex(entry);
    if (entry.isValid())
        view()->scrollTo(entry);
}
