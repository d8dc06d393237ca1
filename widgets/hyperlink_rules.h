// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The pieces of a hyperlink control that need no window: the error texts of a
// failed open, the mapping of a failed open onto those codes, the message shown,
// and fitting the control to its text.
#include <QRect>
#include <QSize>
#include <QString>
#include <QUrl>
#include <Qt>

namespace hyperlink {

// Result of an open as the shell reports it: above 32 success, else an error code.
inline constexpr int kOpened = 33;

// The text for an error code of a failed open ("Unknown Error (%d) occurred."
// for codes outside the table).
QString errorText(int code);
// "Unable to open hyperlink:\n\n" followed by the text for the code.
QString failureMessage(int code);

// The link as the platform should open it: a web address, a local path or a
// URL with a scheme (empty when there is nothing to open).
QUrl linkUrl(const QString& link);
// Code for a link that cannot be opened before asking the platform: a missing
// local file (2), a missing folder on its path (3), an unreadable file (5), an
// empty link (2); kOpened when nothing speaks against opening it.
int precheck(const QUrl& url);
// Code when the platform refused an open it was asked for: no application is
// associated with the link (31).
inline constexpr int kPlatformRefused = 31;

// The control's rectangle fitted to its text, keeping the alignment of the
// control: horizontally the centre (AlignHCenter), the right edge (AlignRight)
// or the left edge; vertically the centre (AlignVCenter) or the top.
QRect fitRectToText(const QRect& current, const QSize& text, Qt::Alignment alignment);

}  // namespace hyperlink
