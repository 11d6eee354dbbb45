#pragma once
// "Convert to HTML": every listed document, in list order, to a web page beside it, with the
// progress bar and the busy pointer, the warning about a running Word first and "Done." last.

#include "ConvertDocument.h"

#include <functional>

class Dialogs;
class DocumentList;
class QWidget;
class WindowPointer;

class ConversionRun {
public:
    // showProgress receives where the bar stands, 0 to 100.
    ConversionRun(Dialogs &dialogs, QWidget *owner, WindowPointer &pointer, const DocumentList &list,
                  SaveFormatChoice saveFormat, std::function<void(float)> showProgress);

    // The whole command, from the busy pointer to the bar back at 0.
    void run();

private:
    void convertEveryEntry();

    Dialogs &dialogs;
    QWidget *owner;
    WindowPointer &pointer;
    const DocumentList &list;
    SaveFormatChoice saveFormat;
    std::function<void(float)> showProgress;
};
