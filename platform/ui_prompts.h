// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The one seam for message boxes and the common dialogs (open file, save file,
// colour). The program shows the real Qt dialogs; tests install their own
// answers (ScriptedPrompts in tests/support/scripted_prompts.h), which answer
// from queues and record what was asked, so every flow runs headless.
//
//     if (promptMessageBox(this, loadString(IDS_...), QString(), MB_OKCANCEL | MB_ICONQUESTION) != AnswerOk)
//         return;
//     const QString path = promptOpenFile(this, QStringLiteral("动画GIF文件(*.gif)|*.gif||"));
//     if (path.isEmpty())  // cancelled
//         return;
#include <QString>
#include <optional>

#include "imaging/raster_image.h"

class QWidget;

// Message-box styles and answers, with the Windows values.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_TYPEMASK = 0xF,
    MB_ICONMASK = 0xF0,
};
// (The answers carry the Windows values IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7.)
enum MessageBoxAnswer : int { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

// Options of the file dialogs. The filter is in the Windows form
// "Description|*.a;*.b|Other|*.c||".
struct FileDialogOptions {
    QString filter;
    QString defaultExt;            // without the dot; added to a name typed without one (save)
    QString initialPath;           // folder or file name the dialog starts at
    QString caption;               // empty: the platform's default title
    bool confirmOverwrite = true;  // save: ask before replacing an existing file
};

// The seam. Install a replacement with UiPrompts::install(); null restores the
// real dialogs. Only on the user-interface thread.
class UiPrompts {
public:
    virtual ~UiPrompts();
    // Returns AnswerOk, AnswerCancel, AnswerYes or AnswerNo.
    virtual int messageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type) = 0;
    // The chosen path, empty when cancelled.
    virtual QString openFile(QWidget* parent, const FileDialogOptions& options) = 0;
    virtual QString saveFile(QWidget* parent, const FileDialogOptions& options) = 0;
    // The chosen colour, nothing when cancelled.
    virtual std::optional<ColorRef> chooseColor(QWidget* parent, ColorRef initial) = 0;

    static UiPrompts& current();
    static void install(UiPrompts* prompts);
    // The installed replacement, null when the real dialogs are in use.
    static UiPrompts* installed();
};

// The calls every window uses. An empty caption gives the product name.
int promptMessageBox(QWidget* parent, const QString& text, const QString& caption = QString(),
                     unsigned type = MB_OK);
QString promptOpenFile(QWidget* parent, const QString& filter, const QString& defaultExt = QString(),
                       const QString& initialPath = QString());
QString promptOpenFile(QWidget* parent, const FileDialogOptions& options);
QString promptSaveFile(QWidget* parent, const QString& filter, const QString& defaultExt = QString(),
                       const QString& initialPath = QString());
QString promptSaveFile(QWidget* parent, const FileDialogOptions& options);
std::optional<ColorRef> promptColor(QWidget* parent, ColorRef initial);

// "A|*.a;*.b|B|*.c||" -> "A (*.a *.b);;B (*.c)" for QFileDialog; a description
// that already ends in its patterns ("动画GIF文件(*.gif)|*.gif") is kept as written.
QString qtFileFilter(const QString& windowsFilter);
// A name typed without an extension gets ".ext" (ext without dot; empty: none).
QString withDefaultExtension(const QString& path, const QString& defaultExt);
