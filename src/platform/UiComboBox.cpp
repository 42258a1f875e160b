#include "platform/UiComboBox.h"

#include "ResourceIds.h"

#include <QLineEdit>

CComboBox::CComboBox(bool sorted, QWidget* parent) : QComboBox(parent), m_sorted(sorted)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
}

int CComboBox::AddString(const QString& text)
{
    int at = count();
    if (m_sorted) {
        // The list's own order: alphabetical, ignoring letter case.
        at = 0;
        while (at < count() && QString::localeAwareCompare(itemText(at).toLower(), text.toLower()) <= 0)
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
    if (show)
        showPopup();
    else
        hidePopup();
}

void CComboBox::showPopup()
{
    if (onNotify)
        onNotify(CBN_DROPDOWN);
    m_open = true;
    QComboBox::showPopup();
}

void CComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (!m_open)
        return;
    m_open = false;
    if (onNotify)
        onNotify(CBN_CLOSEUP);
}
