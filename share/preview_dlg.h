// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The preview "预览" (dialog 145): one long-lived window that shows the last
// generated GIF, a line of facts about it and four buttons: "编辑" (back to the
// editor: the preview hides and asks for it with editRequested()), "压缩动画"
// (menu Reduce: five quality levels and the same five in black and white; a
// choice asks for the GIF to be made again at that level, see
// reduceRequested), "保存" (menu SaveMore), "帮助" (menu HELP).
//
// The capture window creates it hidden at start, calls ShowGif (or
// showGeneratedGif) after every generation and hides it when a recording or a
// generation starts. Esc hides it and keeps the file; the close box deletes
// the file and hides it. It is a child window of the capture window so that it
// takes input while the capture window runs modally.
#include <QByteArray>
#include <QDialog>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

#include "share/help_pages.h"

struct AppSettings;
class CIconButton;
class CStyledLabel;
class QBuffer;
class QLabel;
class QMenu;
class QMovie;

// What the placement of a newly shown preview depends on.
struct PreviewAnchor {
    QRect topBar;                 // the capture window's top bar (window rectangle, screen pixels)
    int captureHeight = 0;        // height of the capture rectangle
    bool ownerMinimized = false;  // the capture window is minimised: stay hidden
};

class CPreviewDlg : public QDialog {
    Q_OBJECT
public:
    // Commands of the two menus.
    enum Command : int {
        CmdPublishFace = 1,  // "发布为微信动画表情（教程）"
        CmdCopyClipboard,    // "复制到QQ/微信电脑版聊天窗口,剪贴板"
        CmdSendToPhone,      // "发送到本软件的手机版..."
        CmdSaveToDisk,       // "保存到电脑..."
        CmdHelpWhyBlank,     // "为什么生成的动画是黑的"
        CmdHelpReduce,       // "如何减小动画文件大小"
        CmdHelpSpeed,        // "如何调节动画速度"
        // "画质最好但文件最大" .. "画质最差但文件最小", then the same in "黑白效果".
        CmdReduceFirst = 100,
        CmdReduceLast = CmdReduceFirst + 4,
        CmdReduceGreyFirst = 110,
        CmdReduceGreyLast = CmdReduceGreyFirst + 4,
    };

    explicit CPreviewDlg(const QString& gifPath = QString(), QWidget* parent = nullptr);
    ~CPreviewDlg() override;

    // Shows the GIF at `path`: the picture, the information line, and, when
    // the preview is not visible yet, its size and place; then shows it unless
    // the capture window is minimised. A visible preview keeps size and place.
    void ShowGif(const QString& path, int frames, int width, int height, float sizeKb,
                 const PreviewAnchor& anchor);
    // After a generation: decodes the file (no preview when it does not
    // decode; false), measures it, ShowGif, then the large-file notice
    // (CBlankNoticeDlg, modal) when Notice is on and the file is over 2000 KB.
    bool showGeneratedGif(const QString& path, const PreviewAnchor& anchor, AppSettings& settings);

    const QString& gifPath() const { return gifPath_; }
    int frameCount() const { return frames_; }
    int gifWidth() const { return width_; }
    int gifHeight() const { return height_; }
    QString infoText() const;
    QMovie* movie() const { return movie_.get(); }
    QLabel* view() const { return view_; }
    CIconButton* button(int id) const;

    // The menus as they pop up (built anew each time); an action's data is its Command.
    std::unique_ptr<QMenu> makeSaveMoreMenu();
    std::unique_ptr<QMenu> makeHelpMenu();
    std::unique_ptr<QMenu> makeReduceMenu();
    void runCommand(int command);

    // How pages are opened (the platform's browser unless a test gives its own).
    void setUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }
    // How "发送到本软件的手机版..." sends the GIF (the send-to-phone dialog, modal,
    // unless a test gives its own).
    using PhoneSender = std::function<void(const QString& gifPath)>;
    void setPhoneSender(PhoneSender sender) { phoneSender_ = std::move(sender); }

signals:
    // "编辑": the preview has hidden itself; the capture window runs the editor.
    void editRequested();
    // A level of the Reduce menu was chosen: 1 (best picture) .. 5 (smallest
    // file), in colour or black and white. The capture window makes the GIF
    // again at that level and shows it here when it is written.
    void reduceRequested(int level, bool blackWhite);

public slots:
    void reject() override;    // Esc: hide, the file stays
    void accept() override {}  // Enter: nothing

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void loadPicture(const QString& path);
    void layoutControls();
    void popUpMenu(QMenu& menu, CIconButton* under);
    void saveToDisk();
    void copyToClipboard();

    QString gifPath_;
    int frames_ = 0;
    int width_ = 0;
    int height_ = 0;
    QLabel* view_ = nullptr;
    CStyledLabel* info_ = nullptr;
    CIconButton* edit_ = nullptr;
    CIconButton* save_ = nullptr;
    CIconButton* help_ = nullptr;
    CIconButton* reduce_ = nullptr;
    QByteArray gifBytes_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QMovie> movie_;
    UrlOpener opener_;
    PhoneSender phoneSender_;
};
