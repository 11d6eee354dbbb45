#include "ConversionRun.h"

#include "AutomationError.h"
#include "DocumentList.h"
#include "MousePointer.h"
#include "Platform.h"
#include "RunProgress.h"
#include "Word1.h"

namespace {

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

} // namespace

ConversionRun::ConversionRun(Dialogs &dialogs, QWidget *owner, WindowPointer &pointer, const DocumentList &list,
                             SaveFormatChoice saveFormat, std::function<void(float)> showProgress)
    : dialogs(dialogs)
    , owner(owner)
    , pointer(pointer)
    , list(list)
    , saveFormat(std::move(saveFormat))
    , showProgress(std::move(showProgress))
{
}

void ConversionRun::run()
{
    pointer.setMousePointer(BusyPointer);
    if (list.count() < 1)
        dialogs.information(owner, QStringLiteral("No files added."));
    else if (!Word1::WarnIfWordRunning(dialogs, owner))
        convertEveryEntry();
    showProgress(0);
    pointer.setMousePointer(DefaultPointer);
}

// Converts the entries from position 1 on and says "Done."; a failure ends the run at its
// document and is told instead.
void ConversionRun::convertEveryEntry()
{
    const int bound = list.count();
    for (int position = 1; position <= bound; ++position) {
        pointer.setMousePointer(BusyPointer);
        showProgress(RunProgress(position, list.count()));
        const QString path = list.entry(position);
        try {
            ConvertDocument(path, saveFormat);
        } catch (const AutomationError &error) {
            dialogs.information(owner, failureMessage(path, error, bound - position));
            return;
        }
    }
    dialogs.information(owner, QStringLiteral("Done."));
}
