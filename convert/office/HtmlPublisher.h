#pragma once
// Puts an HTML page and the pictures written beside it in place only once all are complete:
// they are written into a staging folder beside the target, then moved into place by rename,
// pictures first, the page last. A failure leaves no half-written page and keeps an earlier one.

#include <QString>

#include <functional>

// write receives the path the page is to be written to (in the staging folder, same file
// name as target, so the page's relative picture names resolve after the move).
// Throws AutomationError SaveFailed, or what write throws.
void PublishHtml(const QString &target, const std::function<void(const QString &page)> &write);
