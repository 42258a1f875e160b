// Qt's own dialogs (file dialogs, message boxes, the edit fields' menu) speak
// Vietnamese like the rest of the program. Qt carries no Vietnamese texts of
// its own, so the program gives the ones those dialogs show.
#pragma once

// Installs the texts in the running application; once is enough.
void InstallVietnameseQtTexts();
