// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreparationScript.h"

#include "PreparationScriptSource.h"

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
const rtl::OUString Module("PreparationScript");

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

// Gives the office the script, made or brought up to date.
void give(const Reference<css::uno::XComponentContext> &office)
{
    const Reference<css::container::XNameContainer> scripts = library(office);
    const Any source(rtl::OUString(PreparationScriptSource, sizeof PreparationScriptSource - 1, RTL_TEXTENCODING_UTF8));
    // A profile's copy may be of another version of the program, or altered by an office.
    if (!scripts->hasByName(Module))
        scripts->insertByName(Module, source);
    else if (scripts->getByName(Module) != source)
        scripts->replaceByName(Module, source);
}

template <typename Element>
Sequence<Element> sequenceOf(const std::vector<Element> &elements)
{
    return Sequence<Element>(elements.data(), sal_Int32(elements.size()));
}
} // namespace

Any PreparationScript::run(const char *function, const Sequence<Any> &arguments)
{
    if (!std::exchange(given_, true))
        give(office_);
    Reference<css::script::provider::XScript> &script = functions_[function];
    if (!script.is())
        script = css::script::provider::theMasterScriptProviderFactory::get(office_)
                     ->createScriptProvider(Any(rtl::OUString()))
                     ->getScript("vnd.sun.star.script:" + Library + "." + Module + "."
                                 + rtl::OUString::createFromAscii(function) + "?language=Basic&location=application");
    Sequence<sal_Int16> changedArguments;
    Sequence<Any> changedValues;
    return script->invoke(arguments, changedArguments, changedValues);
}

std::vector<FoundParagraph> PreparationScript::find(const Reference<css::lang::XComponent> &document,
                                                    const Sequence<rtl::OUString> &names, sal_Int32 numberedAt,
                                                    sal_Int32 highlightAt)
{
    const Any arguments[] = {Any(document), Any(names), Any(numberedAt), Any(highlightAt)};
    Sequence<Any> flat;
    if (!(run("Paragraphs", Sequence<Any>(arguments, std::size(arguments))) >>= flat))
        throw css::uno::RuntimeException("the office did not read the paragraphs");
    // One after another: the cursor, the values.
    const sal_Int32 stride = 1 + names.getLength();
    std::vector<FoundParagraph> found;
    for (sal_Int32 at = 0; at + stride <= flat.getLength(); at += stride)
        found.push_back({flat[at], Sequence<Any>(flat.getConstArray() + at + 1, names.getLength())});
    return found;
}

void PreparationScript::recolour(const std::vector<Reference<css::text::XTextRange>> &cursors)
{
    const Any arguments[] = {Any(sequenceOf(cursors))};
    run("Recolour", Sequence<Any>(arguments, std::size(arguments)));
}

sal_Int32 PreparationScript::placeFields(const Reference<css::lang::XComponent> &document,
                                         const Reference<css::beans::XPropertySet> &master,
                                         const std::vector<Reference<css::text::XTextRange>> &places,
                                         const std::vector<rtl::OUString> &contents)
{
    const Any arguments[] = {Any(document), Any(master), Any(sequenceOf(places)), Any(sequenceOf(contents))};
    sal_Int32 placed = 0;
    run("PlaceFields", Sequence<Any>(arguments, std::size(arguments))) >>= placed;
    return placed;
}
