#pragma once
// How an office process is started: its output is not shown, it keeps none of our open files,
// and it dies with us.

#include <QString>
#include <QStringList>

class QProcess;

// The exit code of an office that asks to be started again (a first start on a new profile).
constexpr int OfficeRestartRequested = 81;

void PrepareOfficeChild(QProcess &process);

// Headless, invisible, no restore of earlier documents, no logo, no start document.
QStringList HeadlessOfficeArguments();
