// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The preview and the large-file notice, offscreen: created hidden, placement
// of a newly shown preview, a visible preview keeping size and place, Esc and
// the close box, the menus, saving, the clipboard, help pages, the notice rule
// and the notice's check box.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMovie>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/app_settings.h"
#include "capture/frame_record.h"
#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "gif/frame_sequence_source.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "platform/control_id.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "scripted_prompts.h"
#include "share/blank_notice_dlg.h"
#include "share/preview_dlg.h"
#include "test_env.h"
#include "widgets/hyperlink_static.h"
#include "widgets/icon_button.h"
#include "widgets/styled_label.h"

namespace {

QString writeGif(const std::string& path, int w, int h, int frames)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, w, h, 0);
    for (int i = 0; i < frames; ++i) {
        auto img = RasterImage::make(w, h, 24);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img->setColor(x, y, RgbQuad{uint8_t(50 * i), uint8_t(x), uint8_t(y), 0});
        seq.append(FrameRecord::make(std::move(img), 10));
    }
    CaptionList captions;
    GenerationSettings settings;
    settings.outputPath = QString::fromStdString(path);
    FrameSequenceSource source(seq);
    EXPECT_TRUE(GifGenerator::generate(source, captions, settings, 0, false, {}));
    return settings.outputPath;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Watches for modal dialogs while `run` runs, handing each one to `handle`
// (which must close it); returns how many were seen.
int withModals(const std::function<void()>& run, const std::function<void(QWidget*)>& handle)
{
    int seen = 0;
    QTimer timer;
    QWidget* last = nullptr;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* m = QApplication::activeModalWidget();
        if (m && m != last && m->isVisible()) {
            last = m;
            ++seen;
            handle(m);
        }
    });
    timer.start(10);
    run();
    timer.stop();
    return seen;
}

const PreviewAnchor kAnchor{QRect(300, 200, 320, 60), 250, false};

}  // namespace

TEST(PreviewDlg, CreatedHiddenWithItsControls)
{
    CPreviewDlg dlg;
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("预览"));
    EXPECT_EQ(controlId(&dlg), IDD_PREVIEW_DIALOG);
    EXPECT_EQ(dlg.minimumSize(), QSize(200, 150));
    auto* info = findControlAs<CStyledLabel>(&dlg, IDC_PREVIEW_INFO);
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->bold());
    EXPECT_TRUE(findControlAs<QLabel>(&dlg, IDC_PREVIEW_VIEW));
    const std::pair<int, const char*> buttons[] = {{IDC_PREVIEW_EDIT, "编辑"},
                                                   {IDC_PREVIEW_REDUCE, "压缩动画"},
                                                   {IDC_PREVIEW_SAVE, "保存"},
                                                   {IDC_PREVIEW_HELP, "帮助"}};
    for (const auto& [id, text] : buttons) {
        CIconButton* b = dlg.button(id);
        ASSERT_TRUE(b) << id;
        EXPECT_EQ(b->text(), QString::fromUtf8(text));
        EXPECT_EQ(b->inIconSize(), QSize(24, 24));
        for (int i : {IconButtonColors::BackgroundIn, IconButtonColors::BackgroundOut,
                      IconButtonColors::BackgroundFocus})
            EXPECT_EQ(b->color(i), makeColorRef(65, 111, 181));
        for (int i : {IconButtonColors::ForegroundIn, IconButtonColors::ForegroundOut,
                      IconButtonColors::ForegroundFocus})
            EXPECT_EQ(b->color(i), makeColorRef(255, 255, 255));
    }
    // "编辑" hides the preview and asks for the editor.
    EXPECT_TRUE(dlg.button(IDC_PREVIEW_EDIT)->isEnabled());
    int editRequests = 0;
    QObject::connect(&dlg, &CPreviewDlg::editRequested, [&] { ++editRequests; });
    dlg.show();
    dlg.button(IDC_PREVIEW_EDIT)->click();
    EXPECT_EQ(editRequests, 1);
    EXPECT_FALSE(dlg.isVisible());
}

