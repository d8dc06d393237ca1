// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The capture window's main commands, offscreen: the More menu and its
// commands, opening GIFs from the file dialog, the clipboard and a drop, the
// watermark dialogs, the version check and the About box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#include "../imaging/gif_test_writer.h"
#include "app/app_settings.h"
#include "capture/capture_controller.h"
#include "capture/capture_dlg.h"
#include "capture/frame_sequence.h"
#include "capture/more_menu.h"
#include "effects/logo_setting_dlg.h"
#include "effects/txt_logo_setting_dlg.h"
#include "effects/watermark_preview.h"
#include "platform/control_id.h"
#include "platform/screen_grabber.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "scripted_prompts.h"
#include "settings_folder.h"
#include "share/about_dlg.h"
#include "share/update_dlg.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/hyperlink_static.h"

namespace {
using testenv::SettingsFolder;
using testenv::TempDir;

class BlackGrabber : public ScreenGrabber {
public:
    bool grab(const GrabRect& rect, int, RasterImage& out) override
    {
        std::vector<uint8_t> bgrx(size_t(rect.width()) * size_t(rect.height()) * 4, 0);
        return out.fromScreenBits(bgrx.data(), rect.width(), rect.height(), size_t(rect.width()) * 4);
    }
    bool canGrab() const override { return true; }
};

std::unique_ptr<CCaptureDlg> makeWindow()
{
    auto dlg = std::make_unique<CCaptureDlg>(std::make_unique<BlackGrabber>());
    dlg->show();
    QCoreApplication::processEvents();
    return dlg;
}

// Closes whatever modal window a command opens (the editor after an import).
class ModalCloser {
public:
    ModalCloser()
    {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
        });
        timer_.start(20);
    }

private:
    QTimer timer_;
};

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

// Puts the file on the clipboard as a file manager's copy does.
void copyFile(const std::string& path)
{
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QGuiApplication::clipboard()->setMimeData(data);
}

std::vector<uint8_t> gifOfFrames(int frames)
{
    std::vector<giftest::Frame> list;
    for (int i = 0; i < frames; ++i)
        list.push_back(giftest::solid(0, 0, 8, 6, uint8_t(i % 2), 10 + i));
    return giftest::makeGif(8, 6, {RgbQuad{0, 0, 255, 0}, RgbQuad{0, 255, 0, 0}}, list, 0);
}

