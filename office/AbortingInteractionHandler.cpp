// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AbortingInteractionHandler.h"

#include <com/sun/star/document/BrokenPackageRequest.hpp>
#include <com/sun/star/task/PasswordRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>

void AbortingInteractionHandler::handle(const css::uno::Reference<css::task::XInteractionRequest> &request)
{
    // The office's requests derive from these: DocumentMSPasswordRequest2 and the like from
    // PasswordRequest, the repair offer of a damaged package is BrokenPackageRequest.
    const css::uno::Type asked = request->getRequest().getValueType();
    if (cppu::UnoType<css::task::PasswordRequest>::get().isAssignableFrom(asked))
        askedForPassword_ = true;
    if (cppu::UnoType<css::document::BrokenPackageRequest>::get().isAssignableFrom(asked))
        reportedDamage_ = true;
    const auto continuations = request->getContinuations();
    for (const auto &continuation : continuations) {
        if (const css::uno::Reference<css::task::XInteractionAbort> abort{continuation, css::uno::UNO_QUERY};
            abort.is()) {
            abort->select();
            return;
        }
    }
}
