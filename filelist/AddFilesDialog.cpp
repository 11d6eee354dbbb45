// "Add Word File(s)": the chosen files go to the end of the list.
#include "main/Form1.h"

#include <QToolButton>

void Form1::Check1_Click()
{
    // Resetting the button raises this handler once more; that run finds it released.
    if (!Check1->isChecked())
        return;
    Check1->setChecked(false);

    CommonDialog1.FileName = QString();
    CommonDialog1.Flags = 2621953; // read-only box, multiple selection, explorer style, long names
    CommonDialog1.DialogTitle = QStringLiteral("Add File(s) - Hold Ctrl to select multiple files");
    CommonDialog1.Filter = QStringLiteral("Word Documents (*.do*)|*.do*|All Files (*.*)|*.*");
    if (!CommonDialog1.ShowOpen(this, platform().dialogs)) {
        platform().dialogs.information(this, QStringLiteral("The file dialog could not be shown. No files were added."));
        return;
    }
    if (CommonDialog1.FileName.isEmpty())
        return;

    const QStringList parts = CommonDialog1.FileName.split(QChar(0));
    if (parts.size() == 1) {
        AddDocumentPath(CommonDialog1.FileName);
        return;
    }
    for (qsizetype i = 1; i < parts.size(); ++i)
        AddDocumentPath(QString(parts[0] + QLatin1Char('/') + parts[i]).replace(QStringLiteral("//"), QStringLiteral("/")));
}
