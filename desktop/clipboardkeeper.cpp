// SPDX-License-Identifier: GPL-3.0-or-later
#include "clipboardkeeper.h"

#include "desktop/clipboardflavours.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <unistd.h>

extern char **environ;

namespace ui {

namespace {

// Beside the program in a build tree; under libexec when installed.
QString keeperPath()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &path : {dir + QStringLiteral("/fretsight-clipboard"),
                                dir + QStringLiteral("/../" FRETSIGHT_LIBEXECDIR "/fretsight/fretsight-clipboard")}) {
        if (QFileInfo(path).isExecutable())
            return path;
    }
    return {};
}

// The helper reads records "TARGET\nLENGTH\nBYTES".
std::string flavourRecords(const QMimeData &data)
{
    std::string records;
    for (const ClipboardFlavour &flavour : clipboardFlavours(data)) {
        records += flavour.target.toStdString();
        records += '\n';
        records += std::to_string(flavour.bytes.size());
        records += '\n';
        records += flavour.bytes.toStdString();
    }
    return records;
}

bool writeAll(int fd, const std::string &bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Starts the helper in a session of its own, feeds it, and waits at most
// `wait` for its word that it owns the clipboard.
bool startKeeper(const QString &path, const std::string &records, QDeadlineTimer wait)
{
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0)
        return false;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return false;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, in[0], 0);
    posix_spawn_file_actions_adddup2(&files, out[1], 1);
    // Nothing of the program's is held open by the helper: not the terminal
    // or log it writes to, which a caller may be waiting on to close.
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGHUP);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const QByteArray file = QFile::encodeName(path);
    char *argv[] = {const_cast<char *>("fretsight-clipboard"), nullptr};
    pid_t pid = 0;
    const bool started = posix_spawn(&pid, file.constData(), &files, &attributes, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    ::close(in[0]);
    ::close(out[1]);

    bool owned = false;
    if (started) {
        // A helper that dies early must not take the program down with SIGPIPE.
        const auto oldPipe = std::signal(SIGPIPE, SIG_IGN);
        if (writeAll(in[1], records)) {
            ::close(in[1]);
            in[1] = -1;
            char word[8] = {};
            pollfd ready{out[0], POLLIN, 0};
            if (::poll(&ready, 1, static_cast<int>(wait.remainingTime())) == 1)
                owned = ::read(out[0], word, sizeof word - 1) > 0 && qstrncmp(word, "owned\n", 6) == 0;
        }
        std::signal(SIGPIPE, oldPipe);
    }
    if (in[1] >= 0)
        ::close(in[1]);
    ::close(out[0]);
    return owned;
}

} // namespace

void keepClipboardAfterExit()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard->ownsClipboard() ? clipboard->mimeData() : nullptr;
    const QString path = data ? keeperPath() : QString();
    if (path.isEmpty())
        return;
    QDeadlineTimer deadline(1500);
    if (!startKeeper(path, flavourRecords(*data), deadline))
        return;
    // Let Qt hear that it lost the clipboard, so that it does not offer the
    // data to a clipboard manager again as it closes, nor wait for one.
    while (clipboard->ownsClipboard() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(2);
    }
}

} // namespace ui
