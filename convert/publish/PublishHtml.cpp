#include "PublishHtml.h"

#include <QFileInfo>

namespace {
thread_local DeferredPublication *deferredHere = nullptr;
} // namespace

void PublishHtml(const QString &target, const std::function<void(const QString &page)> &write)
{
    StagedPage staged(target);
    write(staged.pagePath());
    if (!QFileInfo(staged.pagePath()).isFile())
        throw PageNotSaved(staged.target(), QStringLiteral("no page was written"));
    if (deferredHere)
        deferredHere->pages.push_back(std::move(staged));
    else
        staged.commit();
}

DeferredPublication::DeferredPublication()
    : outer(std::exchange(deferredHere, this))
{
}

DeferredPublication::~DeferredPublication()
{
    deferredHere = outer;
}

std::vector<StagedPage> DeferredPublication::take()
{
    return std::exchange(pages, {});
}