TEST(PreviewDlg, NewlyShownSizeAndPlaceThenKeptWhileVisible)
{
    testenv::TempDir dir;
    const QString small = writeGif(dir.file("small.gif"), 100, 80, 2);
    CPreviewDlg dlg;
    dlg.ShowGif(small, 2, 100, 80, 1.5f, PreviewAnchor{QRect(300, 200, 320, 60), 0, false});
    ASSERT_TRUE(dlg.isVisible());
    // Shown active: Esc goes to it, not to the capture window below.
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg, 2000));
    EXPECT_GE(dlg.width(), 300);
    EXPECT_GE(dlg.height(), 150);
    EXPECT_EQ(dlg.pos(), QPoint(620, 200));
    EXPECT_EQ(dlg.infoText(), QStringLiteral("1.5K, 100*80, 2 frames"));
    EXPECT_EQ(dlg.gifPath(), small);
    ASSERT_TRUE(dlg.movie());
    EXPECT_TRUE(dlg.movie()->isValid());
    EXPECT_EQ(dlg.movie()->frameCount(), 2);
    // Layout: the view above two bands, the buttons in the last one.
    const int b = dlg.button(IDC_PREVIEW_EDIT)->height() + 1;
    EXPECT_EQ(dlg.view()->geometry(), QRect(0, 0, dlg.width(), dlg.height() - 2 * b));
    EXPECT_EQ(dlg.button(IDC_PREVIEW_EDIT)->pos(), QPoint(1, dlg.height() - b));
    EXPECT_EQ(dlg.button(IDC_PREVIEW_REDUCE)->pos(),
              QPoint(dlg.button(IDC_PREVIEW_EDIT)->width() + 2, dlg.height() - b));
    EXPECT_EQ(dlg.button(IDC_PREVIEW_SAVE)->pos(),
              QPoint(dlg.button(IDC_PREVIEW_EDIT)->width() + dlg.button(IDC_PREVIEW_REDUCE)->width() + 3,
                     dlg.height() - b));

    // A second GIF while visible: new text and picture, same size and place.
    const QRect before = dlg.geometry();
    const QString big = writeGif(dir.file("big.gif"), 500, 400, 3);
    dlg.ShowGif(big, 3, 500, 400, 20.24f, PreviewAnchor{QRect(0, 0, 100, 60), 700, false});
    EXPECT_EQ(dlg.geometry(), before);
    EXPECT_EQ(dlg.infoText(), QStringLiteral("20.2K, 500*400, 3 frames"));
    EXPECT_EQ(dlg.movie()->frameCount(), 3);

    // Hidden again: the next one is placed anew, taller by the capture rule.
    dlg.hide();
    dlg.ShowGif(small, 2, 100, 80, 1.5f, PreviewAnchor{QRect(900, 10, 320, 60), 250, false});
    EXPECT_EQ(dlg.pos(), QPoint(100, 100));  // right edge 1220 is beyond 1000
    EXPECT_GE(dlg.height(), 3 * 60 + 250);
    // With the capture window minimised it stays hidden.
    dlg.hide();
    dlg.ShowGif(small, 2, 100, 80, 1.5f, PreviewAnchor{QRect(300, 200, 320, 60), 0, true});
    EXPECT_FALSE(dlg.isVisible());
}

TEST(PreviewDlg, EscKeepsTheFileCloseBoxDeletesIt)
{
    testenv::TempDir dir;
    const QString gif = writeGif(dir.file("a.gif"), 100, 80, 2);
    CPreviewDlg dlg;
    dlg.ShowGif(gif, 2, 100, 80, 1.0f, kAnchor);
    QTest::keyClick(&dlg, Qt::Key_Return);  // Enter: nothing
    EXPECT_TRUE(dlg.isVisible());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(QFile::exists(gif));
    dlg.ShowGif(gif, 2, 100, 80, 1.0f, kAnchor);
    ASSERT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.close());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(QFile::exists(gif));
}

