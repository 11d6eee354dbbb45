// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What offices take one each of, a profile slot or a processor, is held by a lock file that
// counts only while the process holding it lives, so a program that was killed holds nothing.

#include <QLockFile>
#include <QString>

#include <memory>

// The lock file at path, taken: when it was free or its holder has ended; none while a live
// process, this one included, holds it.
inline std::unique_ptr<QLockFile> TakeFreeLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}
