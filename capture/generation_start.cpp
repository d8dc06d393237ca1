// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/generation_start.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "app/app_settings.h"
#include "capture/worker_thread.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "platform/errno_text.h"
#include "res/resource.h"

namespace {

bool isPrivateFolder(const QByteArray& native)
{
    struct stat st {};
    return lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & 077) == 0;
}

}  // namespace

QString privateOutputFolder(const QString& tempFolder)
{
    QString dir = QDir(tempFolder).filePath(QStringLiteral("vexlo-%1").arg(qulonglong(geteuid())));
    const QByteArray native = QFile::encodeName(dir);
    if ((mkdir(native.constData(), 0700) == 0 || errno == EEXIST) && isPrivateFolder(native))
        return dir;
    // Taken by someone else, or not closed to others: a fresh folder of a new name.
    qWarning("%s is not a private folder of this user; using a new one", native.constData());
    QByteArray pattern = QFile::encodeName(QDir(tempFolder).filePath(QStringLiteral("vexlo-XXXXXX")));
    if (!mkdtemp(pattern.data())) {
        qWarning("cannot make a private output folder in %s: %s", qPrintable(tempFolder),
                 errnoText(errno).c_str());
        return QString();
    }
    return QFile::decodeName(pattern);
}

QString reserveOutputPath(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const int dash = name.lastIndexOf(QLatin1Char('-'));
    QString candidate = path;
    for (int attempt = 0; attempt < 64; ++attempt) {
        // Created empty with the usual permissions (the umask applies), so a
        // saved copy of the GIF gets them too.
        const int fd =
            open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            return candidate;
        }
        if (errno != EEXIST || dash < 0)
            break;
        // Taken (another generation in the same second): another number.
        candidate = info.dir().filePath(
            QStringLiteral("%1-%2.gif").arg(name.left(dash)).arg(QRandomGenerator::global()->bounded(32768)));
    }
    qWarning("cannot reserve an output file beside %s: %s", qPrintable(path), errnoText(errno).c_str());
    return path;
}

QString startGifGeneration(CWorkerThread& worker, const AppSettings& settings, const QString& previousOutput,
                           int dpiY, int level, bool blackWhite)
{
    if (!previousOutput.isEmpty() && QFile::exists(previousOutput) && !QFile::remove(previousOutput))
        qWarning("cannot delete the previous output %s", qPrintable(previousOutput));
    QString path = GifGenerator::newOutputPath();
    // The name is predictable: in a shared temporary folder another user could
    // put a link there first, and the GIF would be written through it.
    const QString folder = privateOutputFolder(QFileInfo(path).absolutePath());
    if (!folder.isEmpty())
        path = QDir(folder).filePath(QFileInfo(path).fileName());
    path = reserveOutputPath(path);
    // Written before the post; the post orders the writes before the worker reads them.
    worker.generationSettings() = GenerationSettings::fromAppSettings(settings, path, dpiY);
    worker.generationSettings().level = level;
    worker.generationSettings().blackWhite = blackWhite;
    worker.post(UM_GENERATE, settings.filterNumber, settings.file ? 1 : 0);
    return path;
}
