// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What a long operation on the user-interface thread needs from a progress
// window (CProgressWnd implements it), so the operation itself runs and is
// tested without a window.
//
// Calling order of every client: make the window (title "Progress", thin bar),
// beginModal("Progress", false), setRange(0, n, 1), setText(...), then
// advance() once per processed item; destroying the object closes the window,
// remembers its position and re-enables what beginModal disabled.
#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>

class ModalProgress {
public:
    virtual ~ModalProgress() = default;
    virtual bool beginModal(const QString& title, bool smooth) = 0;
    virtual void setRange(int lower, int upper, int step) = 0;
    virtual void setText(const QString& text) = 0;
    // One step forward, then let the program process pending events; false once
    // the user cancelled.
    virtual bool advance() = 0;
};

// Makes the progress window at the moment an operation needs it (may return
// null: the operation then runs without showing progress).
using ModalProgressFactory = std::function<std::unique_ptr<ModalProgress>()>;

// The progress window's usual title and the text while frames load, in the
// language of the program.
inline QString progressTitle()
{
    return QCoreApplication::translate("ModalProgress", "Progress");
}
inline QString progressLoadingText()
{
    return QCoreApplication::translate("ModalProgress", "Loading...");
}
