// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SocketConnection.h"

#include "LocalPaths.h"
#include "UnoText.h"

#include <com/sun/star/io/IOException.hpp>
#include <cppuhelper/implbase1.hxx>

#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class SocketConnection : public cppu::WeakImplHelper1<css::connection::XConnection> {
public:
    explicit SocketConnection(int socket)
        : socket_(socket)
    {
    }
    ~SocketConnection() override { ::close(socket_); }

    // Reads exactly count bytes; fewer only at the connection's end.
    sal_Int32 SAL_CALL read(css::uno::Sequence<sal_Int8> &bytes, sal_Int32 count) override
    {
        bytes.realloc(count);
        sal_Int32 done = 0;
        while (done < count) {
            const ssize_t got = ::recv(socket_, bytes.getArray() + done, static_cast<size_t>(count - done), 0);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                fail();
            if (got <= 0)
                break;
            done += static_cast<sal_Int32>(got);
        }
        bytes.realloc(done);
        return done;
    }

    void SAL_CALL write(const css::uno::Sequence<sal_Int8> &bytes) override
    {
        for (sal_Int32 done = 0; done < bytes.getLength();) {
            const ssize_t sent = ::send(socket_, bytes.getConstArray() + done,
                                        static_cast<size_t>(bytes.getLength() - done), MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR)
                continue;
            if (sent <= 0)
                fail();
            done += static_cast<sal_Int32>(sent);
        }
    }

    void SAL_CALL flush() override {}

    // Ends reading and writing at once, also for a thread waiting in read; the socket itself is
    // closed with the last reference, so that no other file can take its number meanwhile.
    void SAL_CALL close() override
    {
        if (!closed_.exchange(true))
            ::shutdown(socket_, SHUT_RDWR);
    }

    rtl::OUString SAL_CALL getDescription() override { return "office socket"; }

private:
    [[noreturn]] void fail()
    {
        throw css::io::IOException(toOUString(SystemReason()), static_cast<cppu::OWeakObject *>(this));
    }

    int socket_;
    std::atomic_bool closed_{false};
};

} // namespace

css::uno::Reference<css::connection::XConnection> ConnectToSocket(int folder, const QString &name)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = "/proc/self/fd/" + QByteArray::number(folder) + '/' + QFile::encodeName(name);
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return {};
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return {};
    if (::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(socket);
        return {};
    }
    return new SocketConnection(socket);
}