TEST(PreviewDlg, Menus)
{
    CPreviewDlg dlg;
    auto save = dlg.makeSaveMoreMenu();
    QStringList texts;
    for (QAction* a : save->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, QStringList({"发布为微信动画表情（教程）", "复制到QQ/微信电脑版聊天窗口,剪贴板", "-",
                                  "发送到本软件的手机版...", "保存到电脑..."}));
    EXPECT_TRUE(save->actions()[3]->isEnabled());
    // "发送到本软件的手机版..." hands the previewed GIF to the phone sender.
    QStringList sent;
    CPreviewDlg shown(QStringLiteral("shown.gif"));
    shown.setPhoneSender([&](const QString& path) { sent << path; });
    shown.runCommand(CPreviewDlg::CmdSendToPhone);
    EXPECT_EQ(sent, QStringList({"shown.gif"}));
    auto help = dlg.makeHelpMenu();
    texts.clear();
    for (QAction* a : help->actions())
        texts << a->text();
    EXPECT_EQ(texts, QStringList({"为什么生成的动画是黑的", "如何减小动画文件大小", "如何调节动画速度"}));

    // Pages open from the help folder beside the program.
    QStringList opened;
    dlg.setUrlOpener([&](const QUrl& u) {
        opened << QFileInfo(u.toLocalFile()).fileName();
        return true;
    });
    for (int c : {CPreviewDlg::CmdPublishFace, CPreviewDlg::CmdHelpWhyBlank, CPreviewDlg::CmdHelpReduce,
                  CPreviewDlg::CmdHelpSpeed})
        dlg.runCommand(c);
    EXPECT_EQ(opened, QStringList({"vx_face.htm", "vx_whyblank.htm", "vx_reduce.htm", "vx_speed.htm"}));
}

TEST(PreviewDlg, SaveCopiesAddsTheExtensionAndKeepsItsOwnFile)
{
    testenv::TempDir dir;
    const QString gif = writeGif(dir.file("shown.gif"), 100, 80, 2);
    const QByteArray bytes = readAll(gif);
    CPreviewDlg dlg;
    dlg.ShowGif(gif, 2, 100, 80, 1.0f, kAnchor);
    ScriptedPrompts prompts;
    prompts.answerSaveFile(QString::fromStdString(dir.file("saved")));  // typed without an extension
    dlg.runCommand(CPreviewDlg::CmdSaveToDisk);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].file.filter, QStringLiteral("动画GIF文件(*.gif)|*.gif||"));
    EXPECT_EQ(prompts.asked()[0].file.defaultExt, QStringLiteral("gif"));
    EXPECT_TRUE(prompts.asked()[0].file.confirmOverwrite);
    EXPECT_EQ(readAll(QString::fromStdString(dir.file("saved.gif"))), bytes);

    // Onto the previewed file itself: intact, and still the previewed file.
    prompts.answerSaveFile(gif);
    dlg.runCommand(CPreviewDlg::CmdSaveToDisk);
    EXPECT_EQ(readAll(gif), bytes);
    EXPECT_EQ(dlg.gifPath(), gif);

    // Cancelled: nothing.
    dlg.runCommand(CPreviewDlg::CmdSaveToDisk);
    EXPECT_EQ(prompts.asked().size(), 3u);

    // A folder that cannot be written: the one message.
    if (geteuid() != 0) {
        const std::string locked = dir.file("locked");
        ASSERT_EQ(mkdir(locked.c_str(), 0500), 0);
        prompts.clear();
        prompts.answerSaveFile(QString::fromStdString(locked + "/x.gif"));
        dlg.runCommand(CPreviewDlg::CmdSaveToDisk);
        ASSERT_EQ(prompts.asked().size(), 2u);
        EXPECT_EQ(prompts.asked()[1].kind, ScriptedPrompts::Kind::MessageBox);
        EXPECT_EQ(prompts.asked()[1].text, QStringLiteral("系统拒绝访问目的文件目录。请确认您的用户权限。"));
        chmod(locked.c_str(), 0700);
    }
}

TEST(PreviewDlg, ClipboardHoldsTheGifItsFileAndAPicture)
{
    testenv::TempDir dir;
    const QString gif = writeGif(dir.file("clip.gif"), 100, 80, 2);
    CPreviewDlg dlg;
    dlg.ShowGif(gif, 2, 100, 80, 1.0f, kAnchor);
    dlg.runCommand(CPreviewDlg::CmdCopyClipboard);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->data(QStringLiteral("image/gif")), readAll(gif));
    ASSERT_EQ(data->urls().size(), 1);
    EXPECT_EQ(data->urls()[0].toString(), QStringLiteral("file://") + QFileInfo(gif).absoluteFilePath());
    ASSERT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(100, 80));
}

