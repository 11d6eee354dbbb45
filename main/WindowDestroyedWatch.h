// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Another program may destroy the window's X window outright (as `xdotool windowclose` does):
// the window system then sends no close request, only the notice that the window is gone, and
// the program would go on without a window. The watch hears that notice for one widget's own
// window and calls back, so that the program ends as a close ends it.

#include <QAbstractNativeEventFilter>

#include <functional>

class QWidget;

class WindowDestroyedWatch : public QAbstractNativeEventFilter {
public:
    WindowDestroyedWatch(const QWidget &window, std::function<void()> destroyed);
    ~WindowDestroyedWatch() override;
    WindowDestroyedWatch(const WindowDestroyedWatch &) = delete;
    WindowDestroyedWatch &operator=(const WindowDestroyedWatch &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    const QWidget &window_;
    std::function<void()> destroyed_;
};
