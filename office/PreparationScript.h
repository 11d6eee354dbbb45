// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The part of a document's preparation that the office does itself. From here each paragraph
// read is two calls across the bridge, a third of a millisecond, each mark placed six and each
// paragraph recoloured up to twenty; a script of ours that the office runs
// (PreparationScript.bas, in Basic, the office's own language) reads all the paragraphs in one
// call, handing back only those that are numbered or highlighted, places all the marks in
// another and recolours all the highlighted paragraphs in a third.

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/script/provider/XScript.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <map>
#include <string>
#include <utility>
#include <vector>

// A paragraph found: a cursor at its start, as the office handed it, and the values read, in the
// order named.
struct FoundParagraph {
    css::uno::Any cursor;
    css::uno::Sequence<css::uno::Any> values;
};

// One for each connected office. The first call gives the office the script, in a library of the
// office's own, made or brought up to date. Office exceptions pass through; a refusal throws
// css::uno::RuntimeException.
class PreparationScript {
public:
    explicit PreparationScript(css::uno::Reference<css::uno::XComponentContext> office)
        : office_(std::move(office))
    {
    }

    // Reads names of each paragraph of the document's body and of its tables' cells; returns
    // those of the paragraphs whose value at numberedAt is true or whose value at highlightAt
    // is not -1 (no highlight); -1 reads neither.
    std::vector<FoundParagraph> find(const css::uno::Reference<css::lang::XComponent> &document,
                                     const css::uno::Sequence<rtl::OUString> &names, sal_Int32 numberedAt,
                                     sal_Int32 highlightAt);

    // Places a field of master (a text variable) in the document at each of places, in turn,
    // its content the one of contents at the same index; returns how many were placed, those
    // before the first the office refused.
    sal_Int32 placeFields(const css::uno::Reference<css::lang::XComponent> &document,
                          const css::uno::Reference<css::beans::XPropertySet> &master,
                          const std::vector<css::uno::Reference<css::text::XTextRange>> &places,
                          const std::vector<rtl::OUString> &contents);

    // Gives the text of the paragraph at each of cursors (at its start) its highlight as its
    // background colour.
    void recolour(const std::vector<css::uno::Reference<css::text::XTextRange>> &cursors);

private:
    css::uno::Any run(const char *function, const css::uno::Sequence<css::uno::Any> &arguments);

    css::uno::Reference<css::uno::XComponentContext> office_;
    bool given_ = false;
    std::map<std::string, css::uno::Reference<css::script::provider::XScript>> functions_; // each once asked for
};
