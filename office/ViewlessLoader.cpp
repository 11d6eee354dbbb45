// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewlessLoader.h"

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

// A property of one entry of the office's type or filter configuration; empty when there is
// no such entry or property.
rtl::OUString entryProperty(const css::uno::Reference<css::container::XNameAccess> &entries, const rtl::OUString &name,
                            const char *property)
{
    css::uno::Sequence<css::beans::PropertyValue> properties;
    if (!name.isEmpty() && entries->hasByName(name))
        entries->getByName(name) >>= properties;
    rtl::OUString value;
    propertyOf(properties, property) >>= value;
    return value;
}

// The value cached under key, asked for once.
template <typename Ask>
rtl::OUString once(std::map<rtl::OUString, rtl::OUString> &cache, const rtl::OUString &key, const Ask &ask)
{
    const auto known = cache.find(key);
    return known != cache.end() ? known->second : cache.emplace(key, ask()).first->second;
}
} // namespace

ViewlessLoader::ViewlessLoader(css::uno::Reference<css::uno::XComponentContext> office)
    : office_(std::move(office))
    , detection_(create(office_, "com.sun.star.document.TypeDetection"), css::uno::UNO_QUERY_THROW)
    , types_(detection_, css::uno::UNO_QUERY_THROW)
    , filters_(create(office_, "com.sun.star.document.FilterFactory"), css::uno::UNO_QUERY_THROW)
{
}

rtl::OUString ViewlessLoader::preferredFilter(const rtl::OUString &type)
{
    return once(preferredFilters_, type, [&] { return entryProperty(types_, type, "PreferredFilter"); });
}

rtl::OUString ViewlessLoader::documentService(const rtl::OUString &filter)
{
    return once(documentServices_, filter, [&] { return entryProperty(filters_, filter, "DocumentService"); });
}

css::uno::Reference<css::lang::XComponent>
ViewlessLoader::load(const rtl::OUString &url, const css::uno::Sequence<css::beans::PropertyValue> &arguments)
{
    css::uno::Sequence<css::beans::PropertyValue> descriptor(arguments.getLength() + 1);
    auto *property = descriptor.getArray();
    std::copy(arguments.begin(), arguments.end(), property);
    property[arguments.getLength()] = css::beans::PropertyValue("URL", 0, css::uno::Any(url),
                                                                css::beans::PropertyState_DIRECT_VALUE);

    const rtl::OUString type = detection_->queryTypeByDescriptor(descriptor, true);
    if (type.isEmpty())
        return {};
    rtl::OUString filter;
    if (!(propertyOf(descriptor, "FilterName") >>= filter) || filter.isEmpty())
        filter = preferredFilter(type);
    const rtl::OUString service = documentService(filter);
    if (service.isEmpty())
        return {};

    // No model when the office lacks the module for that kind of document.
    const css::uno::Reference<css::frame::XLoadable> model(create(office_, service), css::uno::UNO_QUERY);
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
