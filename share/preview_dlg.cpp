// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/preview_dlg.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMovie>
#include <QPixmap>
#include <QScreen>
#include <QStyle>

#include "app/app_settings.h"
#include "imaging/raster_image.h"
#include "platform/control_id.h"
#include "platform/file_filters.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "share/blank_notice_dlg.h"
#include "share/gif_clipboard.h"
#include "share/gif_file_copy.h"
#include "share/gif_file_info.h"
#include "share/preview_geometry.h"
#include "share/preview_icons.h"
#include "share/qr_code_dlg.h"
#include "widgets/icon_button.h"
#include "widgets/styled_label.h"

namespace {

CIconButton* makeButton(QWidget* parent, int id, const QString& text, PreviewIcon icon)
{
    auto* b = new CIconButton(text, parent);
    setControlId(b, id);
    b->setIcons(QIcon(QPixmap::fromImage(previewIcon(icon))));
    const ColorRef blue = makeColorRef(65, 111, 181);
    const ColorRef white = makeColorRef(255, 255, 255);
    b->setColor(IconButtonColors::BackgroundIn, blue, false);
    b->setColor(IconButtonColors::BackgroundOut, blue, false);
    b->setColor(IconButtonColors::BackgroundFocus, blue, false);
    b->setColor(IconButtonColors::ForegroundIn, white, false);
    b->setColor(IconButtonColors::ForegroundOut, white, false);
    b->setColor(IconButtonColors::ForegroundFocus, white);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->resize(b->sizeHint());
    return b;
}

QAction* addCommand(QMenu& menu, const QString& text, int command)
{
    QAction* a = menu.addAction(text);
    a->setData(command);
    return a;
}

}  // namespace

