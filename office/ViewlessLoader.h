// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loads a document into a model of its own, with no frame and no view. The Writer of the
// office without a user interface ends when a view has to show parts it has no layout for
// (comments are one), and a conversion needs no view.

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <map>

// One for each connected office. Every call crosses into the office, so its type detection and
// filter configuration are asked for once, and what a type's filter and a filter's document
// model are once each: the office's configuration does not change while it runs.
class ViewlessLoader {
public:
    // Asks the office for its type detection and filter configuration; office exceptions pass
    // through.
    explicit ViewlessLoader(css::uno::Reference<css::uno::XComponentContext> office);

    // Detects the document's type from its content, creates the matching document model and
    // loads url into it with arguments (a media descriptor). Returns an empty reference when the
    // content is of no type the office knows. Office exceptions pass through.
    css::uno::Reference<css::lang::XComponent> load(const rtl::OUString &url,
                                                    const css::uno::Sequence<css::beans::PropertyValue> &arguments);

private:
    rtl::OUString preferredFilter(const rtl::OUString &type);
    rtl::OUString documentService(const rtl::OUString &filter);

    css::uno::Reference<css::uno::XComponentContext> office_;
    css::uno::Reference<css::document::XTypeDetection> detection_;
    css::uno::Reference<css::container::XNameAccess> types_;   // the detection's, by type name
    css::uno::Reference<css::container::XNameAccess> filters_; // the filter factory's, by filter name
    std::map<rtl::OUString, rtl::OUString> preferredFilters_;  // by type
    std::map<rtl::OUString, rtl::OUString> documentServices_;  // by filter
};
