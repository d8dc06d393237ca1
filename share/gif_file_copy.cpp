// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/gif_file_copy.h"

#include <QFile>
#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path fsPath(const QString& p)
{
    return std::filesystem::path(QFile::encodeName(p).toStdString());
}

bool manualCopy(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        qWarning("cannot read %s: %s", qPrintable(source), qPrintable(in.errorString()));
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError || bytes.size() != in.size()) {
        qWarning("cannot read %s: %s", qPrintable(source), qPrintable(in.errorString()));
        return false;
    }
    in.close();
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning("cannot write %s: %s", qPrintable(destination), qPrintable(out.errorString()));
        return false;
    }
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        qWarning("cannot write %s: %s", qPrintable(destination), qPrintable(out.errorString()));
        return false;
    }
    return true;
}

}  // namespace

GifCopyResult copyGifFile(const QString& source, const QString& destination)
{
    std::error_code ec;
    const auto src = fsPath(source);
    const auto dst = fsPath(destination);
    if (std::filesystem::exists(dst, ec) && std::filesystem::equivalent(src, dst, ec) && !ec)
        return GifCopyResult::SameFile;
    ec.clear();
    if (std::filesystem::copy_file(src, dst, std::filesystem::copy_options::overwrite_existing, ec) && !ec)
        return GifCopyResult::Copied;
    qWarning("copy %s -> %s failed (%s), copying by hand", qPrintable(source), qPrintable(destination),
             ec.message().c_str());
    return manualCopy(source, destination) ? GifCopyResult::Copied : GifCopyResult::AccessDenied;
}
