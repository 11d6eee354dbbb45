// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loads a document into a model of its own, with no frame and no view. The Writer of the
// office without a user interface ends when a view has to show parts it has no layout for
// (comments are one), and a conversion needs no view.

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

// Detects the document's type from its content, creates the matching document model and
// loads url into it with arguments (a media descriptor). Returns an empty reference when the
// content is of no type the office knows. Office exceptions pass through.
css::uno::Reference<css::lang::XComponent>
LoadWithoutView(const css::uno::Reference<css::uno::XComponentContext> &office, const rtl::OUString &url,
                const css::uno::Sequence<css::beans::PropertyValue> &arguments);
