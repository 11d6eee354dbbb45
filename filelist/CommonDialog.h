#pragma once
// The file-open dialog of the main window, taking the settings of the platform's common dialog
// (file name, flags, title, "a|b|c|d" filter) and returning the file name in the same form:
// one full path, or the folder followed by NUL and each chosen name.

#include <QString>

class Dialogs;
class QWidget;

class CommonDialog {
public:
    QString FileName;
    long Flags = 0;
    QString DialogTitle;
    QString Filter;
    int MaxFileSize = 30000;

    // Shows the dialog modally; FileName is empty afterwards when nothing was chosen.
    void ShowOpen(QWidget *owner, Dialogs &dialogs);
};
