#pragma once
// What the office tests share: the corpus, the engine's settings for tests, the conversion
// steps a caller makes, and a look at the office processes this test program started.

#include "convert/automation/AutomationObject.h"
#include "convert/office/OfficeEngine.h"
#include "support/OfficeChildren.h"

#include <QList>
#include <QString>

#include <functional>

// Settings with a profile root of the test build's own, the given limits, and no spare office,
// so that the one office a test stops or kills is the one its application object uses.
OfficeSettings TestOfficeSettings(const OfficeLimits &limits = OfficeLimits{});

// Copies a corpus document into folder under newName (default: its own name); returns the path.
QString CopyCorpusDocument(const QString &name, const QString &folder, const QString &newName = {});

// Word's SaveAs with the eleven named arguments a conversion passes.
void SaveAsWebPage(const ObjectRef &document, const QString &fileName, int format);

// Create, open, save, quit: one conversion as the program makes it.
void ConvertWithWord(const QString &path, const QString &output, int format);

// The text of a file (UTF-8).
QString ReadText(const QString &path);

// Runs work and returns the AutomationError it throws; fails the test when it throws none.
AutomationError ErrorOf(const std::function<void()> &work);

// The flag that makes the test program print GetObject("Word.Application")'s default member.
inline const char PrintRunningWordFlag[] = "--print-running-word";
// The flag that makes the test program hold a "Word.Application" until it is killed.
inline const char HoldWordFlag[] = "--hold-word";
// The flag that makes the test program convert the document named after it, print the process
// ids of its offices, and end normally.
inline const char ConvertAndReturnFlag[] = "--convert-and-return";
