#pragma once
#include <QString>
// The main window's caption and the title of every message box and input box.
inline const QString ApplicationTitle = QStringLiteral("Quorvane");
