// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/capture_dlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "app/app_settings.h"
#include "app/startup_sequence.h"
#include "app/text_scale_dlg.h"
#include "capture/bottom_dialog.h"
#include "capture/capture_button_pictures.h"
#include "capture/capture_colors.h"
#include "capture/frame_sequence.h"
#include "capture/gif_import.h"
#include "capture/gif_open_rules.h"
#include "capture/left_dialog.h"
#include "capture/more_menu.h"
#include "capture/more_menu_settings.h"
#include "capture/right_dialog.h"
#include "editor/add_text_dlg.h"
#include "editor/caption_list.h"
#include "editor/size_dlg.h"
#include "effects/logo_setting_dlg.h"
#include "effects/txt_logo_setting_dlg.h"
#include "platform/control_id.h"
#include "platform/file_filters.h"
#include "platform/screen_grabber.h"
#include "platform/ui_prompts.h"
#include "res/app_icon.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "share/about_dlg.h"
#include "share/help_pages.h"
#include "share/preview_dlg.h"
#include "share/progress_wnd.h"
#include "share/qr_code_dlg.h"
#include "share/update_dlg.h"
#include "widgets/my_bitmap_button.h"

using namespace capturegeo;

namespace {
const int kButtonIds[] = {IDC_CAPTURE_OPEN,       IDC_CAPTURE_MINIMIZE, IDC_CAPTURE_SQUARE, IDC_CAPTURE_CLOSE,
                          IDC_CAPTURE_START_STOP, IDC_CAPTURE_EDIT,     IDC_CAPTURE_GIF,    IDC_CAPTURE_MORE};
}

CCaptureDlg::CCaptureDlg(std::unique_ptr<ScreenGrabber> grabber, QWidget* parent)
    : CCaptureDlg(appSettings(), captionList(), std::move(grabber), parent)
{
}

CCaptureDlg::CCaptureDlg(AppSettings& settings, CaptionList& captions, std::unique_ptr<ScreenGrabber> grabber,
                         QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint),
      settings_(settings),
      controller_(std::make_unique<CaptureController>(settings, captions, std::move(grabber)))
{
    setControlId(this, IDD_CAPTURE_DIALOG);
    // Settings, UI text scale and display ratio.
    initialiseCaptureSettings(settings);
    const QString title = loadString(IDS_APP_TITLE);
    setWindowTitle(title.isEmpty() ? QStringLiteral("Vexlo") : title);
    setWindowIcon(applicationIcon());
    setMouseTracking(true);
    // A GIF dropped on the frame is opened for editing.
    setAcceptDrops(true);

    // The capture rectangle before the bars are placed: its width is the top bar's.
    const CaptureRect initial = initialCaptureRect(settings.wndPosEmptyWidth, settings.wndPosEmptyHeight);
    controller_->setCaptureRect(initial);
    createPreview();
    left_ = new CLeftDialog(this);
    right_ = new CRightDialog(this);
    bottom_ = new CBottomDialog(this);
    connect(bottom_, &CBottomDialog::dragged, this, &CCaptureDlg::onBottomBarDragged);
    connect(left_, &CSideBarDialog::dragged, this, [this](QPoint p) { onSideBarDragged(true, p); });
    connect(right_, &CSideBarDialog::dragged, this, [this](QPoint p) { onSideBarDragged(false, p); });
    createButtons();
    setGeometry(initialTopBar(initialWindowPosition(settings), initial, settings.uiScale));
    // The bars are placed (and shown) once the window runs.
    postWindowMessage(this, UM_LAYOUT_BARS, 0, 0);
    if (settings.topWnd)
        setTopmost(true);

    messages_.on(UM_LAYOUT_BARS, [this](intptr_t w, intptr_t) { onLayoutBars(int(w)); });
    CaptureController* c = controller_.get();
    connect(c, &CaptureController::stateChanged, this, &CCaptureDlg::onStateChanged);
    connect(c, &CaptureController::frameCountChanged, this, &CCaptureDlg::updateBars);
    connect(c, &CaptureController::progressChanged, this, &CCaptureDlg::updateBars);
    connect(c, &CaptureController::captureStopped, this, &CCaptureDlg::onCaptureStopped);
    connect(c, &CaptureController::generated, this, &CCaptureDlg::onGenerated);
    updateBars();

    controller_->startWorker();
}

