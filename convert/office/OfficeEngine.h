#pragma once
// The office engine behind the class "Word.Application": each application object drives a
// LibreOffice process of its own through UNO.

#include <QString>

#include <chrono>

// How long the engine waits for the office. The office cannot cancel a load or a store once
// begun, so a call that overruns its limit ends the office process and fails.
struct OfficeLimits {
    // Starting the office and connecting to it (about 1 s; a first start on a new profile
    // restarts once).
    std::chrono::milliseconds start{30'000};
    // One load, store or close. A 96-page document loads in 0.5 s and stores in 0.6 s, so a
    // 300-page one needs a few seconds: this leaves room for a machine many times slower.
    std::chrono::milliseconds call{120'000};
    // How long Quit lets the office end by itself before the process is killed.
    std::chrono::milliseconds quitGrace{3'000};
};

struct OfficeSettings {
    QString program;        // the office binary itself (soffice.bin), not its wrapper script
    QString profileRoot;    // private office profiles, never the user's own
    OfficeLimits limits;
};

// /usr/lib/libreoffice/program/soffice.bin, profiles under the user's cache folder
// (~/.cache/quorvane/office-profile), the limits above.
OfficeSettings DefaultOfficeSettings();

// Registers the class "Word.Application"; registering again replaces the settings.
void RegisterOfficeEngine();
void RegisterOfficeEngine(const OfficeSettings &settings);
