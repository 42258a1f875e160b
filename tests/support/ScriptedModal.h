// A modal seam for tests: every dialog, file dialog, message box and popup
// menu is answered from a script instead of a user.
#pragma once

#include "widgets/UiModal.h"

#include <QDialog>
#include <QMenu>
#include <QStringList>
#include <deque>
#include <functional>

class ScriptedModal : public ModalSeam {
public:
    ScriptedModal() { SetModal(this); }
    ~ScriptedModal() override { SetModal(nullptr); }

    // Answers for the next dialogs: each gets the initialised dialog and
    // returns its result (QDialog::Accepted or Rejected). A dialog with no
    // answer left is rejected.
    std::deque<std::function<int(QDialog&)>> dialogAnswers;
    std::deque<QString> fileAnswers;  // empty text = Cancel
    std::deque<int> menuAnswers;      // command ID, 0 = dismissed
    QStringList messages;             // texts of the message boxes shown
    int dialogsRun = 0;
    QString lastFileInitialPath;
    QString lastFileFilter;
    QString lastFileCaption;  // of the last save dialog

    int RunDialog(QDialog& dialog) override
    {
        ++dialogsRun;
        if (dialogAnswers.empty())
            return QDialog::Rejected;
        auto answer = std::move(dialogAnswers.front());
        dialogAnswers.pop_front();
        return answer(dialog);
    }
    QString OpenFileName(QWidget*, const QString&, const QString& initialPath, const QString& filter) override
    {
        return NextFile(initialPath, filter);
    }
    QString SaveFileName(QWidget*, const QString&, const QString& initialPath, const QString& filter,
                         const QString& caption) override
    {
        lastFileCaption = caption;
        return NextFile(initialPath, filter);
    }
    void MessageBox(QWidget*, const QString& text) override { messages << text; }
    int PopupMenu(QMenu&, QPoint) override
    {
        if (menuAnswers.empty())
            return 0;
        const int id = menuAnswers.front();
        menuAnswers.pop_front();
        return id;
    }

private:
    QString NextFile(const QString& initialPath, const QString& filter)
    {
        lastFileInitialPath = initialPath;
        lastFileFilter = filter;
        if (fileAnswers.empty())
            return {};
        const QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};