CCaptureDlg::~CCaptureDlg()
{
    // The worker posts to the controller: it ends before the window goes.
    controller_->shutdown();
}

// --- state --------------------------------------------------------------------

CMyBitmapButton* CCaptureDlg::button(int id) const
{
    return findControlAs<CMyBitmapButton>(this, id);
}

void CCaptureDlg::setTopmost(bool on)
{
    topmost_ = on;
    const QList<QWidget*> windows{this, left_, right_, bottom_};
    for (QWidget* w : windows) {
        if (!w)
            continue;
        if (QWindow* handle = w->windowHandle())
            handle->setFlag(Qt::WindowStaysOnTopHint, on);  // changes the stacking without re-creating
        else
            w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    }
}

void CCaptureDlg::repaintAll()
{
    updateBars();
}

void CCaptureDlg::updateBars()
{
    const CaptureBarStatus status = controller_->barStatus();
    if (left_)
        left_->setStatus(status);
    if (right_)
        right_->setStatus(status);
    if (bottom_)
        bottom_->setStatus(status);
    update();
}

void CCaptureDlg::onStateChanged()
{
    const CaptureController& c = *controller_;
    setStartStopPicture(c.state() == CaptureState::Recording && !c.stopRequested());
    updateBars();
}

// --- buttons --------------------------------------------------------------------

void CCaptureDlg::createButtons()
{
    const float s = settings_.uiScale;
    for (int id : kButtonIds) {
        auto* b = new CMyBitmapButton(this);
        setControlId(b, id);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setDefault(false);
        b->loadBitmaps(s, captureButtonPicture(id, false), captureButtonPicture(id, true));
    }
    connect(button(IDC_CAPTURE_OPEN), &QPushButton::clicked, this, &CCaptureDlg::onOpenGif);
    connect(button(IDC_CAPTURE_MINIMIZE), &QPushButton::clicked, this, &CCaptureDlg::onMinimise);
    connect(button(IDC_CAPTURE_SQUARE), &QPushButton::clicked, this, &CCaptureDlg::onSquare);
    connect(button(IDC_CAPTURE_CLOSE), &QPushButton::clicked, this, [this] { closeCapture(); });
    connect(button(IDC_CAPTURE_START_STOP), &QPushButton::clicked, this, &CCaptureDlg::onStartStop);
    connect(button(IDC_CAPTURE_EDIT), &QPushButton::clicked, this, &CCaptureDlg::onEdit);
    connect(button(IDC_CAPTURE_GIF), &QPushButton::clicked, this, &CCaptureDlg::onMakeGif);
    connect(button(IDC_CAPTURE_MORE), &QPushButton::clicked, this, &CCaptureDlg::onMore);
}

void CCaptureDlg::setStartStopPicture(bool recording)
{
    if (CMyBitmapButton* b = button(IDC_CAPTURE_START_STOP))
        b->loadBitmaps(settings_.uiScale, captureButtonPicture(IDC_CAPTURE_START_STOP, false, recording),
                       captureButtonPicture(IDC_CAPTURE_START_STOP, true, recording));
}

void CCaptureDlg::layoutButtons()
{
    auto widthOf = [this](int id) {
        const CMyBitmapButton* b = button(id);
        return b ? b->width() : 0;
    };
    ButtonWidths w;
    w.open = widthOf(IDC_CAPTURE_OPEN);
    w.minimise = widthOf(IDC_CAPTURE_MINIMIZE);
    w.square = widthOf(IDC_CAPTURE_SQUARE);
    w.close = widthOf(IDC_CAPTURE_CLOSE);
    w.startStop = widthOf(IDC_CAPTURE_START_STOP);
    w.edit = widthOf(IDC_CAPTURE_EDIT);
    w.gif = widthOf(IDC_CAPTURE_GIF);
    w.more = widthOf(IDC_CAPTURE_MORE);
    for (int id : kButtonIds)
        if (CMyBitmapButton* b = button(id))
            b->move(buttonPosition(id, width(), settings_.uiScale, w));
}

// --- windows messages -------------------------------------------------------------

bool CCaptureDlg::event(QEvent* e)
{
    if (messages_.dispatch(e))
        return true;
    return QDialog::event(e);
}

