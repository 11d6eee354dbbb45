// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewlessLoader.h"

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>

namespace {
css::uno::Any propertyOf(const css::uno::Sequence<css::beans::PropertyValue> &properties, const char *name)
{
    for (const auto &property : properties) {
        if (property.Name.equalsAscii(name))
            return property.Value;
    }
    return {};
}

css::uno::Reference<css::uno::XInterface> create(const css::uno::Reference<css::uno::XComponentContext> &office,
                                                 const rtl::OUString &service)
{
    return office->getServiceManager()->createInstanceWithContext(service, office);
}

// The registered properties of one entry of the office's type or filter configuration.
css::uno::Sequence<css::beans::PropertyValue> entryOf(const css::uno::Reference<css::uno::XInterface> &configuration,
                                                      const rtl::OUString &name)
{
    const css::uno::Reference<css::container::XNameAccess> entries(configuration, css::uno::UNO_QUERY_THROW);
    css::uno::Sequence<css::beans::PropertyValue> properties;
    if (entries->hasByName(name))
        entries->getByName(name) >>= properties;
    return properties;
}
} // namespace

css::uno::Reference<css::lang::XComponent>
LoadWithoutView(const css::uno::Reference<css::uno::XComponentContext> &office, const rtl::OUString &url,
                const css::uno::Sequence<css::beans::PropertyValue> &arguments)
{
    css::uno::Sequence<css::beans::PropertyValue> descriptor(arguments.getLength() + 1);
    auto *property = descriptor.getArray();
    std::copy(arguments.begin(), arguments.end(), property);
    property[arguments.getLength()] = css::beans::PropertyValue("URL", 0, css::uno::Any(url),
                                                                css::beans::PropertyState_DIRECT_VALUE);

    const auto detection = create(office, "com.sun.star.document.TypeDetection");
    const rtl::OUString type = css::uno::Reference<css::document::XTypeDetection>(detection, css::uno::UNO_QUERY_THROW)
                                   ->queryTypeByDescriptor(descriptor, true);
    if (type.isEmpty())
        return {};
    rtl::OUString filter;
    if (!(propertyOf(descriptor, "FilterName") >>= filter) || filter.isEmpty())
        propertyOf(entryOf(detection, type), "PreferredFilter") >>= filter;
    rtl::OUString documentService;
    propertyOf(entryOf(create(office, "com.sun.star.document.FilterFactory"), filter), "DocumentService")
        >>= documentService;
    if (documentService.isEmpty())
        return {};

    // No model when the office lacks the module for that kind of document.
    const css::uno::Reference<css::frame::XLoadable> model(create(office, documentService), css::uno::UNO_QUERY);
    if (!model.is())
        return {};
    if (!propertyOf(descriptor, "FilterName").hasValue()) {
        descriptor.realloc(descriptor.getLength() + 1);
        descriptor.getArray()[descriptor.getLength() - 1] = css::beans::PropertyValue(
            "FilterName", 0, css::uno::Any(filter), css::beans::PropertyState_DIRECT_VALUE);
    }
    try {
        model->load(descriptor);
    } catch (...) {
        // A model that failed to load is of no use; it must not linger in the office.
        try {
            css::uno::Reference<css::lang::XComponent>(model, css::uno::UNO_QUERY_THROW)->dispose();
        } catch (const css::uno::Exception &) {
            // The office may be gone already; the load's own failure is what counts.
        }
        throw;
    }
    return css::uno::Reference<css::lang::XComponent>(model, css::uno::UNO_QUERY_THROW);
}
