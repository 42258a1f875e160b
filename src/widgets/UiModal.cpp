#include "widgets/UiModal.h"

#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QRegularExpression>

namespace {

QString Run(const std::unique_ptr<QFileDialog>& dialog)
{
    if (const QScreen* screen = dialog->screen())
        FitFileDialogTo(*dialog, screen->availableGeometry().size());
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}

class InteractiveSeam : public ModalSeam {
public:
    int RunDialog(QDialog& dialog) override { return dialog.exec(); }

    QString OpenFileName(QWidget* parent, const QString& defaultExtension, const QString& initialPath,
                         const QString& filter) override
    {
        return Run(MakeFileDialog(parent, false, defaultExtension, initialPath, filter));
    }

    QString SaveFileName(QWidget* parent, const QString& defaultExtension, const QString& initialPath,
                         const QString& filter, const QString& caption) override
    {
        return Run(MakeFileDialog(parent, true, defaultExtension, initialPath, filter, caption));
    }

    void MessageBox(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, QStringLiteral("Korvane"), text);
    }

    int PopupMenu(QMenu& menu, QPoint globalPosition) override
    {
        const QAction* chosen = menu.exec(globalPosition);
        return chosen ? chosen->data().toInt() : 0;
    }
};

ModalSeam* g_seam = nullptr;

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, bool save, const QString& defaultExtension,
                                            const QString& initialPath, const QString& filter, const QString& caption)
{
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), initialPath, filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    QString suffix = defaultExtension;
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    dialog->setDefaultSuffix(suffix);
    if (save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        // A name typed without an extension gets that of the chosen filter.
        QFileDialog* d = dialog.get();
        QObject::connect(d, &QFileDialog::filterSelected, d, [d](const QString& chosen) {
            static const QRegularExpression firstExtension(QStringLiteral("\\*\\.(\\w+)"));
            const QRegularExpressionMatch match = firstExtension.match(chosen);
            if (match.hasMatch())
                d->setDefaultSuffix(match.captured(1));
        });
        dialog->setWindowTitle(caption.isEmpty() ? QStringLiteral("Lưu tệp") : caption);
    } else {
        dialog->setFileMode(QFileDialog::ExistingFile);
        dialog->setWindowTitle(QStringLiteral("Mở tệp"));
    }
    return dialog;
}

void FitFileDialogTo(QFileDialog& dialog, QSize available)
{
    if (dialog.minimumSizeHint().width() > available.width()) {
        for (const char* name : {"sidebar", "newFolderButton", "listModeButton", "detailModeButton"}) {
            if (auto* part = dialog.findChild<QWidget*>(QLatin1StringView(name)))
                part->hide();
        }
    }
    dialog.setMinimumSize(dialog.minimumSizeHint().boundedTo(available));
    dialog.resize(dialog.sizeHint().boundedTo(available));
}

ModalSeam& Modal()
{
    static InteractiveSeam interactive;
    return g_seam ? *g_seam : interactive;
}

void SetModal(ModalSeam* seam) { g_seam = seam; }