void CCaptureDlg::relayout(int newHeight)
{
    sendWindowMessage(this, UM_LAYOUT_BARS, newHeight, 0);
}

void CCaptureDlg::showBars(bool on)
{
    for (QWidget* w :
         {static_cast<QWidget*>(left_), static_cast<QWidget*>(right_), static_cast<QWidget*>(bottom_)})
        if (w)
            w->setVisible(on);
}

void CCaptureDlg::onLayoutBars(int newHeight)
{
    CaptureRect capture = controller_->captureRect();
    const BarLayout bars = layoutBars(geometry(), capture, newHeight, settings_.uiScale);
    controller_->setCaptureRect(capture);
    left_->setGeometry(bars.left);
    right_->setGeometry(bars.right);
    bottom_->setGeometry(bars.bottom);
    if (!closed_ && !isMinimized())
        showBars(true);
    updateBars();  // the position labels follow the frame
}

void CCaptureDlg::onCaptureStopped()
{
    if (makeGifAfterStop_) {
        makeGifAfterStop_ = false;
        // After this message has been handled, so the dialog runs outside it.
        QTimer::singleShot(0, this, [this] { openSizeDialogAndGenerate(); });
    }
}

void CCaptureDlg::onGenerated()
{
    if (closePending_) {
        QTimer::singleShot(0, this, [this] { closeCapture(); });
        return;
    }
    openPreviewForOutput();
}

// --- commands ----------------------------------------------------------------------

void CCaptureDlg::onStartStop()
{
    CaptureController& c = *controller_;
    if (c.state() == CaptureState::Generating)
        return;
    hidePreview();
    if (c.state() == CaptureState::Idle || c.state() == CaptureState::Stopped) {
        if (c.startRecording()) {
            setStartStopPicture(true);
            setTopmost(true);
        }
    } else if (c.state() == CaptureState::Recording) {
        // The state stays Recording until the worker answers UM_CAPTURE_STOPPED.
        c.requestStop();
        setStartStopPicture(false);
        setTopmost(settings_.topWnd);
    }
}

bool CCaptureDlg::closeCapture()
{
    if (closed_)
        return true;
    CaptureController& c = *controller_;
    if (c.state() == CaptureState::Generating) {
        promptMessageBox(this, loadString(IDS_GENERATING_WAIT));
        return false;
    }
    if (c.state() == CaptureState::Recording)
        onStartStop();
    closeCaptureSettings(settings_, pos(), c.captureRect().width(), c.captureRect().height());
    c.deleteOutput();
    c.shutdown();
    closed_ = true;
    showBars(false);
    QDialog::done(QDialog::Rejected);
    return true;
}

void CCaptureDlg::closeWhenPossible()
{
    if (closed_)
        return;
    closePending_ = true;
    // Menus and modal dialogs above this window: their loops end once this returns.
    for (int guard = 0; guard < 32; ++guard) {
        QWidget* top = QApplication::activePopupWidget();
        if (!top) {
            top = QApplication::activeModalWidget();
            if (!top || top == this)
                break;
        }
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->reject();
        else
            top->close();
        if (top->isVisible())
            top->hide();
    }
    if (controller_->state() == CaptureState::Generating)
        return;  // onGenerated() closes
    QTimer::singleShot(0, this, [this] { closeCapture(); });
}

bool CCaptureDlg::startGeneration()
{
    if (controller_->state() != CaptureState::Stopped || closed_ || closePending_)
        return false;
    hidePreview();
    const int dpiY = screen() ? qRound(screen()->logicalDotsPerInchY()) : 96;
    return controller_->startGeneration(dpiY);
}

bool CCaptureDlg::startReduce(int level, bool blackWhite)
{
    if (controller_->state() != CaptureState::Stopped || closed_ || closePending_)
        return false;
    const int dpiY = screen() ? qRound(screen()->logicalDotsPerInchY()) : 96;
    return controller_->startGeneration(dpiY, level, blackWhite);
}

void CCaptureDlg::reject()
{
    closeCapture();
}

namespace {
const char kFontFilter[] = QT_TRANSLATE_NOOP("CCaptureDlg", "字体文件(*.ttf)|*.ttf||");
}  // namespace