// A dialog, not a plain window: the window manager then keeps it with its owner
// (the capture window), above a capture frame that stays on top.
CPreviewDlg::CPreviewDlg(const QString& gifPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      gifPath_(gifPath)
{
    setControlId(this, IDD_PREVIEW_DIALOG);
    setWindowTitle(tr("预览"));
    setModal(false);
    setSizeGripEnabled(false);
    setMinimumSize(previewgeo::kMinDragWidth, previewgeo::kMinDragHeight);

    view_ = new QLabel(this);
    setControlId(view_, IDC_PREVIEW_VIEW);
    view_->setAlignment(Qt::AlignCenter);

    info_ = new CStyledLabel(this);
    setControlId(info_, IDC_PREVIEW_INFO);
    info_->setLabelStyle(CStyledLabel::StyleBold);

    edit_ = makeButton(this, IDC_PREVIEW_EDIT, tr("编辑"), PreviewIcon::Edit);
    connect(edit_, &QPushButton::clicked, this, [this] {
        hide();  // and it stays hidden after the editor
        emit editRequested();
    });
    reduce_ = makeButton(this, IDC_PREVIEW_REDUCE, tr("压缩动画"), PreviewIcon::Compress);
    save_ = makeButton(this, IDC_PREVIEW_SAVE, tr("保存"), PreviewIcon::Save);
    help_ = makeButton(this, IDC_PREVIEW_HELP, tr("帮助"), PreviewIcon::Help);
    connect(reduce_, &QPushButton::clicked, this, [this] {
        auto menu = makeReduceMenu();
        popUpMenu(*menu, reduce_);
    });
    connect(save_, &QPushButton::clicked, this, [this] {
        auto menu = makeSaveMoreMenu();
        popUpMenu(*menu, save_);
    });
    connect(help_, &QPushButton::clicked, this, [this] {
        auto menu = makeHelpMenu();
        popUpMenu(*menu, help_);
    });

    // Centred on the screen, hidden.
    resize(320, 240);
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    layoutControls();
}

CPreviewDlg::~CPreviewDlg()
{
    if (movie_)
        movie_->stop();
}

CIconButton* CPreviewDlg::button(int id) const
{
    return findControlAs<CIconButton>(this, id);
}

QString CPreviewDlg::infoText() const
{
    return info_->text();
}

void CPreviewDlg::loadPicture(const QString& path)
{
    if (movie_) {
        movie_->stop();
        view_->setMovie(nullptr);
        movie_.reset();
    }
    buffer_.reset();
    view_->clear();
    // The bytes are kept in memory: the file may be deleted or replaced while shown.
    QFile f(path);
    gifBytes_ = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    if (gifBytes_.isEmpty())
        return;
    buffer_ = std::make_unique<QBuffer>(&gifBytes_);
    buffer_->open(QIODevice::ReadOnly);
    movie_ = std::make_unique<QMovie>(buffer_.get(), QByteArray("gif"));
    movie_->setCacheMode(QMovie::CacheNone);
    if (movie_->isValid()) {
        view_->setMovie(movie_.get());
        if (isVisible())
            movie_->start();
        else
            movie_->jumpToFrame(0);
        return;
    }
    // No animation support for it: show the first frame still.
    movie_.reset();
    buffer_.reset();
    RasterImage first;
    if (first.decodeMemory(reinterpret_cast<const uint8_t*>(gifBytes_.constData()), size_t(gifBytes_.size()),
                           ImageTypeGif))
        view_->setPixmap(QPixmap::fromImage(first.toQImage()));
}

void CPreviewDlg::ShowGif(const QString& path, int frames, int width, int height, float sizeKb,
                          const PreviewAnchor& anchor)
{
    gifPath_ = path;
    frames_ = frames;
    width_ = width;
    height_ = height;
    loadPicture(path);
    info_->setText(previewgeo::infoLine(sizeKb, width, height, frames));
    info_->update();
    for (CIconButton* b : {edit_, save_, help_})
        b->update();
    if (isVisible())
        return;
    const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    QSize size = previewgeo::windowSize(width, height, caption, anchor.topBar.height(), anchor.captureHeight);
    // Room for the whole picture above the two bands.
    size.setHeight(std::max(size.height(), height + 2 * (edit_->height() + 1)));
    resize(size);
    move(previewgeo::windowPosition(anchor.topBar));
    layoutControls();
    if (!anchor.ownerMinimized) {
        // Shown and activated, so Esc and Enter go to the preview, not the capture window.
        showNormal();
        raise();
        activateWindow();
    }
}

bool CPreviewDlg::showGeneratedGif(const QString& path, const PreviewAnchor& anchor, AppSettings& settings)
{
    const std::optional<GifFileInfo> info = measureGifFile(path);
    if (!info)
        return false;
    ShowGif(path, info->frames, info->width, info->height, info->sizeKb, anchor);
    if (sizeNoticeDue(settings.notice, info->sizeKb)) {
        CBlankNoticeDlg notice(settings, this);
        notice.exec();
    }
    return true;
}

void CPreviewDlg::layoutControls()
{
    const previewgeo::Layout l = previewgeo::layoutControls(
        size(), edit_->height(), {edit_->width(), reduce_->width(), save_->width(), help_->width()});
    view_->setGeometry(l.view);
    info_->setGeometry(l.info);
    edit_->move(l.buttons[0]);
    reduce_->move(l.buttons[1]);
    save_->move(l.buttons[2]);
    help_->move(l.buttons[3]);
    update();
}

void CPreviewDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutControls();
}

void CPreviewDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!movie_)
        return;
    if (movie_->state() == QMovie::Paused)
        movie_->setPaused(false);
    else if (movie_->state() == QMovie::NotRunning)
        movie_->start();
}

void CPreviewDlg::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (movie_)
        movie_->setPaused(true);
}

void CPreviewDlg::reject()
{
    hide();
}

void CPreviewDlg::closeEvent(QCloseEvent* event)
{
    // The close box: the temporary GIF goes with the preview.
    if (movie_)
        movie_->stop();
    if (!gifPath_.isEmpty() && QFile::exists(gifPath_) && !QFile::remove(gifPath_))
        qWarning("cannot delete %s", qPrintable(gifPath_));
    event->accept();
    hide();
}

