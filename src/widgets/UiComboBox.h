// An editable drop-down combo box as the program's windows use it: it
// reports its list opening (drop-down) and closing (close-up), keeps its list
// in Vietnamese alphabetical order when asked, and finds entries by prefix.
//
// Qt closes the list before it sets the chosen entry, and the open list takes
// the keyboard. So the close-up is reported once the choice is made (or once
// it is plain that none was), and while the list is open the keys meant for
// the edit field are passed to it: typing goes on in the edit field (the list
// shows the first entry that begins with the text), the arrow keys move in the
// list, Enter takes the entry moved to or, when none was, closes the list and
// reaches the window as a plain Enter.
#pragma once

#include <QComboBox>
#include <functional>

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
    QString GetWindowText() const { return currentText(); }
    void SetWindowText(const QString& text);
    void ShowDropDown(bool show);

    // Called with the notification code (drop-down or close-up).
    std::function<void(int code)> onNotify;

    void showPopup() override;
    void hidePopup() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReportCloseUp();
    bool ListKeyPress(QKeyEvent* key);
    void HighlightTypedEntry();
    // Whether Enter in the open list takes the entry an arrow key moved to.
    bool EnterTakesEntry() const;
    // Empties the current index without touching the edit text.
    void ForgetSelection();

    bool m_sorted;
    bool m_open = false;
    bool m_closePending = false;  // closed, close-up not yet reported
    bool m_movedInList = false;   // an arrow key moved the highlight
};

// Vietnamese alphabetical order, whatever the system's locale: a negative,
// zero or positive result as a comes before, with or after b.
int CompareVietnamese(const QString& a, const QString& b);