QStringList menuTexts(const QMenu& menu)
{
    QStringList out;
    for (QAction* a : menu.actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QAction* actionOf(const QMenu& menu, int id)
{
    for (QAction* a : menu.findChildren<QAction*>()) {
        if (!a->isSeparator() && a->data().toInt() == id)
            return a;
    }
    for (QMenu* sub : menu.findChildren<QMenu*>()) {
        for (QAction* a : sub->actions())
            if (a->data().toInt() == id)
                return a;
    }
    return nullptr;
}
}  // namespace

TEST(MoreMenu, EntriesInOrderWithTheMarksOfTheSettings)
{
    AppSettings s;
    s.rate1 = 12;
    s.mouse = 3;
    s.topWnd = true;
    s.aero = false;
    s.file = false;
    s.playOnce = true;
    s.whiteBk = true;
    s.last10 = false;
    std::unique_ptr<QMenu> menu = CMoreMenu::build(s);
    EXPECT_EQ(menuTexts(*menu), (QStringList{"抓取视频的频率",
                                             "-",
                                             "修改现有的GIF动画",
                                             "-",
                                             "录制鼠标轨迹",
                                             "-",
                                             "置顶显示",
                                             "关闭透明效果以提高性能（Win7下重启软件有效）",
                                             "生成动画时打开渲染（推荐）",
                                             "生成只播放一次的动画（可植入PPT文件）",
                                             "生成的动图强制保留白色（不推荐）",
                                             "只保留录制的最后十秒（常用于视频直播场景）",
                                             "-",
                                             "在动画上自动贴上我的水印",
                                             "-",
                                             "发送字体文件到本软件的手机版",
                                             "-",
                                             "为什么我生成的GIF动画是黑色的",
                                             "（适用高分辨电脑）调节界面文字大小",
                                             "检测新版本...",
                                             "关于..."}));
    EXPECT_EQ(menuTexts(*menu->actions()[0]->menu()),
              (QStringList{"25帧/秒", "20帧/秒", "15帧/秒", "10帧/秒", "5帧/秒", "3帧/秒", "1帧/秒"}));
    EXPECT_EQ(menuTexts(*menu->actions()[2]->menu()), (QStringList{"来自我的电脑", "来自剪贴板"}));
    EXPECT_EQ(menuTexts(*menu->actions()[13]->menu()), (QStringList{"文字水印", "图像水印"}));
    // Rate1 12 marks 20; Mouse 3 marks green.
    EXPECT_TRUE(actionOf(*menu, ID_RATE_20)->isChecked());
    EXPECT_FALSE(actionOf(*menu, ID_RATE_15)->isChecked());
    EXPECT_TRUE(actionOf(*menu, ID_MOUSE_GREEN)->isChecked());
    EXPECT_TRUE(actionOf(*menu, ID_TOPMOST)->isChecked());
    EXPECT_TRUE(actionOf(*menu, ID_AERO_OFF)->isChecked());
    EXPECT_FALSE(actionOf(*menu, ID_RENDER)->isChecked());
    EXPECT_TRUE(actionOf(*menu, ID_PLAY_ONCE)->isChecked());
    EXPECT_TRUE(actionOf(*menu, ID_KEEP_WHITE)->isChecked());
    EXPECT_FALSE(actionOf(*menu, ID_LAST_10S)->isChecked());
    for (int id : {ID_OPEN_GIF_FILE, ID_OPEN_GIF_CLIPBOARD, ID_TEXT_WATERMARK, ID_IMAGE_WATERMARK,
                   ID_SEND_FONT, ID_HELP_WHYBLANK, ID_TEXT_SCALE, ID_CHECK_UPDATE, ID_APP_ABOUT})
        EXPECT_NE(actionOf(*menu, id), nullptr) << id;
}

TEST(MainCommands, SettingCommandsAndTopmostAtOnce)
{
    SettingsFolder folder;
    auto dlg = makeWindow();
    AppSettings& s = dlg->controller().settings();
    const bool top = s.topWnd;
    dlg->runMoreCommand(ID_TOPMOST);
    EXPECT_NE(s.topWnd, top);
    EXPECT_EQ(dlg->isTopmost(), s.topWnd);
    dlg->runMoreCommand(ID_RATE_5);
    EXPECT_EQ(s.rate1, 5);
    dlg->runMoreCommand(ID_MOUSE_YELLOW);
    EXPECT_EQ(s.mouse, 4);
}

TEST(MainCommands, OpeningGifsFromTheFileDialog)
{
    SettingsFolder folder;
    TempDir dir;
    writeFile(dir.file("anim.GIF"), gifOfFrames(3));
    writeFile(dir.file("still.png"), gifOfFrames(3));  // a GIF under another name: refused by its name
    auto dlg = makeWindow();
    ModalCloser closer;
    ScriptedPrompts prompts;

    // A .png typed into the GIF dialog: refused without a word, but Stopped.
    prompts.answerOpenFile(QString::fromStdString(dir.file("still.png")));
    dlg->runMoreCommand(ID_OPEN_GIF_FILE);
    EXPECT_EQ(dlg->controller().state(), CaptureState::Stopped);
    EXPECT_EQ(dlg->controller().sequence().FrameImage(1), nullptr);
    EXPECT_EQ(prompts.asked().size(), 1u);  // only the file dialog, no message

    prompts.answerOpenFile(QString::fromStdString(dir.file("anim.GIF")));
    dlg->onOpenGif();
    EXPECT_EQ(dlg->controller().state(), CaptureState::Stopped);
    EXPECT_NE(dlg->controller().sequence().FrameImage(3), nullptr);
    EXPECT_EQ(prompts.asked().back().text, QStringLiteral("动画GIF文件(*.gif)|*.gif||"));

    // Cancelled: nothing changes.
    prompts.answerOpenFile(QString());
    dlg->onOpenGif();
    EXPECT_NE(dlg->controller().sequence().FrameImage(3), nullptr);
}

TEST(MainCommands, ClipboardSingleFrameGifShowsString151AndKeepsTheFrames)
{
    SettingsFolder folder;
    TempDir dir;
    writeFile(dir.file("anim.gif"), gifOfFrames(4));
    writeFile(dir.file("one.gif"), gifOfFrames(1));
    auto dlg = makeWindow();
    ModalCloser closer;
    ScriptedPrompts prompts;

    copyFile(dir.file("anim.gif"));
    dlg->runMoreCommand(ID_OPEN_GIF_CLIPBOARD);
    ASSERT_NE(dlg->controller().sequence().FrameImage(4), nullptr);
    EXPECT_TRUE(prompts.asked().empty());

    copyFile(dir.file("one.gif"));
    prompts.answerMessageBox(AnswerOk);
    dlg->runMoreCommand(ID_OPEN_GIF_CLIPBOARD);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, loadString(IDS_FILE_INCOMPLETE));
    EXPECT_NE(dlg->controller().sequence().FrameImage(4), nullptr);  // the frames stay
    EXPECT_EQ(dlg->controller().state(), CaptureState::Stopped);

    // Picture data rather than a copied file: the same message.
    QGuiApplication::clipboard()->setText(QStringLiteral("not a file"));
    prompts.answerMessageBox(AnswerOk);
    dlg->runMoreCommand(ID_OPEN_GIF_CLIPBOARD);
    EXPECT_EQ(prompts.asked().size(), 2u);
}

