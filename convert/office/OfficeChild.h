#pragma once
// How an office process is started: its output is not shown, it keeps none of our open files,
// and it dies with us.

#include <QString>

class QProcess;

void PrepareOfficeChild(QProcess &process);

// The office binary cannot be started: tells which package to install.
[[noreturn]] void ThrowOfficeNotInstalled(const QString &program);