std::unique_ptr<QMenu> CPreviewDlg::makeSaveMoreMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    addCommand(*menu, tr("发布为微信动画表情（教程）"), CmdPublishFace);
    addCommand(*menu, tr("复制到QQ/微信电脑版聊天窗口,剪贴板"), CmdCopyClipboard);
    menu->addSeparator();
    addCommand(*menu, tr("发送到本软件的手机版..."), CmdSendToPhone);
    addCommand(*menu, tr("保存到电脑..."), CmdSaveToDisk);
    return menu;
}

std::unique_ptr<QMenu> CPreviewDlg::makeHelpMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    addCommand(*menu, tr("为什么生成的动画是黑的"), CmdHelpWhyBlank);
    addCommand(*menu, tr("如何减小动画文件大小"), CmdHelpReduce);
    addCommand(*menu, tr("如何调节动画速度"), CmdHelpSpeed);
    return menu;
}

std::unique_ptr<QMenu> CPreviewDlg::makeReduceMenu()
{
    const QString levels[] = {tr("画质最好但文件最大"), tr("画质较好"), tr("画质一般"), tr("画质较差"),
                              tr("画质最差但文件最小")};
    auto menu = std::make_unique<QMenu>(this);
    for (int i = 0; i < 5; ++i)
        addCommand(*menu, levels[i], CmdReduceFirst + i);
    menu->addSeparator();
    QMenu* grey = menu->addMenu(tr("黑白效果"));
    for (int i = 0; i < 5; ++i)
        addCommand(*grey, levels[i], CmdReduceGreyFirst + i);
    return menu;
}

void CPreviewDlg::popUpMenu(QMenu& menu, CIconButton* under)
{
    // The menu's bottom-left corner at the button's top-left corner.
    const QPoint corner = under->mapToGlobal(QPoint(0, 0));
    QAction* chosen = menu.exec(corner - QPoint(0, menu.sizeHint().height()));
    if (chosen && chosen->isEnabled())
        runCommand(chosen->data().toInt());
}

void CPreviewDlg::runCommand(int command)
{
    switch (command) {
        case CmdPublishFace:
            openHelpPage(QStringLiteral("vx_face.htm"), opener_);
            break;
        case CmdCopyClipboard:
            copyToClipboard();
            break;
        case CmdSendToPhone:
            if (phoneSender_)
                phoneSender_(gifPath_);
            else
                CQRCodeDlg::sendFile(gifPath_, this);
            break;
        case CmdSaveToDisk:
            saveToDisk();
            break;
        case CmdHelpWhyBlank:
            openHelpPage(QStringLiteral("vx_whyblank.htm"), opener_);
            break;
        case CmdHelpReduce:
            openHelpPage(QStringLiteral("vx_reduce.htm"), opener_);
            break;
        case CmdHelpSpeed:
            openHelpPage(QStringLiteral("vx_speed.htm"), opener_);
            break;
        default:
            if (command >= CmdReduceFirst && command <= CmdReduceLast)
                emit reduceRequested(command - CmdReduceFirst + 1, false);
            else if (command >= CmdReduceGreyFirst && command <= CmdReduceGreyLast)
                emit reduceRequested(command - CmdReduceGreyFirst + 1, true);
            break;
    }
}

void CPreviewDlg::saveToDisk()
{
    FileDialogOptions options;
    options.filter = FileFilters::gif();
    options.defaultExt = QStringLiteral("gif");
    options.confirmOverwrite = true;
    const QString chosen = promptSaveFile(this, options);
    if (chosen.isEmpty())
        return;
    const QString destination = withDefaultExtension(chosen, options.defaultExt);
    if (copyGifFile(gifPath_, destination) == GifCopyResult::AccessDenied)
        promptMessageBox(this, tr("系统拒绝访问目的文件目录。请确认您的用户权限。"));
}

void CPreviewDlg::copyToClipboard()
{
    std::unique_ptr<QMimeData> data = gifMimeData(gifPath_);
    if (!data)
        return;  // silent, as every failure of this command
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(data.release());
}