void CCaptureDlg::onOpenGif()
{
    if (controller_->busy() || closed_)
        return;
    const QString path = promptOpenFile(this, FileFilters::gif());
    if (path.isEmpty())
        return;
    openGifForEditing(path);
}

void CCaptureDlg::openGifFromClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QList<QUrl> urls = data && data->hasUrls() ? data->urls() : QList<QUrl>();
    const GifOpenRules::PasteChoice choice =
        GifOpenRules::choosePastedFile(urls, controller_->busy() || closed_);
    if (choice.action == GifOpenRules::PasteAction::Ignore)
        return;
    // openGifForEditing() opens the editor exactly when this holds.
    bool refusalShown = false;
    const bool editorOpened = choice.action == GifOpenRules::PasteAction::Open &&
                              openGifForEditing(choice.path, refusalShown) &&
                              controller_->sequence().FrameImage(1);
    if (!editorOpened && !refusalShown)
        promptMessageBox(this, loadString(IDS_FILE_INCOMPLETE));
}

bool CCaptureDlg::openDroppedFiles(const QStringList& paths)
{
    const std::optional<QString> path =
        GifOpenRules::chooseDroppedFile(paths, controller_->busy() || closed_);
    if (!path)
        return false;
    openGifForEditing(*path);
    return true;
}

void CCaptureDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CCaptureDlg::dropEvent(QDropEvent* event)
{
    const QStringList paths = GifOpenRules::localFiles(event->mimeData()->urls());
    event->acceptProposedAction();
    // After the drop has finished: the editor is modal and must not run inside
    // the drag and drop loop.
    QTimer::singleShot(0, this, [this, paths] { openDroppedFiles(paths); });
}

void CCaptureDlg::setInitialGif(const QString& path)
{
    initialGif_ = path;
    if (path.isEmpty())
        return;
    // Once the window's loop runs, so the editor opens above a placed frame.
    QTimer::singleShot(0, this, [this] {
        if (!closed_ && !closePending_ && !initialGif_.isEmpty())
            openGifForEditing(initialGif_);
    });
}

bool CCaptureDlg::openGifForEditing(const QString& path)
{
    bool refusalShown = false;
    return openGifForEditing(path, refusalShown);
}

bool CCaptureDlg::openGifForEditing(const QString& path, bool& refusalShown)
{
    refusalShown = false;
    CaptureController& c = *controller_;
    if (c.busy() || closed_)
        return false;
    // The progress window ("Progress", "Loading...") while the frames decode.
    GifImportRefusal refusal;
    const bool ok = c.importGif(
        path,
        [this]() -> std::unique_ptr<ModalProgress> {
            return std::make_unique<CProgressWnd>(this, progressTitle(), false);
        },
        &refusal);
    if (!ok) {
        // Other refusals are silent (or string 151 from the clipboard); these
        // are about memory, and the user should know the file is not broken.
        const QString message = GifImportRefusalMessage(refusal);
        if (!message.isEmpty()) {
            promptMessageBox(this, message);
            refusalShown = true;
        }
        return false;
    }
    if (c.sequence().FrameImage(1))
        openEditor();
    return ok;
}

void CCaptureDlg::openEditor()
{
    CaptureController& c = *controller_;
    if (c.busy() || closed_ || closePending_ || !c.sequence().FrameImage(1))
        return;
    // An ordinary window while the editor runs (modal, without a parent);
    // back on top afterwards when TopWnd says so. The state stays Stopped.
    setTopmost(false);
    int result = QDialog::Rejected;
    {
        CAddTextDlg editor(c.sequence(), c.captions(), c.settings());
        result = editor.exec();
    }
    setTopmost(settings_.topWnd);
    if (result == CAddTextDlg::Generate)
        startGeneration();
}

void CCaptureDlg::onMinimise()
{
    showMinimized();
}

void CCaptureDlg::onSquare()
{
    // The square button has no command.
}

void CCaptureDlg::onEdit()
{
    if (controller_->state() == CaptureState::Stopped && controller_->sequence().FrameImage(1))
        openEditor();
}

