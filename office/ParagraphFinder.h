// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the paragraphs of a document that its preparation has to visit, inside the office. From
// here each paragraph read is two calls across the bridge, a third of a millisecond; a script of
// ours that the office runs (ParagraphFinder.bas, in Basic, the office's own language) reads them
// all in one call and hands back only the paragraphs that are numbered or highlighted.

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/script/provider/XScript.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <utility>
#include <vector>

// A paragraph found: its text, a cursor over it (at its start, or selecting it all when its
// highlighting was read), as the office handed them, and the values read, in the order named.
struct FoundParagraph {
    css::uno::Any text;
    css::uno::Any cursor;
    css::uno::Sequence<css::uno::Any> values;
};

// One for each connected office.
class ParagraphFinder {
public:
    explicit ParagraphFinder(css::uno::Reference<css::uno::XComponentContext> office)
        : office_(std::move(office))
    {
    }

    // Reads names of each paragraph of the document's body and of its tables' cells; returns
    // those of the paragraphs whose value at numberedAt is true or whose value at highlightAt
    // is not -1 (no highlight); -1 reads neither. The first find gives the office the script, in
    // a library of the office's own, made or brought up to date. Office exceptions pass through;
    // a refusal throws css::uno::RuntimeException.
    std::vector<FoundParagraph> find(const css::uno::Reference<css::lang::XComponent> &document,
                                     const css::uno::Sequence<rtl::OUString> &names, sal_Int32 numberedAt,
                                     sal_Int32 highlightAt);

private:
    css::uno::Reference<css::uno::XComponentContext> office_;
    css::uno::Reference<css::script::provider::XScript> script_; // once given
};