TEST(PreviewDlg, NoticeOnlyAboveTwoThousandKilobytes)
{
    testenv::TempDir dir;
    const QString gif = writeGif(dir.file("n.gif"), 100, 80, 2);
    const QByteArray bytes = readAll(gif);
    auto padTo = [&](qint64 size) {
        QFile f(gif);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes + QByteArray(size - bytes.size(), '\0'));
    };
    AppSettings settings;
    settings.notice = true;
    CPreviewDlg dlg;
    QStringList titles;
    auto closeNotice = [&](QWidget* w) {
        titles << w->windowTitle();
        static_cast<QDialog*>(w)->accept();
    };

    padTo(2048000);  // 2000.0 KB
    EXPECT_EQ(withModals([&] { EXPECT_TRUE(dlg.showGeneratedGif(gif, kAnchor, settings)); }, closeNotice), 0);
    EXPECT_EQ(dlg.infoText(), QStringLiteral("2000.0K, 100*80, 2 frames"));
    padTo(2048103);  // 2000.1 KB
    EXPECT_EQ(withModals([&] { EXPECT_TRUE(dlg.showGeneratedGif(gif, kAnchor, settings)); }, closeNotice), 1);
    EXPECT_EQ(titles, QStringList({"友情提醒"}));
    EXPECT_EQ(dlg.infoText(), QStringLiteral("2000.1K, 100*80, 2 frames"));
    settings.notice = false;
    EXPECT_EQ(withModals([&] { EXPECT_TRUE(dlg.showGeneratedGif(gif, kAnchor, settings)); }, closeNotice), 0);

    // A file that does not decode opens no preview.
    dlg.hide();
    QFile::remove(gif);
    EXPECT_FALSE(dlg.showGeneratedGif(gif, kAnchor, settings));
    EXPECT_FALSE(dlg.isVisible());
}

TEST(BlankNoticeDlg, TextLinkAndCheckBox)
{
    ScriptedPrompts prompts;  // a link that fails to open reports in a message box
    AppSettings settings;
    settings.notice = true;
    CBlankNoticeDlg dlg(settings);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("友情提醒"));
    EXPECT_EQ(controlId(&dlg), IDD_BLANKNOTICE_DIALOG);
    bool textFound = false;
    for (QLabel* l : dlg.findChildren<QLabel*>())
        textFound |= l->text() == CBlankNoticeDlg::noticeText();
    EXPECT_TRUE(textFound);
    EXPECT_TRUE(CBlankNoticeDlg::noticeText().startsWith(QStringLiteral("您生成的动画文件大于 2M 了？\n\n")));

    CHyperlinkStatic* link = dlg.link();
    ASSERT_EQ(findControlAs<CHyperlinkStatic>(&dlg, IDC_NOTICE_LINK), link);
    EXPECT_EQ(link->text(), QStringLiteral("也可以到我们官网了解如何减小动画文件大小。"));
    EXPECT_TRUE(link->url().endsWith(QStringLiteral("help/vx_reduce.htm")));
    EXPECT_EQ(link->linkColor(), makeColorRef(0, 0, 255));
    EXPECT_EQ(link->visitedColor(), makeColorRef(0, 0, 255));
    EXPECT_EQ(link->hoverColor(), makeColorRef(0, 0, 255));
    EXPECT_TRUE(link->toolTip().isEmpty());
    QUrl opened;
    link->setOpener([&](const QUrl& u) {
        opened = u;
        return true;
    });
    EXPECT_GT(link->openLink(), 32);
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_TRUE(opened.toString().endsWith(QStringLiteral("vx_reduce.htm")));

    QCheckBox* box = dlg.dontShowBox();
    EXPECT_EQ(box->text(), QStringLiteral("我已经知道了，下次请不要再重复告诉我了"));
    EXPECT_FALSE(box->isChecked());
    dlg.show();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_FALSE(settings.notice);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_TRUE(settings.notice);  // ticked and cleared: still on
    EXPECT_EQ(dlg.closeButton()->text(), QStringLiteral("关闭"));
    QTest::mouseClick(dlg.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
}