void CCaptureDlg::onMakeGif()
{
    const CaptureState state = controller_->state();
    if (state == CaptureState::Idle || state == CaptureState::Generating)
        return;
    if (state == CaptureState::Recording) {
        if (!makeGifAfterStop_) {
            makeGifAfterStop_ = true;
            onStartStop();  // stop; the dialog follows UM_CAPTURE_STOPPED
        }
        return;
    }
    openSizeDialogAndGenerate();
}

void CCaptureDlg::openSizeDialogAndGenerate()
{
    if (closed_ || closePending_ || controller_->state() != CaptureState::Stopped)
        return;
    const RasterImage* first = controller_->sequence().FrameImage(1);
    if (!first)
        return;
    CMyBitmapButton* edit = button(IDC_CAPTURE_EDIT);
    const QPoint corner =
        edit ? edit->mapToGlobal(QPoint(edit->width(), edit->height())) : mapToGlobal(QPoint(0, 0));
    CSizeDlg dlg(first->width(), first->height(), settings_, corner, this);
    if (dlg.exec() == QDialog::Accepted)
        startGeneration();
}

void CCaptureDlg::onMore()
{
    const int command = CMoreMenu::choose(button(IDC_CAPTURE_MORE), settings_);
    if (command != 0)
        runMoreCommand(command);
}

void CCaptureDlg::runMoreCommand(int command)
{
    if (applyMoreMenuSetting(command, settings_)) {
        if (command == ID_TOPMOST)
            setTopmost(settings_.topWnd);
        // A new rate changes the seconds the bottom bar shows.
        repaintAll();
        return;
    }
    switch (command) {
        case ID_OPEN_GIF_FILE:
            onOpenGif();
            break;
        case ID_OPEN_GIF_CLIPBOARD:
            openGifFromClipboard();
            break;
        case ID_TEXT_WATERMARK: {
            CTxtLogoSettingDlg dlg(settings_, this);
            dlg.exec();
            break;
        }
        case ID_IMAGE_WATERMARK: {
            CLogoSettingDlg dlg(settings_, this);
            dlg.exec();
            break;
        }
        case ID_SEND_FONT: {
            const QString font = promptOpenFile(this, tr(kFontFilter));
            if (!font.isEmpty())
                sendFontToPhone(font);
            break;
        }
        case ID_HELP_WHYBLANK:
            openHelpPage(loadString(IDS_HELP_WHYBLANK));
            break;
        case ID_TEXT_SCALE: {
            CTextScaleDlg dlg(settings_, this);
            dlg.exec();
            break;
        }
        case ID_CHECK_UPDATE: {
            CUpdateDlg dlg(compiledVersionInfo(), this);
            dlg.exec();
            break;
        }
        case ID_APP_ABOUT: {
            CAboutDlg dlg(compiledVersionInfo(), this);
            dlg.exec();
            break;
        }
        default:
            break;
    }
}

void CCaptureDlg::sendFontToPhone(const QString& path)
{
    CQRCodeDlg::sendFile(path, this);
}

// --- preview hooks --------------------------------------------------------------------

void CCaptureDlg::createPreview()
{
    preview_ = std::make_unique<CPreviewDlg>(controller_->outputPath(), this);
    connect(preview_.get(), &CPreviewDlg::reduceRequested, this, &CCaptureDlg::startReduce);
    connect(preview_.get(), &CPreviewDlg::editRequested, this, [this] {
        if (controller_->state() == CaptureState::Stopped)
            openEditor();
    });
}

void CCaptureDlg::hidePreview()
{
    if (preview_)
        preview_->hide();
}

void CCaptureDlg::showPreviewOnRestore()
{
    if (preview_)
        preview_->show();
}

void CCaptureDlg::openPreviewForOutput()
{
    const QString& output = controller_->outputPath();
    if (!preview_ || closed_ || output.isEmpty())
        return;
    PreviewAnchor anchor;
    anchor.topBar = frameGeometry();
    anchor.captureHeight = controller_->captureRect().height();
    anchor.ownerMinimized = isMinimized();
    preview_->showGeneratedGif(output, anchor, settings_);
}

// --- painting and input -------------------------------------------------------------------

