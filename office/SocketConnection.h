// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The connection to an office through the socket its pipe listens on, found by its path: the
// socket of a confined office lies in the folder it sees as /tmp, which is not ours.

#include <com/sun/star/connection/XConnection.hpp>

#include <QString>

// Connects to the socket name in the open folder; an empty reference while nothing listens there
// yet. Reached through the folder, so that the length of the folder's path never matters.
css::uno::Reference<css::connection::XConnection> ConnectToSocket(int folder, const QString &name);
