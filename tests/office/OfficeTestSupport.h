#pragma once
// What the office tests share: the corpus, the engine's settings for tests, the conversion
// steps a caller makes, and the office processes this test program started.

#include "convert/automation/AutomationObject.h"
#include "convert/office/OfficeEngine.h"
#include "support/OfficeChildren.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

constexpr int Normal = 8;
constexpr int Filtered = 10;

// Settings with the test build's own profile root, the given limits, and no spare office, so
// that the one office a test stops or kills is the one its application object uses.
OfficeSettings TestOfficeSettings(const OfficeLimits &limits = OfficeLimits{});

// Copies a corpus document into folder under newName (default: its own name); returns the path.
QString CopyCorpusDocument(const QString &name, const QString &folder, const QString &newName = {});

// The .htm beside a document.
QString PageBeside(const QString &document);

ObjectRef OpenDocument(const ObjectRef &word, const QString &path);

// Word's SaveAs with the eleven named arguments a conversion passes.
void SaveAsWebPage(const ObjectRef &document, const QString &fileName, int format);

// Create, open, save, quit: one conversion as the program makes it.
void ConvertWithWord(const QString &path, const QString &output, int format);

QString ReadText(const QString &path);

// Runs work and returns the AutomationError it throws; fails the test when it throws none.
AutomationError ErrorOf(const std::function<void()> &work);

// Waits, without an event loop, until pid no longer runs (or is a zombie); false after 15 s.
bool EndsSoon(qint64 pid);

// A folder of the test's own; after the test no office of ours may be left.
class OfficeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    void TearDown() override
    {
        EndIdleOfficeProcesses(); // those kept warm would end after a few idle seconds
        EXPECT_EQ(OfficeChildren(), QList<qint64>()) << "an office process outlived the test";
    }
    QTemporaryDir folder;
};

// Roles of the test program that stand in for another program (see OfficeTestMain.cpp).
inline const char PrintRunningWordFlag[] = "--print-running-word";
inline const char HoldWordFlag[] = "--hold-word";
inline const char ConvertAndReturnFlag[] = "--convert-and-return";
