// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParagraphFinder.h"

#include "ParagraphFinderSource.h"

#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/script/provider/theMasterScriptProviderFactory.hpp>

#include <iterator>

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace {
const rtl::OUString Library("Quorvane");
const rtl::OUString Module("ParagraphFinder");
const rtl::OUString
    Script("vnd.sun.star.script:Quorvane.ParagraphFinder.Paragraphs?language=Basic&location=application");

// The library of the office's application that holds the script, made when missing; the office
// keeps it in its profile.
Reference<css::container::XNameContainer> library(const Reference<css::uno::XComponentContext> &office)
{
    const Reference<css::script::XLibraryContainer> libraries(
        office->getServiceManager()->createInstanceWithContext("com.sun.star.script.ApplicationScriptLibraryContainer",
                                                               office),
        UNO_QUERY_THROW);
    if (!libraries->hasByName(Library))
        libraries->createLibrary(Library);
    libraries->loadLibrary(Library);
    return Reference<css::container::XNameContainer>(libraries->getByName(Library), UNO_QUERY_THROW);
}

// Gives the office the script, made or brought up to date, and returns it.
Reference<css::script::provider::XScript> given(const Reference<css::uno::XComponentContext> &office)
{
    const Reference<css::container::XNameContainer> scripts = library(office);
    const Any source(rtl::OUString(ParagraphFinderSource, sizeof ParagraphFinderSource - 1, RTL_TEXTENCODING_UTF8));
    // A profile's copy may be of another version of the program, or altered by an office.
    if (!scripts->hasByName(Module))
        scripts->insertByName(Module, source);
    else if (scripts->getByName(Module) != source)
        scripts->replaceByName(Module, source);
    return css::script::provider::theMasterScriptProviderFactory::get(office)
        ->createScriptProvider(Any(rtl::OUString()))
        ->getScript(Script);
}
} // namespace

std::vector<FoundParagraph> ParagraphFinder::find(const Reference<css::lang::XComponent> &document,
                                                  const Sequence<rtl::OUString> &names, sal_Int32 numberedAt,
                                                  sal_Int32 highlightAt)
{
    if (!script_.is())
        script_ = given(office_);
    Sequence<sal_Int16> changedArguments;
    Sequence<Any> changedValues;
    const Any arguments[] = {Any(document), Any(names), Any(numberedAt), Any(highlightAt)};
    const Any result = script_->invoke(Sequence<Any>(arguments, std::size(arguments)), changedArguments, changedValues);
    Sequence<Any> flat;
    if (!(result >>= flat))
        throw css::uno::RuntimeException("the office did not read the paragraphs");
    // One after another: the text, the cursor, the values.
    const sal_Int32 stride = 2 + names.getLength();
    std::vector<FoundParagraph> found;
    for (sal_Int32 at = 0; at + stride <= flat.getLength(); at += stride)
        found.push_back({flat[at], flat[at + 1], Sequence<Any>(flat.getConstArray() + at + 2, names.getLength())});
    return found;
}
