// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowDestroyedWatch.h"

#include <QCoreApplication>
#include <QWidget>

#include <xcb/xcb.h>

WindowDestroyedWatch::WindowDestroyedWatch(const QWidget &window, std::function<void()> destroyed)
    : window_(window)
    , destroyed_(std::move(destroyed))
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowDestroyedWatch::~WindowDestroyedWatch()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool WindowDestroyedWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    // Only the X window system destroys a program's window from outside; elsewhere a window ends
    // through a close request.
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY)
        return false;
    // A window that Qt itself destroys and makes anew (when its kind changes) has a new id by
    // the time the notice comes, so only the window the widget shows now counts.
    const WId id = window_.internalWinId();
    if (id != 0 && reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window == id)
        destroyed_();
    return false;
}
