// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/hyperlink_rules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace hyperlink {

QString errorText(int code)
{
    switch (code) {
        case 0:
            return QCoreApplication::translate("hyperlink",
                                               "The operating system is out\nof memory or resources.");
        case 2:
            return QCoreApplication::translate("hyperlink", "The specified file was not found.");
        case 3:
            return QCoreApplication::translate("hyperlink", "The specified path was not found.");
        case 5:
            return QCoreApplication::translate("hyperlink",
                                               "The operating system denied\naccess to the specified file.");
        case 8:
            return QCoreApplication::translate("hyperlink",
                                               "There was not enough memory to complete the operation.");
        case 11:
            return QCoreApplication::translate(
                "hyperlink", "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
        case 26:
            return QCoreApplication::translate("hyperlink", "A sharing violation occurred. ");
        case 27:
            return QCoreApplication::translate("hyperlink",
                                               "The filename association is\nincomplete or invalid.");
        case 28:
            return QCoreApplication::translate(
                "hyperlink", "The DDE transaction could not\nbe completed because the request timed out.");
        case 29:
            return QCoreApplication::translate("hyperlink", "The DDE transaction failed.");
        case 30:
            return QCoreApplication::translate(
                "hyperlink",
                "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
                "processed.");
        case 31:
            return QCoreApplication::translate(
                "hyperlink", "There is no application associated\nwith the given filename extension.");
        case 32:
            return QCoreApplication::translate("hyperlink",
                                               "The specified dynamic-link library was not found.");
        default:
            return QString::asprintf(
                qUtf8Printable(QCoreApplication::translate("hyperlink", "Unknown Error (%d) occurred.")),
                code);
    }
}

QString failureMessage(int code)
{
    return QCoreApplication::translate("hyperlink", "Unable to open hyperlink:\n\n") + errorText(code);
}

QUrl linkUrl(const QString& link)
{
    const QString trimmed = link.trimmed();
    if (trimmed.isEmpty())
        return QUrl();
    // "mailto:", "http://", "file:///": a scheme of two letters or more (a single
    // letter is a drive, as in "C:/...").
    QUrl direct(trimmed, QUrl::StrictMode);
    if (direct.isValid() && direct.scheme().size() > 1)
        return direct;
    return QUrl::fromUserInput(trimmed, QDir::currentPath());
}

int precheck(const QUrl& url)
{
    if (!url.isValid() || url.isEmpty())
        return 2;
    if (!url.isLocalFile())
        return kOpened;
    const QFileInfo info(url.toLocalFile());
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? 2 : 3;
    if (!info.isReadable())
        return 5;
    return kOpened;
}

QRect fitRectToText(const QRect& current, const QSize& text, Qt::Alignment alignment)
{
    QRect r = current;
    const int w = text.width();
    const int h = text.height();
    if (alignment & Qt::AlignHCenter)
        r.setLeft(current.left() + (current.width() - w) / 2);
    else if (alignment & Qt::AlignRight)
        r.setLeft(current.left() + current.width() - w);
    r.setWidth(w);
    if (alignment & Qt::AlignVCenter)
        r.setTop(current.top() + (current.height() - h) / 2);
    r.setHeight(h);
    return r;
}

}  // namespace hyperlink
