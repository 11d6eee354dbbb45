// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the office engine's tests share: the engine with test settings in a fixture whose test
// leaves no office behind, a conversion as the program makes it, and readers of the pages.

#include "ErrorOf.h"
#include "ObjectRegistry.h"
#include "OfficeChildren.h"
#include "OfficeEngine.h"
#include "TestDocuments.h"
#include "WordSaveAs.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

using namespace std::chrono_literals;
inline constexpr int Normal = WordSaveFormat::Html;
inline constexpr int Filtered = WordSaveFormat::FilteredHtml;
inline const QString Word = QStringLiteral("Word.Application");

inline OfficeSettings TestOfficeSettings()
{
    OfficeSettings settings = DefaultOfficeSettings();
    settings.profileRoot = QStringLiteral(QUORVANE_TEST_PROFILE_ROOT);
    return settings;
}

// Waits, without an event loop, until holds() is true; false after 30 s.
inline bool Soon(const std::function<bool()> &holds)
{
    for (int wait = 0; wait < 300 && !holds(); ++wait)
        std::this_thread::sleep_for(100ms);
    return holds();
}

inline QString ReadText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// True once pid no longer runs (or is a zombie).
inline bool Ended(qint64 pid)
{
    const QString state = ReadText(QStringLiteral("/proc/%1/stat").arg(pid));
    return state.isEmpty() || state.contains(QStringLiteral(") Z "));
}

inline ObjectRef OpenDocument(const ObjectRef &word, const QString &path)
{
    return word->Invoke(QStringLiteral("Documents")).toObject()->Invoke(QStringLiteral("Open"), {path}).toObject();
}

inline void SaveAsWebPage(const ObjectRef &document, const QString &fileName, int format)
{
    document->Invoke(QStringLiteral("SaveAs"), {}, SaveAsArguments(fileName, format));
}

// Create, open, save beside, quit: one conversion as the program makes it, which leaves a page.
inline void ConvertWithWord(const QString &path, int format = Normal)
{
    const ObjectRef word = CreateInstance(Word);
    SaveAsWebPage(OpenDocument(word, path), PageBeside(path), format);
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_GT(QFileInfo(PageBeside(path)).size(), 0) << qPrintable(path);
}

// The page's text as a reader sees it: tags dropped, blanks collapsed.
inline QString visibleText(const QString &html)
{
    return QString(html).remove(QRegularExpression(QStringLiteral("<[^>]*>"))).replace("&nbsp;", " ").simplified();
}

inline QStringList pictureSources(const QString &html)
{
    QStringList sources;
    const QRegularExpression image(QStringLiteral("<img[^>]*\\ssrc=\"([^\"]+)\""),
                                   QRegularExpression::CaseInsensitiveOption);
    for (auto match = image.globalMatch(html); match.hasNext();)
        sources.append(match.next().captured(1));
    return sources;
}

inline QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A folder of the test's own and the engine with test settings; after the test no office of
// ours may be left.
class OfficeEngine : public ::testing::Test {
protected:
    void SetUp() override { RegisterOfficeEngine(TestOfficeSettings()); }
    void TearDown() override
    {
        EndIdleOfficeProcesses();
        EXPECT_EQ(OfficeChildren(), QList<qint64>()) << "an office process outlived the test";
    }
    // Registers the engine with the test settings as change leaves them.
    static void use(const std::function<void(OfficeSettings &)> &change)
    {
        OfficeSettings settings = TestOfficeSettings();
        change(settings);
        RegisterOfficeEngine(settings);
    }
    // A copy of a test document in a folder of its own (numbered by copy); returns its path.
    QString document(const char *name, int copy = 0)
    {
        return CopyTestDocument(QString::fromUtf8(name), folder.filePath(QString::number(copy)));
    }
    QTemporaryDir folder;
};
