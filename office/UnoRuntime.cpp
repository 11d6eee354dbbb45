// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnoRuntime.h"

#include "OfficeErrors.h"

#include <cppuhelper/bootstrap.hxx>

#include <QFile>

#include <cstdlib>
#include <mutex>

namespace {
const char FundamentalRc[] = QUORVANE_LIBREOFFICE_PROGRAM_DIR "/fundamentalrc";

css::uno::Reference<css::uno::XComponentContext> bootstrap()
{
    // Without it the bootstrap cannot find the office's type and service registries.
    if (!std::getenv("URE_BOOTSTRAP"))
        ::setenv("URE_BOOTSTRAP", (std::string("vnd.sun.star.pathname:") + FundamentalRc).c_str(), 0);
    if (!QFile::exists(QString::fromLatin1(FundamentalRc)))
        return {};
    try {
        return cppu::defaultBootstrap_InitialComponentContext();
    } catch (const css::uno::Exception &) {
        return {};
    }
}
} // namespace

css::uno::Reference<css::uno::XComponentContext> LocalUnoContext()
{
    // Never destroyed: tearing the UNO runtime down during static destruction races its own
    // threads, and the process is ending anyway.
    static std::once_flag once;
    static css::uno::Reference<css::uno::XComponentContext> *context = nullptr;
    std::call_once(once, [] { context = new css::uno::Reference<css::uno::XComponentContext>(bootstrap()); });
    if (!context->is())
        throw OfficeErrors::runtimeMissing();
    return *context;
}