// A GIF whose frames would not fit in memory is refused with a message that
// names its size, from the file dialog and (instead of string 151) from the
// clipboard; the current frames stay.
TEST(MainCommands, AGifTooLargeForMemoryIsRefusedWithItsSize)
{
    SettingsFolder folder;
    TempDir dir;
    writeFile(dir.file("anim.gif"), gifOfFrames(3));
    std::vector<giftest::Frame> tiny;
    for (int i = 0; i < 250; ++i)
        tiny.push_back(giftest::solid(0, 0, 1, 1, uint8_t(i % 2), 10));
    writeFile(dir.file("huge.gif"),
              giftest::makeGif(3000, 2000, {RgbQuad{0, 0, 255, 0}, RgbQuad{0, 255, 0, 0}}, tiny, 0));
    auto dlg = makeWindow();
    ModalCloser closer;
    ScriptedPrompts prompts;
    ASSERT_TRUE(dlg->openGifForEditing(QString::fromStdString(dir.file("anim.gif"))));

    prompts.answerOpenFile(QString::fromStdString(dir.file("huge.gif")));
    prompts.answerMessageBox(AnswerOk);
    dlg->onOpenGif();
    ASSERT_EQ(prompts.asked().size(), 2u);
    const QString message = prompts.asked()[1].text;
    EXPECT_TRUE(message.contains(QStringLiteral("250")) && message.contains(QStringLiteral("3000×2000")))
        << message.toStdString();
    EXPECT_NE(dlg->controller().sequence().FrameImage(3), nullptr);
    EXPECT_EQ(dlg->controller().state(), CaptureState::Stopped);

    copyFile(dir.file("huge.gif"));
    prompts.answerMessageBox(AnswerOk);
    dlg->runMoreCommand(ID_OPEN_GIF_CLIPBOARD);
    ASSERT_EQ(prompts.asked().size(), 3u);
    EXPECT_EQ(prompts.asked()[2].text, message);
    EXPECT_NE(dlg->controller().sequence().FrameImage(3), nullptr);
}

TEST(MainCommands, DropsTakeExactlyOneFileAndNothingWhileRecording)
{
    SettingsFolder folder;
    TempDir dir;
    writeFile(dir.file("a.gif"), gifOfFrames(2));
    writeFile(dir.file("b.gif"), gifOfFrames(3));
    auto dlg = makeWindow();
    ModalCloser closer;
    const QString a = QString::fromStdString(dir.file("a.gif"));
    const QString b = QString::fromStdString(dir.file("b.gif"));

    EXPECT_FALSE(dlg->openDroppedFiles({a, b}));
    EXPECT_EQ(dlg->controller().state(), CaptureState::Idle);

    ASSERT_TRUE(dlg->controller().startRecording());
    EXPECT_FALSE(dlg->openDroppedFiles({b}));
    EXPECT_EQ(dlg->controller().state(), CaptureState::Recording);
    dlg->controller().requestStop();
    ASSERT_TRUE(testenv::waitUntil([&] { return dlg->controller().state() == CaptureState::Stopped; }));

    EXPECT_TRUE(dlg->openDroppedFiles({a}));
    EXPECT_NE(dlg->controller().sequence().FrameImage(2), nullptr);
    EXPECT_EQ(dlg->controller().sequence().FrameImage(3), nullptr);
}

