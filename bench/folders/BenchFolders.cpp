// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Times the folder import on a tree of 10,000 folders and 100,000 files: the walk, the file
// listing and the appending separately, then the whole command through the window, against
// `find DIR -iname '*.doc'` on the same tree. Also reports the longest stretch without event
// processing, which is how long the window would not answer.
//
// bench_folder_import [folders [files-per-folder]]

#include "AddFolder.h"
#include "FakeList.h"
#include "FakePlatform.h"
#include "FileList.h"
#include "FolderImport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Breadth first, ten sub-folders per folder, until the folder count is reached. Each folder holds
// files "Report N.doc", one "~$Report.doc" and one "notes.txt".
QStringList buildTree(const QString &root, int folderCount, int filesPerFolder)
{
    QStringList folders{root + QLatin1Char('/')};
    for (int parent = 0; folders.size() < folderCount; ++parent)
        for (int child = 0; child < 10 && folders.size() < folderCount; ++child)
            folders << folders[parent] + QStringLiteral("Folder %1/").arg(child);
    for (const QString &folder : folders) {
        mkdir(QFile::encodeName(folder).constData(), 0755);
        for (int file = 0; file < filesPerFolder; ++file) {
            const QString name = file == filesPerFolder - 1   ? QStringLiteral("notes.txt")
                                 : file == filesPerFolder - 2 ? QStringLiteral("~$Report.doc")
                                                              : QStringLiteral("Report %1.doc").arg(file);
            close(open(QFile::encodeName(folder + name).constData(), O_CREAT | O_WRONLY, 0644));
        }
    }
    return folders;
}

// Measures one run of work: its time, and the longest gap between two rounds of event processing.
struct Measure {
    double ms = 0;
    double longestGapMs = 0;
    int eventRounds = 0;
};

Measure measure(const std::function<void()> &work)
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    int rounds = 0;
    QTimer tick; // a zero timer fires once per round of event processing
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.nsecsElapsed() - last);
        last = clock.nsecsElapsed();
        ++rounds;
    });
    tick.start();
    clock.start();
    work();
    const qint64 total = clock.nsecsElapsed();
    longest = std::max(longest, total - last);
    return {total / 1e6, longest / 1e6, rounds};
}

double timeFind(const QString &root, int &found)
{
    QProcess find;
    QElapsedTimer clock;
    clock.start();
    find.start(QStringLiteral("find"), {root, QStringLiteral("-iname"), QStringLiteral("*.doc")});
    find.waitForFinished(-1);
    const double ms = clock.nsecsElapsed() / 1e6;
    found = int(find.readAllStandardOutput().count('\n'));
    return ms;
}

void print(const char *what, const Measure &m)
{
    std::printf("%-44s %9.1f ms   longest without events %6.1f ms   event rounds %d\n", what, m.ms, m.longestGapMs,
                m.eventRounds);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int folderCount = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int filesPerFolder = argc > 2 ? std::atoi(argv[2]) : 10;

    QTemporaryDir temp;
    QElapsedTimer clock;
    clock.start();
    buildTree(temp.path(), folderCount, filesPerFolder);
    std::printf("tree: %d folders, %d files, built in %.0f ms\n", folderCount, folderCount * filesPerFolder,
                clock.nsecsElapsed() / 1e6);

    int foundByFind = 0;
    timeFind(temp.path(), foundByFind); // warms the cache like the walk below
    const double findMs = timeFind(temp.path(), foundByFind);

    QStringList folders{temp.path() + QLatin1Char('/')};
    QStringList unread;
    AddFolder::FilesByFolder files;
    const Measure walk = measure([&] { AddFolder::CollectSubFolders(folders, true, unread, &files); });
    QStringList documents;
    const Measure matching = measure([&] { documents = AddFolder::ImportableDocuments(folders, "doc", files); });

    // The file list on a list view the size of the window's.
    FakePointer pointer;
    QTreeWidget view;
    view.resize(472, 153);
    FileList list(view, pointer, QCoreApplication::applicationDirPath());
    view.show();
    QApplication::processEvents();
    const Measure append = measure([&] { list.appendAll(documents); });
    const Measure repaint = measure([&] { view.repaint(); });

    QTreeWidget view2;
    view2.resize(472, 153);
    FileList list2(view2, pointer, QCoreApplication::applicationDirPath());
    view2.show();
    QApplication::processEvents();
    FakeDialogs dialogs;
    dialogs.inputAnswers = {"doc"};
    dialogs.folderAnswers = {temp.path()};
    FolderImport folderImport(dialogs, &view2, pointer, list2);
    const Measure command = measure([&] { folderImport.run(); });

    std::printf("folders walked %lld, documents %lld, not read %lld\n", qlonglong(folders.size()),
                qlonglong(documents.size()), qlonglong(unread.size()));
    print("walk (CollectSubFolders, each folder read once)", walk);
    print("matching the walk's names (all folders)", matching);
    print("append (AddDocumentPath, painting suspended)", append);
    print("first repaint of the list", repaint);
    print("whole command", command);
    std::printf("%-44s %9.1f ms   (%d names)\n", "find DIR -iname '*.doc'", findMs, foundByFind);
    std::printf("ratio walk+matching / find: %.2f   whole command / find: %.2f   list entries after command: %d\n",
                (walk.ms + matching.ms) / findMs, command.ms / findMs, list2.count());
    return 0;
}
