// The conversion run: every listed document, in list order, to HTML.

#include "convert/ConvertDocument.h"
#include "convert/RunProgress.h"
#include "convert/Word1.h"
#include "convert/automation/AutomationError.h"
#include "main/Form1.h"

#include <QProgressBar>
#include <QToolButton>

namespace {

// The window is painted at once, the bar with its new value and the button sprung back: the
// run holds the user-interface thread while a document converts, so a deferred update would
// only show after the run.
void showProgress(Form1 &form, float value)
{
    form.ProgressBar1->setValue(qRound(value));
    form.repaint();
}

QString failureMessage(const QString &path, const AutomationError &error, int notConverted)
{
    QString message = QStringLiteral("The document \"%1\" could not be converted.\n\nError %2: %3")
                          .arg(path, QString::number(error.number()), error.description());
    if (notConverted == 1)
        message += QStringLiteral("\n\nThe document after it was not converted.");
    else if (notConverted > 1)
        message += QStringLiteral("\n\nThe %1 documents after it were not converted.").arg(notConverted);
    return message;
}

// Converts the entries from position 1 on and says "Done."; a failure ends the run at its
// document and is told instead.
void convertEveryEntry(Form1 &form)
{
    const int bound = form.ListCount();
    for (int position = 1; position <= bound; ++position) {
        form.setMousePointer(vbHourglass);
        showProgress(form, RunProgress(position, form.ListCount()));
        const QString path = form.ListEntry(position);
        try {
            ConvertDocument(form, path);
        } catch (const AutomationError &error) {
            form.platform().dialogs.information(&form, failureMessage(path, error, bound - position));
            return;
        }
    }
    form.platform().dialogs.information(&form, QStringLiteral("Done."));
}

} // namespace

void Form1::Check2_Click()
{
    if (!Check2->isChecked())
        return;
    // Springs the button back; the notification this raises finds it up and does nothing.
    Check2->setChecked(false);
    setMousePointer(vbHourglass);
    if (ListCount() < 1)
        platform().dialogs.information(this, QStringLiteral("No files added."));
    else if (!Word1::WarnIfWordRunning(platform().dialogs, this))
        convertEveryEntry(*this);
    ProgressBar1->setValue(0);
    setMousePointer(vbDefault);
}