TEST(WatermarkDialogs, TextIsTrimmedAndCutTo30AndStoredOnClose)
{
    EXPECT_EQ(CTxtLogoSettingDlg::storedText(QStringLiteral("  abc  ")), QStringLiteral("abc"));
    const QString forty = QString(40, QLatin1Char('x'));
    EXPECT_EQ(CTxtLogoSettingDlg::storedText(forty), forty.left(30));

    AppSettings s;
    s.txtEnableLogo = false;
    CTxtLogoSettingDlg dlg(s);
    EXPECT_FALSE(findControl(&dlg, IDC_TXTLOGO_TEXT)->isEnabled());
    EXPECT_TRUE(findControl(&dlg, IDC_TXTLOGO_BOLD)->isEnabled());  // until the switch is clicked
    auto* enable = findControlAs<QCheckBox>(&dlg, IDC_TXTLOGO_ENABLE);
    enable->click();
    EXPECT_TRUE(s.txtEnableLogo);
    EXPECT_TRUE(findControl(&dlg, IDC_TXTLOGO_TEXT)->isEnabled());
    findControlAs<QLineEdit>(&dlg, IDC_TXTLOGO_TEXT)->setText(QStringLiteral("  二空格  "));
    dlg.reject();
    EXPECT_EQ(s.logoText, QStringLiteral("二空格"));
}

TEST(WatermarkDialogs, PreviewShowsCorner7AtTheTopLeftAndMatchesGeneration)
{
    AppSettings s;
    s.txtEnableLogo = true;
    s.logoText = QStringLiteral("Mark");
    s.logoBk = true;
    s.logoBkColor = makeColorRef(255, 0, 0);
    s.txtLogoPos = 7;
    const RasterImage seven = textWatermarkPreview(200, 100, s, 96);
    s.txtLogoPos = 0;
    const RasterImage zero = textWatermarkPreview(200, 100, s, 96);
    EXPECT_EQ(seven.toQImage(), zero.toQImage());
    // Red background box near the top-left corner, hatching elsewhere.
    EXPECT_EQ(zero.toQImage().pixelColor(1, 2), QColor(255, 0, 0));
    EXPECT_NE(zero.toQImage().pixelColor(199, 99), QColor(255, 0, 0));
}

TEST(WatermarkDialogs, ImageDialogRefusesAnUndecodableFileWithString151)
{
    SettingsFolder folder;
    TempDir dir;
    writeFile(dir.file("broken.png"), {0x89, 'P', 'N', 'G', 1, 2, 3});
    AppSettings s;
    s.imgEnableLogo = true;
    s.logoImgFile = QStringLiteral("/old/path.png");
    s.imgLogoSize = 60;
    CLogoSettingDlg dlg(s);
    ScriptedPrompts prompts;
    prompts.answerMessageBox(AnswerOk);
    dlg.chooseFile(QString::fromStdString(dir.file("broken.png")));
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, loadString(IDS_FILE_INCOMPLETE));
    EXPECT_EQ(findControlAs<QLineEdit>(&dlg, IDC_LOGO_FILE)->text(), QStringLiteral("/old/path.png"));
    EXPECT_EQ(dlg.previewImage(), nullptr);
    EXPECT_EQ(findControlAs<QLabel>(&dlg, IDC_LOGO_SIZE_LABEL)->text(), QStringLiteral("60"));
    dlg.reject();
    EXPECT_EQ(s.logoImgFile, QStringLiteral("/old/path.png"));
    EXPECT_EQ(s.imgLogoSize, 60);
}

TEST(VersionAndAbout, LinesAndTheFixedFailureTexts)
{
    const VersionInfo compiled = compiledVersionInfo();
    CUpdateDlg update(compiled);
    EXPECT_EQ(findControlAs<QLabel>(&update, IDC_UPDATE_VERSION)->text(), installedVersionText(compiled));
    EXPECT_TRUE(installedVersionText(compiled).contains(QRegularExpression("^\\d+\\.\\d+\\.\\d+\\.\\d+$")));
    CAboutDlg about(compiled);
    EXPECT_TRUE(findControlAs<QLabel>(&about, IDC_ABOUT_VERSION)
                    ->text()
                    .startsWith(QStringLiteral("Vexlo Version ")));
    EXPECT_TRUE(findControlAs<QLabel>(&about, IDC_ABOUT_LEGAL)->text().contains(QStringLiteral("GPL")));
    ASSERT_NE(findControl(&about, IDC_ABOUT_WEBSITE), nullptr);
    ASSERT_NE(findControl(&about, IDC_ABOUT_SUPPORT), nullptr);

    const VersionInfo none;
    CUpdateDlg updateNone(none);
    EXPECT_TRUE(updateNone.installedVersion().isEmpty());
    CAboutDlg aboutNone(none);
    EXPECT_EQ(findControlAs<QLabel>(&aboutNone, IDC_ABOUT_VERSION)->text(),
              QStringLiteral("<failed to retrieve version info>"));
    EXPECT_EQ(findControlAs<QLabel>(&aboutNone, IDC_ABOUT_LEGAL)->text(),
              QStringLiteral("<failed to retrieve legal info>"));
}