void CCaptureDlg::paintEvent(QPaintEvent*)
{
    const float s = settings_.uiScale;
    const QRect k = rect();
    const int b = titleBandHeight(s);
    QPainter p(this);
    QLinearGradient band(0, k.top(), 0, k.top() + b);
    band.setColorAt(0, captureColors::titleBlue());
    band.setColorAt(1, captureColors::frameBlue());
    p.fillRect(QRect(k.left(), k.top(), k.width(), b), band);
    QLinearGradient body(0, b, 0, k.bottom() + 1);
    body.setColorAt(0, captureColors::white());
    body.setColorAt(1, captureColors::lightGrey());
    p.fillRect(QRect(k.left(), b, k.width(), k.height() - b), body);
    p.fillRect(QRect(k.left(), b, kSideBarWidth, k.height() - b), captureColors::frameBlue());
    p.fillRect(QRect(k.right() + 1 - kSideBarWidth, b, kSideBarWidth, k.height() - b),
               captureColors::frameBlue());

    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(std::max(1, int(14 * s)));
    font.setWeight(QFont::Bold);
    p.setFont(font);
    p.setPen(captureColors::white());
    const QString title = loadString(IDS_APP_TITLE);
    p.drawText(QRect(k.left() + 8, k.top(), 300 - (k.left() + 8), b),
               Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
               title.isEmpty() ? QStringLiteral("Vexlo") : title);

    if (controller_->blinkOn()) {
        p.fillRect(QRect(k.left(), k.bottom() + 1 - kMarkHeight, kMarkWidth, kMarkHeight),
                   captureColors::gold());
        p.fillRect(QRect(k.right() + 1 - kMarkWidth, k.bottom() + 1 - kMarkHeight, kMarkWidth, kMarkHeight),
                   captureColors::gold());
    }
}

void CCaptureDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutButtons();
}

void CCaptureDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || controller_->state() == CaptureState::Recording) {
        QDialog::mousePressEvent(event);
        return;
    }
    const QPoint c = event->position().toPoint();
    dragZone_ = topBarZone(c, size());
    if (dragZone_ != DragZone::None) {
        setCursor(zoneCursor(dragZone_));
        moving_ = false;
    } else {
        pressPoint_ = c;
        moving_ = true;
    }
}

void CCaptureDlg::mouseMoveEvent(QMouseEvent* event)
{
    if (controller_->state() == CaptureState::Recording)
        return;
    if (event->buttons() & Qt::LeftButton) {
        if (dragZone_ != DragZone::None || moving_)
            applyDragStep(topBarDrag(dragZone_, event->globalPosition().toPoint(), geometry(),
                                     controller_->captureRect(), pressPoint_));
        return;
    }
    const DragZone hover = topBarZone(event->position().toPoint(), size());
    if (hover != DragZone::None)
        setCursor(zoneCursor(hover));
    else
        unsetCursor();
}

void CCaptureDlg::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragZone_ = DragZone::None;
        moving_ = false;
        unsetCursor();
    }
    QDialog::mouseReleaseEvent(event);
}

void CCaptureDlg::applyDragStep(const DragStep& step)
{
    if (!step.accepted || controller_->state() == CaptureState::Recording)
        return;
    if (step.topBar != geometry())
        setGeometry(step.topBar);
    if (step.setCaptureTop) {
        CaptureRect capture = controller_->captureRect();
        capture.top = step.captureTop;
        controller_->setCaptureRect(capture);
    }
    relayout(step.layoutHeight);
    if (step.repaintBottom)
        updateBars();
}

void CCaptureDlg::onBottomBarDragged(DragZone zone, QPoint globalPos)
{
    applyDragStep(bottomBarDrag(zone, globalPos, geometry(), bottom_->height()));
}

void CCaptureDlg::onSideBarDragged(bool leftBar, QPoint globalPos)
{
    applyDragStep(sideBarDrag(leftBar, globalPos, geometry()));
}

void CCaptureDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();  // Enter does nothing
        return;
    }
    QDialog::keyPressEvent(event);  // Esc ends in reject(): the close sequence
}

void CCaptureDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (isMinimized()) {
            showBars(false);
            hidePreview();
        } else if (change->oldState() & Qt::WindowMinimized) {
            const QString& output = controller_->outputPath();
            if (controller_->state() == CaptureState::Stopped && !output.isEmpty() && QFile::exists(output))
                showPreviewOnRestore();
            if (!closed_)
                relayout(0);
        }
    }
    QDialog::changeEvent(event);
}
