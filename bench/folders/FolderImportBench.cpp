// Times the folder import on a tree of 10,000 folders and 100,000 files: the walk, the file
// listing and the appending separately, then the whole command through the window, against
// `find DIR -iname '*.doc'` on the same tree. Also reports the longest stretch without event
// processing, which is how long the window would not answer.
//
// bench_folder_import [folders [files-per-folder]]

#include "folders/AddFolder.h"
#include "folders/FolderImport.h"
#include "main/Form1.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
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
            const QString name = file == filesPerFolder - 1 ? QStringLiteral("notes.txt")
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
    AddFolder::UnreadFolders unread;
    const Measure walk = measure([&] { AddFolder::CollectSubFolders(folders, true, unread); });
    QStringList documents;
    const Measure listing = measure([&] { documents = AddFolder::ImportableDocuments(folders, "doc", unread); });

    FakePlatform platform;
    Form1 form(platform.bundle());
    form.show();
    QApplication::processEvents();
    const Measure append = measure([&] { AddFolder::AppendDocuments(form, documents); });
    const Measure repaint = measure([&] { form.ListView1->repaint(); });

    FakePlatform platform2;
    Form1 form2(platform2.bundle());
    form2.show();
    QApplication::processEvents();
    platform2.dialogs.inputAnswers = {"doc"};
    platform2.dialogs.folderAnswers = {temp.path()};
    const Measure command = measure([&] { form2.Check4->click(); });

    std::printf("folders walked %lld, documents %lld, not read %d\n", qlonglong(folders.size()),
                qlonglong(documents.size()), unread.count());
    print("walk (CollectSubFolders)", walk);
    print("file listing (ListMatchingFiles, all folders)", listing);
    print("append (AddDocumentPath, painting suspended)", append);
    print("first repaint of the list", repaint);
    print("whole command (Check4_Click)", command);
    std::printf("%-44s %9.1f ms   (%d names)\n", "find DIR -iname '*.doc'", findMs, foundByFind);
    std::printf("ratio walk+listing / find: %.2f   whole command / find: %.2f   list entries after command: %d\n",
                (walk.ms + listing.ms) / findMs, command.ms / findMs, form2.ListCount());
    return 0;
}
