// An editable drop-down combo box as the program's windows use it: it
// reports its list opening (drop-down) and closing (close-up), keeps its list
// in Vietnamese alphabetical order when asked, and finds entries as people
// type names (places/NameMatch.h).
//
// Qt closes the list before it sets the chosen entry, and the open list takes
// the keyboard. So the close-up is reported once the choice is made (or once
// it is plain that none was), and while the list is open the keys meant for
// the edit field are passed to it: typing goes on in the edit field and the
// list narrows to the entries that match it, best first; the arrow keys move
// in the list. Enter takes the entry moved to; else, for a text that is not a
// whole entry, the first entry of the narrowed list as a click would; else it
// closes the list and reaches the window as a plain Enter.
#pragma once

#include "places/NameMatch.h"

#include <QComboBox>
#include <functional>
#include <vector>

class CComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CComboBox(bool sorted, QWidget* parent = nullptr);

    // Adds an entry, in sorted position for a sorted box; returns its index.
    int AddString(const QString& text);
    void InsertString(int index, const QString& text);
    // Empties the list and the edit field.
    void ResetContent();
    // Empties the list only: what the user typed stays while the list is
    // filled again as it opens.
    void ResetList();
    int GetCount() const { return count(); }
    QString GetLBText(int index) const { return itemText(index); }
    // The entry chosen from the list; −1 when the list closed without a choice.
    int GetCurSel() const { return currentIndex(); }
    // The first entry that begins with text, ignoring letter case, or −1.
    int FindString(const QString& text) const;
    // The entry the narrowed list shows first for typed text; empty when
    // nothing matches or the text has no letter or digit.
    QString BestMatch(const QString& typed) const;
    QString GetWindowText() const { return currentText(); }
    void SetWindowText(const QString& text);
    void ShowDropDown(bool show);

    // Called with the notification code (drop-down or close-up).
    std::function<void(int code)> onNotify;
    // Called when Enter is pressed in the open list on a text that matches no
    // entry; without it such an Enter reaches the window.
    std::function<void(const QString& typed)> onNothingFound;

    void showPopup() override;
    void hidePopup() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReportCloseUp();
    bool ListKeyPress(QKeyEvent* key);
    bool ListEnter(QKeyEvent* key);
    bool IsWholeEntry(const QString& text) const;
    // The list shows the entries that match the typed text, best first.
    void Narrow(const QString& typed);
    void ShowAll();
    void ShowEntries(const QStringList& entries);
    void HighlightFirstEntry();
    // Whether Enter in the open list takes the entry an arrow key moved to.
    bool EnterTakesEntry() const;
    // Empties the current index without touching the edit text.
    void ForgetSelection();

    bool m_sorted;
    QStringList m_entries;               // the whole list, whatever is shown
    std::vector<FoldedName> m_folded;    // m_entries, taken apart for matching
    bool m_narrowed = false;             // the list shows part of m_entries
    bool m_open = false;
    bool m_closePending = false;  // closed, close-up not yet reported
    bool m_movedInList = false;   // an arrow key moved the highlight
};
