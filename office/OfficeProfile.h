// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private office user profile for one office process at a time. Profiles live in numbered
// slots under the profile root; a slot is locked while a process of ours uses it (two offices
// on one profile would hand their work to each other), prepared on first use and reused after,
// and made anew when its settings are found damaged.

#include "OfficeSettings.h"

#include <QLockFile>
#include <QString>

#include <memory>

class OfficeProfile {
public:
    // Takes the first free slot and prepares it; throws AutomationError.
    explicit OfficeProfile(const OfficeSettings &settings);

    QString path() const { return path_; }
    // The -env:UserInstallation value that points the office at this profile.
    QString installationArgument() const;
    // Removes the office's own lock left by a process that was killed; the slot lock makes
    // this profile ours alone, so that lock cannot belong to a live office.
    void clearStaleOfficeLock() const;

private:
    void chooseSlot(const QString &root);
    void prepare(const OfficeSettings &settings) const;
    void firstStart(const OfficeSettings &settings) const;

    QString path_;
    std::unique_ptr<QLockFile> slotLock_;
};
