#include "OfficeChild.h"

#include <QProcess>

#include <linux/close_range.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

void PrepareOfficeChild(QProcess &process)
{
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        // Ends the office when we end, however we end; if we ended before this line, end now.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(1);
        // Our other open files (pipes of whoever started us) must not stay open in the office.
        ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
    });
}

QStringList HeadlessOfficeArguments()
{
    return {QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--norestore"),
            QStringLiteral("--nologo"), QStringLiteral("--nodefault")};
}
