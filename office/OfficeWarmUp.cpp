// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeWarmUp.h"

#include "OfficeProcess.h"
#include "UnoProperties.h"
#include "UnoText.h"
#include "UntrustedFolders.h"

#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QDir>
#include <QScopeGuard>

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

struct Kind {
    const char *extension;
    const char *filter; // the office's name for the filter that writes it
};

// The kinds of document that runs bring most.
constexpr Kind Kinds[] = {{"doc", "MS Word 97"}, {"docx", "MS Word 2007 XML"}, {"rtf", "Rich Text Format"}};

void store(const Reference<css::lang::XComponent> &document, const QString &path, const char *filter)
{
    Reference<css::frame::XStorable>(document, UNO_QUERY_THROW)
        ->storeToURL(toFileUrl(path),
                     properties({property("FilterName", css::uno::Any(rtl::OUString::createFromAscii(filter))),
                                 property("Overwrite", css::uno::Any(true))}));
}

void close(const Reference<css::lang::XComponent> &document)
{
    Reference<css::util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
}

// A document of the office's own making, with a line of text.
Reference<css::lang::XComponent> blankDocument(const Reference<css::uno::XComponentContext> &office)
{
    const Reference<css::lang::XComponent> blank(
        office->getServiceManager()->createInstanceWithContext("com.sun.star.text.TextDocument", office),
        UNO_QUERY_THROW);
    Reference<css::frame::XLoadable>(blank, UNO_QUERY_THROW)->initNew();
    Reference<css::text::XTextDocument>(blank, UNO_QUERY_THROW)->getText()->setString("Quorvane");
    return blank;
}

} // namespace

void WarmUp(OfficeProcess &office)
{
    const QString folder = office.workFolder() + QStringLiteral("/warm-up");
    if (!QDir().mkpath(folder))
        return;
    const auto removed = qScopeGuard([&folder] { RemoveTree(folder); });
    const auto pathOf = [&folder](const char *extension) {
        return folder + QStringLiteral("/warm-up.") + QLatin1String(extension);
    };
    office.call(office.limits().call, QStringLiteral("warming up"), [&] {
        try {
            const Reference<css::lang::XComponent> blank = blankDocument(office.context());
            // The office compiles the script at its first run.
            const rtl::OUString numbered("NumberingIsNumber");
            office.preparationScript().find(blank, css::uno::Sequence<rtl::OUString>(&numbered, 1), 0, -1);
            for (const Kind &kind : Kinds)
                store(blank, pathOf(kind.extension), kind.filter);
            close(blank);
            for (const Kind &kind : Kinds) {
                const Reference<css::lang::XComponent> loaded = office.loader().load(
                    toFileUrl(pathOf(kind.extension)), properties({property("ReadOnly", css::uno::Any(true))}));
                if (!loaded.is())
                    continue;
                store(loaded, pathOf("htm"), "HTML (StarWriter)");
                close(loaded);
            }
        } catch (const css::lang::DisposedException &) {
            throw;
        } catch (const css::uno::Exception &) {
            // Refused: the run's first documents pay for what was not done.
        }
    });
}
