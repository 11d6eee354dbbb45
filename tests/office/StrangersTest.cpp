// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Documents from strangers reach nothing: made by hostile_documents.py to reach a web server of
// the test's own and files of the user's by every way a document can name them, they make no
// request, bring no local file into any page and run no macro, in either flavour; a Filtered page
// keeps only the pictures the document holds. The offices that convert them run in a sandbox
// without network or privileges; where the system cannot make one, the offices' own settings
// still keep the server unreached, and the engine says which protection is missing.

#include "OfficeTestSupport.h"

#include "RunningObjects.h"

#include <QImage>
#include <QProcess>
#include <QUrl>

#include <gmock/gmock.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using ::testing::HasSubstr;

namespace {

const QString Script = QStringLiteral(QUORVANE_OFFICE_TEST_DATA "/hostile_documents.py");
const QString SecretText = QStringLiteral("SECRET-TEXT-4711");
// The colours of the user's local picture and of the server's, which no page may show, and of the
// picture the documents hold, which their pages keep.
const QRgb SecretColour = 0x123456;
const QRgb ServedColour = 0x654321;
const QRgb ContainedColour = 0xEE1111;

// The web server and the documents that name it and the user's files.
class Strangers : public OfficeEngine {
protected:
    void SetUp() override
    {
        OfficeEngine::SetUp();
        server.start(QStringLiteral("python3"), {Script, QStringLiteral("serve"), requestLog()});
        ASSERT_TRUE(server.waitForReadyRead(30'000)) << "the test's web server did not start";
        const QString address = QStringLiteral("http://127.0.0.1:") + QString::fromLatin1(server.readLine().trimmed());
        ASSERT_EQ(QProcess::execute(QStringLiteral("python3"),
                                    {Script, QStringLiteral("make"), address, folder.filePath("secret"), documents()}),
                  0);
        QFile macro(documents() + QStringLiteral("/macro-on-open.doc")); // an ODF document under a .doc name
        ASSERT_TRUE(macro.open(QIODevice::WriteOnly));
        macro.write(
            ReadText(QUORVANE_OFFICE_TEST_DATA "/macro-on-open.fodt").replace("MARKER_PATH", macroMarker()).toUtf8());
    }
    void TearDown() override
    {
        server.kill();
        server.waitForFinished();
        OfficeEngine::TearDown();
    }

    QString documents() const { return folder.filePath("documents"); }
    QString requestLog() const { return folder.filePath("requests"); }
    QString macroMarker() const { return folder.filePath("macro-ran"); }
    QStringList documentNames() const
    {
        return QDir(documents()).entryList({"*.docx", "*.rtf", "*.doc"}, QDir::Files, QDir::Name);
    }
    // Each document converted in the flavour into a folder of its own; returns that folder.
    QString convertAll(int format)
    {
        const QString into = folder.filePath(format == Normal ? "normal" : "filtered");
        for (const QString &name : documentNames()) {
            const QString copy = into + QLatin1Char('/') + name;
            QDir().mkpath(into);
            QFile::copy(documents() + QLatin1Char('/') + name, copy);
            ConvertWithWord(copy, format);
        }
        return into;
    }

    QProcess server;
};

// Every picture a page brings: those embedded in it and the files written beside it; not what it
// only links to elsewhere, which is the document's link, kept as it was.
QList<QImage> picturesOf(const QString &page)
{
    QList<QImage> pictures;
    for (const QString &source : pictureSources(ReadText(page))) {
        const QUrl url(source);
        if (url.scheme() == QLatin1String("data"))
            pictures << QImage::fromData(QByteArray::fromBase64(source.section(',', 1).toLatin1()));
        else if (url.isRelative() && !source.startsWith(QLatin1Char('/')))
            pictures << QImage(QFileInfo(page).dir().filePath(QUrl::fromPercentEncoding(source.toUtf8())));
    }
    return pictures;
}

// A socket left at path, as an office's pipe is when its program is killed.
bool leaveSocket(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::copy(name.begin(), name.end(), address.sun_path);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(socket);
    return bound;
}

QRgb colourOf(const QImage &picture)
{
    return picture.isNull() ? 0 : picture.pixel(picture.width() / 2, picture.height() / 2) & RGB_MASK;
}

} // namespace

TEST_F(Strangers, ReachNoServerBringNoLocalFileIntoAPageAndRunNoMacroInEitherFlavour)
{
    for (const int format : {Normal, Filtered}) {
        const QString converted = convertAll(format);
        for (const QString &name : QDir(converted).entryList({"*.htm"}, QDir::Files)) {
            const QString page = converted + QLatin1Char('/') + name;
            EXPECT_FALSE(ReadText(page).contains(SecretText)) << qPrintable(page);
            const QList<QImage> pictures = picturesOf(page);
            for (const QImage &picture : pictures) {
                EXPECT_NE(colourOf(picture), SecretColour) << "a local picture reached " << qPrintable(page);
                EXPECT_NE(colourOf(picture), ServedColour) << "a fetched picture reached " << qPrintable(page);
                // A Filtered page holds every picture it shows.
                EXPECT_TRUE(format == Normal || !picture.isNull()) << qPrintable(page);
            }
            if (name == "linked-pictures.htm" || name == "include-fields.htm") {
                EXPECT_EQ(colourOf(pictures.value(0)), ContainedColour) << "the document's own picture stays";
            }
        }
    }
    EXPECT_EQ(ReadText(requestLog()), QString()) << "the documents reached the server";
    EXPECT_FALSE(QFile::exists(macroMarker())) << "a macro ran";
}

// Each office is confined: a network of its own, no new privileges, no capabilities and no core
// dumps, for root a user namespace where it is nobody, and a view of the files without the user's
// and without the programs that would check a document's signatures.
TEST_F(OfficeEngine, EachOfficeRunsWithoutNetworkPrivilegesOrTheUsersFiles)
{
    ASSERT_EQ(MissingOfficeProtection(), QString());
    const ObjectRef word = CreateInstance(Word);
    const qint64 office = OfficeChildren().value(0);
    const QString proc = QStringLiteral("/proc/%1/").arg(office);
    EXPECT_NE(QFile::symLinkTarget(proc + "ns/net"), QFile::symLinkTarget("/proc/self/ns/net"));
    const QString status = ReadText(proc + "status");
    EXPECT_THAT(status.toStdString(), HasSubstr("NoNewPrivs:\t1"));
    EXPECT_THAT(status.toStdString(), HasSubstr("CapEff:\t0000000000000000"));
    EXPECT_TRUE(ReadText(proc + "limits").contains(QRegularExpression("Max core file size +0 +0 "))) << "core dumps";
    if (::geteuid() == 0) {
        EXPECT_EQ(ReadText(proc + "uid_map").simplified().section(' ', 0, 0), "65534") << "root's office is nobody";
    }
    const QString seen = proc + QStringLiteral("root");
    EXPECT_TRUE(QFileInfo::exists(seen + "/usr/lib/libreoffice/program/soffice.bin"));
    for (const QString &hidden : {folder.path(), QDir::homePath(), QStringLiteral("/etc/passwd")})
        EXPECT_FALSE(QFileInfo::exists(seen + hidden)) << "the office sees " << qPrintable(hidden);
    for (const QString &program : {QStringLiteral("/usr/bin/gpg"), QStringLiteral("/usr/bin/gpgconf")})
        EXPECT_FALSE(QFileInfo(seen + program).isExecutable()) << "the office may run " << qPrintable(program);
    word->Invoke(QStringLiteral("Quit"));
}

// Where the system lets no sandbox be made (its user namespaces switched off, as a sandbox
// program then says), documents still convert, the linked ones still reach no server, and the
// engine says which protection is missing.
TEST_F(Strangers, WithoutASandboxTheyStillReachNoServerAndTheMissingProtectionIsNamed)
{
    const QString failing = folder.filePath("bwrap");
    QFile sandbox(failing);
    ASSERT_TRUE(sandbox.open(QIODevice::WriteOnly));
    sandbox.write("#!/bin/sh\necho 'bwrap: Creating new namespace failed: nesting depth or "
                  "/proc/sys/user/max_*_namespaces exceeded (ENOSPC)' >&2\nexit 1\n");
    sandbox.close();
    sandbox.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    use([&failing](OfficeSettings &settings) { settings.sandbox = failing; });

    EXPECT_THAT(MissingOfficeProtection().toStdString(), HasSubstr("max_*_namespaces exceeded"));
    const QString converted = convertAll(Filtered);
    EXPECT_TRUE(QFile::exists(converted + "/linked-pictures.htm"));
    EXPECT_EQ(ReadText(requestLog()), QString()) << "the documents reached the server";
    EXPECT_FALSE(QFile::exists(macroMarker())) << "a macro ran";
}

// What programs killed before they could tidy up left (the pipe of an office started unconfined,
// a running-object entry) is removed when the engine next starts; what live programs have stays.
TEST(OfficeTraces, ThoseOfEndedProgramsGoWhenTheEngineStarts)
{
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const QString pipe = QStringLiteral("/tmp/OSL_PIPE_%1_quorvane-%2-%3");
    const QString endedPipe = pipe.arg(::geteuid()).arg(endedPid).arg(QStringLiteral("0123abcd"));
    const QString livePipe = pipe.arg(::geteuid()).arg(::getpid()).arg(QStringLiteral("4567ef89"));
    ASSERT_TRUE(leaveSocket(endedPipe) && leaveSocket(livePipe));
    const QString entry = RunningObjectFolder() + QStringLiteral("/word.application-%1-0.running").arg(endedPid);
    QFile running(entry);
    ASSERT_TRUE(running.open(QIODevice::WriteOnly));
    running.write(QStringLiteral("Word.Application\n%1\n1\nMicrosoft Word\n").arg(endedPid).toUtf8());
    running.close();

    RegisterOfficeEngine(TestOfficeSettings());

    EXPECT_FALSE(QFileInfo::exists(endedPipe));
    EXPECT_FALSE(QFileInfo::exists(entry));
    EXPECT_TRUE(QFileInfo::exists(livePipe));
    QFile::remove(livePipe);
}
