// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/add_text_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QTimerEvent>
#include <algorithm>
#include <cstring>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "editor/caption_list_control.h"
#include "editor/combo_select.h"
#include "editor/editor_icons.h"
#include "editor/editor_tools.h"
#include "editor/frame_ops.h"
#include "editor/picture_shrink.h"
#include "editor/size_dlg.h"
#include "editor/x_list_view.h"
#include "effects/filter_lut.h"
#include "gif/ordered_parallel.h"
#include "platform/control_id.h"
#include "platform/dialog_units.h"
#include "platform/ui_prompts.h"
#include "platform/window_message.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "widgets/color_palette_popup.h"  // (color_picker_button.h uses it inline)
#include "widgets/color_picker_button.h"
#include "widgets/icon_button.h"

namespace {

QFont editorFont()
{
    QFont f = dialogFont();
    f.setFamily(QStringLiteral("Verdana"));
    f.setPointSize(8);
    return f;
}

struct ButtonSpec {
    int id;
    const char* text;
    QRect units;
    bool check;
};

// The command row above the picture and the two caption buttons below it.
const ButtonSpec kButtons[] = {
    {IDC_EDITOR_ADD_FRAMES, QT_TRANSLATE_NOOP("CAddTextDlg", "添加帧"), {74, 1, 48, 27}, false},
    {IDC_EDITOR_DELETE_FRAMES, QT_TRANSLATE_NOOP("CAddTextDlg", "删除帧"), {121, 1, 48, 27}, false},
    {IDC_EDITOR_FILTER, QT_TRANSLATE_NOOP("CAddTextDlg", "滤镜"), {169, 1, 49, 27}, false},
    {IDC_EDITOR_CINEMAGRAPH, QT_TRANSLATE_NOOP("CAddTextDlg", "Cinemagraph"), {219, 1, 67, 27}, false},
    {IDC_EDITOR_CROP, QT_TRANSLATE_NOOP("CAddTextDlg", "裁剪"), {287, 1, 39, 27}, true},
    {IDC_EDITOR_REVERSE, QT_TRANSLATE_NOOP("CAddTextDlg", "倒序"), {327, 1, 39, 27}, false},
    {IDC_EDITOR_SLOW_PLAY, QT_TRANSLATE_NOOP("CAddTextDlg", "慢镜播放"), {367, 1, 57, 27}, true},
    {IDC_EDITOR_SPEED, QT_TRANSLATE_NOOP("CAddTextDlg", "速度"), {425, 1, 39, 27}, false},
    {IDC_EDITOR_GENERATE, QT_TRANSLATE_NOOP("CAddTextDlg", "生成动画"), {464, 1, 63, 27}, false},
    {IDC_EDITOR_ADD_CAPTION, QT_TRANSLATE_NOOP("CAddTextDlg", "添加字幕"), {74, 311, 55, 19}, false},
    {IDC_EDITOR_DELETE_CAPTION, QT_TRANSLATE_NOOP("CAddTextDlg", "删除字幕"), {129, 311, 55, 19}, false},
};

const int kTopRow[] = {IDC_EDITOR_DELETE_FRAMES, IDC_EDITOR_ADD_FRAMES, IDC_EDITOR_GENERATE,
                       IDC_EDITOR_CROP,          IDC_EDITOR_FILTER,     IDC_EDITOR_REVERSE,
                       IDC_EDITOR_SPEED,         IDC_EDITOR_SLOW_PLAY,  IDC_EDITOR_CINEMAGRAPH};
const int kBottomRow[] = {IDC_EDITOR_ADD_CAPTION, IDC_EDITOR_DELETE_CAPTION, IDC_EDITOR_SEPARATOR1,
                          IDC_EDITOR_FONT_LIST,   IDC_EDITOR_SIZE_LIST,      IDC_EDITOR_BK_STYLE,
                          IDC_EDITOR_BK_LABEL,    IDC_EDITOR_VERTICAL,       IDC_EDITOR_BOLD,
                          IDC_EDITOR_ITALIC,      IDC_EDITOR_TEXT_COLOR,     IDC_EDITOR_SEPARATOR2,
                          IDC_EDITOR_BK_COLOR,    IDC_EDITOR_CELL_EDIT};

const char* const kFontSizes[] = {"6",  "8",  "10", "11", "12", "14", "16", "18",
                                  "20", "22", "24", "26", "28", "36", "48", "72"};

QAction* addCommand(QMenu& menu, const QString& text, int command)
{
    QAction* a = menu.addAction(text);
    a->setData(command);
    return a;
}

// Copies `src` into `dst`, reusing dst's pixels when the size matches. The
// copy keeps src's flags; a palette frame is widened to 24 bits.
bool copyFrame(const RasterImage& src, RasterImage& dst)
{
    if (!src.isValid())
        return false;
    if (src.isPalette()) {
        dst = src;
        return dst.increaseTo24Bits();
    }
    if (!dst.isValid() || dst.width() != src.width() || dst.height() != src.height() || dst.depth() != 24)
        if (!dst.create(src.width(), src.height(), 24))
            return false;
    if (dst.stride() == src.stride())
        std::memcpy(dst.bits(), src.bits(), src.stride() * size_t(src.height()));
    dst.setFlags(src.flags());
    return true;
}

}  // namespace

const std::vector<int>& CAddTextDlg::modeControlIds()
{
    static const std::vector<int> ids = {
        IDC_EDITOR_DELETE_CAPTION, IDC_EDITOR_ADD_CAPTION, IDC_EDITOR_SLOW_PLAY,   IDC_EDITOR_DELETE_FRAMES,
        IDC_EDITOR_ADD_FRAMES,     IDC_EDITOR_GENERATE,    IDC_EDITOR_CROP,        IDC_EDITOR_FILTER,
        IDC_EDITOR_REVERSE,        IDC_EDITOR_SPEED,       IDC_EDITOR_CINEMAGRAPH, IDC_EDITOR_FONT_LIST,
        IDC_EDITOR_SIZE_LIST,      IDC_EDITOR_TEXT_COLOR,  IDC_EDITOR_BK_COLOR,    IDC_EDITOR_BK_STYLE,
        IDC_EDITOR_BOLD,           IDC_EDITOR_ITALIC,      IDC_EDITOR_VERTICAL,    IDC_EDITOR_CAPTION_LIST};
    return ids;
}

CAddTextDlg::CAddTextDlg(FrameSequence& sequence, CaptionList& captions, AppSettings& settings,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      seq_(sequence),
      captions_(captions),
      settings_(settings)
{
    setControlId(this, IDD_ADDTEXT_DIALOG);
    setWindowTitle(tr("编辑"));
    setModal(true);
    setFont(editorFont());
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMinimumSize(kMinDragWidth, kMinDragHeight);

    createControls();
    installEditorTools(*this);

    // Opening.
    // 2. the strip, one item per record
    strip_ = new XListView(seq_, this);
    for (int i = 0; i < seq_.count(); ++i)
        strip_->addItem(seq_.at(i));
    connect(strip_, &XListView::deleteMenuRequested, this, &CAddTextDlg::onDeleteFrames);
    placeStrip();
    strip_->initialLayout();
    // 3.-6. caption controls from the defaults
    fillCaptionControls();
    // 7. caption list set-up and the other tools
    attached_ = true;
    for (auto& t : tools_)
        t->attach(*this);
    // 8.-10.
    computePictureArea();
    setFilter(settings_.filterNumber);
    recordLayout();
    applyLayout();
}

CAddTextDlg::~CAddTextDlg()
{
    playTimer_.stop();
    tools_.clear();
}

void CAddTextDlg::installTool(std::unique_ptr<EditorTool> tool)
{
    if (!tool)
        return;
    tools_.push_back(std::move(tool));
    if (attached_)
        tools_.back()->attach(*this);
}

// --- controls ------------------------------------------------------------------

void CAddTextDlg::createControls()
{
    const DialogBaseUnits du = dialogBaseUnits(font());
    resize(mapDialogRect(QRect(0, 0, 601, 379), du).size().expandedTo(QSize(kMinDragWidth, kMinDragHeight)));
    auto place = [&](QWidget* w, int id, int x, int y, int cx, int cy) {
        setControlId(w, id);
        w->setGeometry(mapDialogRect(QRect(x, y, cx, cy), du));
        controls_.insert(id, w);
    };

    for (const ButtonSpec& b : kButtons) {
        auto* button = new CIconButton(tr(b.text), this);
        button->setCheckMode(b.check);
        button->setAutoDefault(false);
        button->setDefault(false);
        place(button, b.id, b.units.x(), b.units.y(), b.units.width(), b.units.height());
    }
    for (int id : kTopRow) {
        const QImage icon = editorButtonIcon(id);
        if (!icon.isNull())
            button(id)->setIcons(QIcon(QPixmap::fromImage(icon)));
    }
    button(IDC_EDITOR_ADD_CAPTION)->setTooltipText(tr("增加一条字幕"));
    button(IDC_EDITOR_DELETE_CAPTION)->setTooltipText(tr("删除字幕"));

    auto separator = [&](int id, int x) {
        auto* f = new QFrame(this);
        f->setFrameShape(QFrame::Box);
        f->setFrameShadow(QFrame::Plain);
        f->setStyleSheet(QStringLiteral("color: black"));
        place(f, id, x, 312, 2, 16);
    };
    separator(IDC_EDITOR_SEPARATOR1, 188);
    separator(IDC_EDITOR_SEPARATOR2, 461);

    place(new QCheckBox(tr("竖排"), this), IDC_EDITOR_VERTICAL, 194, 317, 27, 10);
    fontList_ = new QComboBox(this);
    place(fontList_, IDC_EDITOR_FONT_LIST, 225, 314, 136, 30);
    sizeList_ = new QComboBox(this);
    place(sizeList_, IDC_EDITOR_SIZE_LIST, 368, 314, 26, 30);
    place(new QCheckBox(QStringLiteral("B"), this), IDC_EDITOR_BOLD, 399, 317, 19, 10);
    place(new QCheckBox(QStringLiteral("I"), this), IDC_EDITOR_ITALIC, 419, 317, 16, 10);
    place(new CColorPickerButton(this), IDC_EDITOR_TEXT_COLOR, 436, 317, 20, 10);
    place(new QLabel(tr("文字背景:"), this), IDC_EDITOR_BK_LABEL, 466, 318, 38, 8);
    bkStyleList_ = new QComboBox(this);
    place(bkStyleList_, IDC_EDITOR_BK_STYLE, 500, 315, 34, 30);
    place(new CColorPickerButton(this), IDC_EDITOR_BK_COLOR, 539, 317, 20, 10);
    // A drop-down's height in the template includes its list; the closed box
    // is as high as the style makes it.
    for (QComboBox* c : {fontList_, sizeList_, bkStyleList_})
        c->resize(c->width(), c->sizeHint().height());

    captionList_ = createCaptionListControl(this);
    place(captionList_, IDC_EDITOR_CAPTION_LIST, 75, 334, 526, 45);
    auto* cellEdit = new QLineEdit(this);
    place(cellEdit, IDC_EDITOR_CELL_EDIT, 90, 344, 19, 14);
    cellEdit->hide();

    connect(button(IDC_EDITOR_ADD_FRAMES), &QPushButton::clicked, this, &CAddTextDlg::onInsertFrames);
    connect(button(IDC_EDITOR_DELETE_FRAMES), &QPushButton::clicked, this, &CAddTextDlg::onDeleteFrames);
    connect(button(IDC_EDITOR_FILTER), &QPushButton::clicked, this, &CAddTextDlg::onFilter);
    connect(button(IDC_EDITOR_CINEMAGRAPH), &QPushButton::clicked, this, &CAddTextDlg::onCinemagraph);
    connect(button(IDC_EDITOR_CROP), &QPushButton::clicked, this, &CAddTextDlg::onCrop);
    connect(button(IDC_EDITOR_REVERSE), &QPushButton::clicked, this, &CAddTextDlg::onReverse);
    connect(button(IDC_EDITOR_SLOW_PLAY), &QPushButton::clicked, this, &CAddTextDlg::onSlowPlay);
    connect(button(IDC_EDITOR_SPEED), &QPushButton::clicked, this, &CAddTextDlg::onSpeed);
    connect(button(IDC_EDITOR_GENERATE), &QPushButton::clicked, this, &CAddTextDlg::onGenerate);
    // Buttons 5 and 3 and the caption controls belong to the captions tool.
    for (int id : {IDC_EDITOR_ADD_CAPTION, IDC_EDITOR_DELETE_CAPTION})
        connect(button(id), &QPushButton::clicked, this, [this, id] { offerCommand(id); });
}

void CAddTextDlg::fillCaptionControls()
{
    // Scalable families only (what stands for TrueType here), no vertical "@" faces.
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        if (!family.startsWith(QLatin1Char('@')) && QFontDatabase::isSmoothlyScalable(family))
            fontList_->addItem(family);
    if (selectComboByString(*fontList_, settings_.defaultFontName) < 0 && fontList_->count() > 0)
        fontList_->setCurrentIndex(0);

    for (const char* s : kFontSizes)
        sizeList_->addItem(QString::fromLatin1(s));
    if (selectComboByString(*sizeList_, QString::number(settings_.defaultFontSize)) < 0)
        sizeList_->setCurrentIndex(0);

    findControlAs<QCheckBox>(this, IDC_EDITOR_BOLD)->setChecked(settings_.defaultFontBold);
    findControlAs<QCheckBox>(this, IDC_EDITOR_ITALIC)->setChecked(settings_.defaultFontItalic);
    findControlAs<QCheckBox>(this, IDC_EDITOR_VERTICAL)->setChecked(settings_.defaultFontVertical);
    findControlAs<CColorPickerButton>(this, IDC_EDITOR_TEXT_COLOR)->setColor(settings_.defaultFontColor);
    findControlAs<CColorPickerButton>(this, IDC_EDITOR_BK_COLOR)->setColor(settings_.defaultFontBkColor);

    for (const char* s :
         {QT_TRANSLATE_NOOP("CAddTextDlg", "不用了"), QT_TRANSLATE_NOOP("CAddTextDlg", "方框"),
          QT_TRANSLATE_NOOP("CAddTextDlg", "细描边"), QT_TRANSLATE_NOOP("CAddTextDlg", "粗描边")})
        bkStyleList_->addItem(tr(s));
    bkStyleList_->setCurrentIndex(std::clamp(settings_.defaultFontBkStyle, 0, 3));
}

void CAddTextDlg::storeDefaults()
{
    settings_.defaultFontName = fontList_->currentText().left(kMaxFontNameChars);
    bool ok = false;
    const int size = sizeList_->currentText().toInt(&ok);
    if (ok && size > 0)
        settings_.defaultFontSize = size;
    settings_.defaultFontBold = findControlAs<QCheckBox>(this, IDC_EDITOR_BOLD)->isChecked();
    settings_.defaultFontItalic = findControlAs<QCheckBox>(this, IDC_EDITOR_ITALIC)->isChecked();
    settings_.defaultFontVertical = findControlAs<QCheckBox>(this, IDC_EDITOR_VERTICAL)->isChecked();
    settings_.defaultFontColor = findControlAs<CColorPickerButton>(this, IDC_EDITOR_TEXT_COLOR)->color();
    settings_.defaultFontBkColor = findControlAs<CColorPickerButton>(this, IDC_EDITOR_BK_COLOR)->color();
    settings_.defaultFontBkStyle = std::max(0, bkStyleList_->currentIndex());
}

QWidget* CAddTextDlg::control(int id) const
{
    return controls_.value(id, nullptr);
}

CIconButton* CAddTextDlg::button(int id) const
{
    return qobject_cast<CIconButton*>(control(id));
}

// --- layout --------------------------------------------------------------------

void CAddTextDlg::placeStrip()
{
    const int w = std::max(1, button(IDC_EDITOR_ADD_CAPTION)->x() - 2);
    strip_->setGeometry(0, 0, w, height());
}

void CAddTextDlg::computePictureArea()
{
    const QWidget* b5 = control(IDC_EDITOR_ADD_CAPTION);
    const QWidget* b7 = control(IDC_EDITOR_DELETE_FRAMES);
    const int left = b5->x() - 5;
    const int top = b7->y() + b7->height() + 1;
    const int bottom = b5->y() - 5;
    area_ = QRect(left, top, std::max(0, width() - left), std::max(0, bottom - top));
}

void CAddTextDlg::recordLayout()
{
    placements_.clear();
    const int w = width();
    const int h = height();
    for (int id : kTopRow) {
        QWidget* c = control(id);
        placements_.push_back({c, c->x(), c->y(), 0, -1, false});
    }
    for (int id : kBottomRow) {
        QWidget* c = control(id);
        placements_.push_back({c, c->x(), 0, h - c->y(), -1, true});
    }
    QWidget* list = captionList_;
    placements_.push_back({list, list->x(), 0, h - list->y(), w - (list->x() + list->width()), true});
    layoutRecorded_ = true;
}

void CAddTextDlg::applyLayout()
{
    if (!layoutRecorded_)
        return;
    const int w = width();
    const int h = height();
    for (const Placement& p : placements_) {
        const int y = p.bottomAnchored ? h - p.fromBottom : p.top;
        if (p.fromRight >= 0)
            p.widget->setGeometry(p.left, y, std::max(1, w - p.fromRight - p.left), p.widget->height());
        else
            p.widget->move(p.left, y);
    }
    placeStrip();
    strip_->layoutItems();
    computePictureArea();
    update();
}

void CAddTextDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    for (auto& t : tools_)
        t->resized();
    applyLayout();
}

// --- picture area ----------------------------------------------------------------

QImage CAddTextDlg::renderPictureArea()
{
    paintPicture(areaBuffer_);
    return areaBuffer_;
}

void CAddTextDlg::paintPicture(QImage& buffer)
{
    if (area_.isEmpty()) {
        buffer = QImage();
        return;
    }
    if (buffer.size() != area_.size())
        buffer = QImage(area_.size(), QImage::Format_RGB32);
    if (hatch_.size() != area_.size()) {
        // Diagonal cross-hatch, grey on white, aligned to the buffer origin;
        // drawn once per area size and copied where the frame does not cover.
        hatch_ = QImage(area_.size(), QImage::Format_RGB32);
        QPainter h(&hatch_);
        h.fillRect(hatch_.rect(), Qt::white);
        h.setBrushOrigin(0, 0);
        h.fillRect(hatch_.rect(), QBrush(QColor(191, 191, 191), Qt::DiagCrossPattern));
    }

    QRect target;
    const FrameRecord* rec = seq_.at(current_ - 1);
    if (rec && rec->included() && copyFrame(*rec->image, frameBuffer_)) {
        if (filter_)
            filter_->apply(frameBuffer_);
        for (auto& t : tools_)
            t->drawOnFrame(frameBuffer_, current_);
        geometry_ = fitPicture(QSize(frameBuffer_.width(), frameBuffer_.height()), area_);
        target = geometry_.image.translated(-area_.topLeft()) & buffer.rect();
        if (!target.isEmpty()) {
            // Averaging shrink once per paint, from the frame buffer straight
            // into the area buffer.
            QImage view(buffer.bits() + qsizetype(target.top()) * buffer.bytesPerLine() + target.left() * 4,
                        target.width(), target.height(), buffer.bytesPerLine(), QImage::Format_RGB32);
            if (!shrinkInto(frameBuffer_, view, 0, generationThreadCount()))
                target = QRect();
        }
    }
    QPainter p(&buffer);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QRegion around = QRegion(buffer.rect()).subtracted(QRegion(target));
    for (const QRect& r : around)
        p.drawImage(r.topLeft(), hatch_, r);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.translate(-area_.topLeft());
    p.setClipRect(area_);
    for (auto& t : tools_)
        t->paintOverImage(p, geometry_.image);
}

void CAddTextDlg::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    // Controls repainting over the dialog's background do not redraw the frame.
    if (event->rect().intersects(area_)) {
        paintPicture(areaBuffer_);
        if (!areaBuffer_.isNull())
            p.drawImage(area_.topLeft(), areaBuffer_);
    }
    for (auto& t : tools_)
        t->paintOverArea(p);
}

void CAddTextDlg::requestRepaint()
{
    update(area_);
}

void CAddTextDlg::redrawStrip()
{
    strip_->redraw();
}

QPoint CAddTextDlg::toFramePixels(const QPoint& clientPos) const
{
    return ::toFramePixels(clientPos, geometry_);
}

void CAddTextDlg::showFrame(int n)
{
    if (mode_ == EditorMode::Playing) {
        stopPlayback();
        button(IDC_EDITOR_SLOW_PLAY)->setCheck(0);
    }
    current_ = n;
    for (auto& t : tools_)
        t->frameShown(n);
    requestRepaint();
}

// --- modes -----------------------------------------------------------------------

bool CAddTextDlg::enterMode(EditorMode mode)
{
    if (mode == EditorMode::Normal || mode_ != EditorMode::Normal)
        return false;
    mode_ = mode;
    const int keep = mode == EditorMode::Playing ? IDC_EDITOR_SLOW_PLAY
                     : mode == EditorMode::Crop  ? IDC_EDITOR_CROP
                                                 : 0;
    for (int id : modeControlIds())
        if (QWidget* c = control(id))
            c->setEnabled(id == keep);
    return true;
}

void CAddTextDlg::leaveMode()
{
    mode_ = EditorMode::Normal;
    for (int id : modeControlIds())
        if (QWidget* c = control(id))
            c->setEnabled(true);
}

// --- messages ----------------------------------------------------------------------

bool CAddTextDlg::event(QEvent* e)
{
    if (const WindowMessage* m = asWindowMessage(e)) {
        switch (m->id()) {
            case UM_SHOW_FRAME:
                showFrame(int(m->lParam()));
                return true;
            case UM_FILTER_CHOSEN:
                setFilter(int(m->lParam()));
                return true;
            default:
                break;
        }
    }
    return QDialog::event(e);
}

void CAddTextDlg::setFilter(int number)
{
    filter_.reset();
    CIconButton* b = button(IDC_EDITOR_FILTER);
    if (number <= 0) {
        settings_.filterNumber = 0;
        b->setText(tr("滤镜: 无"));
    } else {
        filter_ = FilterLut::load(number);
        if (filter_) {
            settings_.filterNumber = number;
            b->setText(tr("滤镜: %1").arg(number));
        } else {
            settings_.filterNumber = 0;
            b->setText(tr("滤镜: 无"));
        }
    }
    requestRepaint();
}

// --- mouse -----------------------------------------------------------------------------

EditorMouseEvent CAddTextDlg::mouseEvent(const QMouseEvent* e) const
{
    EditorMouseEvent m;
    m.pos = e->position().toPoint();
    m.button = e->button();
    m.buttons = e->buttons();
    m.modifiers = e->modifiers();
    return m;
}

void CAddTextDlg::mousePressEvent(QMouseEvent* e)
{
    const EditorMouseEvent m = mouseEvent(e);
    for (auto& t : tools_)
        if (t->mousePress(m))
            return;
    QDialog::mousePressEvent(e);
}

void CAddTextDlg::mouseMoveEvent(QMouseEvent* e)
{
    const EditorMouseEvent m = mouseEvent(e);
    updateCursor(m.pos);
    for (auto& t : tools_)
        if (t->mouseMove(m))
            return;
    QDialog::mouseMoveEvent(e);
}

void CAddTextDlg::mouseReleaseEvent(QMouseEvent* e)
{
    const EditorMouseEvent m = mouseEvent(e);
    for (auto& t : tools_)
        if (t->mouseRelease(m))
            return;
    QDialog::mouseReleaseEvent(e);
}

void CAddTextDlg::mouseDoubleClickEvent(QMouseEvent* e)
{
    const EditorMouseEvent m = mouseEvent(e);
    for (auto& t : tools_)
        if (t->mouseDoubleClick(m))
            return;
    QDialog::mouseDoubleClickEvent(e);
}

void CAddTextDlg::updateCursor(const QPoint& pos)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    for (auto& t : tools_)
        if (t->cursorAt(pos, shape))
            break;
    if (shape == Qt::ArrowCursor)
        unsetCursor();
    else
        setCursor(shape);
}

void CAddTextDlg::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();  // Enter does nothing
        return;
    }
    QDialog::keyPressEvent(e);
}

// --- commands ----------------------------------------------------------------------------

bool CAddTextDlg::offerCommand(int id)
{
    for (auto& t : tools_)
        if (t->command(id))
            return true;
    return false;
}

QAction* CAddTextDlg::popUpMenu(QMenu& menu, QWidget* under)
{
    const QPoint at = under ? under->mapToGlobal(QPoint(0, under->height())) : QCursor::pos();
    return menuRunner_ ? menuRunner_(menu, at) : menu.exec(at);
}

void CAddTextDlg::popUp(QMenu& menu, QWidget* under)
{
    QAction* chosen = popUpMenu(menu, under);
    if (chosen && chosen->data().isValid())
        runCommand(chosen->data().toInt());
}

std::unique_ptr<QMenu> CAddTextDlg::makeDeleteMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    addCommand(*menu, tr("删除或取消删除"), CmdToggleDeleted);
    addCommand(*menu, tr("彻底移除(不可恢复)"), CmdRemoveFrames);
    return menu;
}

std::unique_ptr<QMenu> CAddTextDlg::makeInsertMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    addCommand(*menu, loadString(IDS_INSERT_BEFORE).replace(QLatin1String("%d"), QString::number(current_)),
               CmdInsertBefore);
    addCommand(*menu, loadString(IDS_INSERT_AFTER).replace(QLatin1String("%d"), QString::number(current_)),
               CmdInsertAfter);
    return menu;
}

std::unique_ptr<QMenu> CAddTextDlg::makeSpeedMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    addCommand(*menu, tr("加快动画速度"), CmdFaster);
    addCommand(*menu, tr("减慢动画速度"), CmdSlower);
    return menu;
}

std::unique_ptr<QMenu> CAddTextDlg::makeReverseMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    addCommand(*menu, tr("在时间上逆序"), CmdReverse);
    addCommand(*menu, tr("左旋 90 度"), CmdRotateLeft);
    addCommand(*menu, tr("右旋 90 度"), CmdRotateRight);
    addCommand(*menu, tr("上下翻转"), CmdFlipVertical);
    addCommand(*menu, tr("左右翻转"), CmdFlipHorizontal);
    return menu;
}

void CAddTextDlg::runCommand(int command)
{
    switch (command) {
        case CmdToggleDeleted:
            strip_->toggleSelectedIncluded();
            strip_->redraw();
            requestRepaint();
            strip_->setFocus(Qt::OtherFocusReason);
            break;
        case CmdRemoveFrames:
            if (promptMessageBox(this, loadString(IDS_CONFIRM_REMOVE_FRAMES), QString(),
                                 MB_OKCANCEL | MB_ICONQUESTION) != AnswerOk)
                break;
            if (strip_->removeSelected()) {
                strip_->clearSelection();
                framesChanged();
            }
            break;
        case CmdInsertBefore:
            strip_->insertPictures(current_ - 1);
            framesChanged();
            break;
        case CmdInsertAfter:
            strip_->insertPictures(current_);
            framesChanged();
            break;
        case CmdFaster:
            strip_->faster();
            break;
        case CmdSlower:
            strip_->slower();
            break;
        case CmdReverse:
            if (seq_.count() >= 2) {
                current_ = frameops::reverse(seq_, current_);
                strip_->resyncItems();
                framesChanged();
            }
            break;
        case CmdRotateLeft:
            frameops::rotateLeft(seq_);
            framesChanged();
            break;
        case CmdRotateRight:
            frameops::rotateRight(seq_);
            framesChanged();
            break;
        case CmdFlipVertical:
            frameops::flipVertical(seq_);
            framesChanged();
            break;
        case CmdFlipHorizontal:
            frameops::flipHorizontal(seq_);
            framesChanged();
            break;
        default:
            break;
    }
}

void CAddTextDlg::framesChanged()
{
    for (auto& t : tools_)
        t->framesChanged();
    strip_->redraw();
    requestRepaint();
}

void CAddTextDlg::onInsertFrames()
{
    if (offerCommand(IDC_EDITOR_ADD_FRAMES))
        return;
    if (current_ <= 0) {
        strip_->insertPictures(0);
        framesChanged();
        return;
    }
    auto menu = makeInsertMenu();
    popUp(*menu, button(IDC_EDITOR_ADD_FRAMES));
}

void CAddTextDlg::onDeleteFrames()
{
    if (offerCommand(IDC_EDITOR_DELETE_FRAMES))
        return;
    auto menu = makeDeleteMenu();
    popUp(*menu, button(IDC_EDITOR_DELETE_FRAMES));
}

void CAddTextDlg::onFilter()
{
    // The filter dialog is a tool; it answers with UM_FILTER_CHOSEN.
    offerCommand(IDC_EDITOR_FILTER);
}

void CAddTextDlg::onCinemagraph()
{
    offerCommand(IDC_EDITOR_CINEMAGRAPH);
}

void CAddTextDlg::onCrop()
{
    if (!offerCommand(IDC_EDITOR_CROP) && mode_ != EditorMode::Crop)
        button(IDC_EDITOR_CROP)->setCheck(0);
}

void CAddTextDlg::onReverse()
{
    if (offerCommand(IDC_EDITOR_REVERSE))
        return;
    auto menu = makeReverseMenu();
    popUp(*menu, button(IDC_EDITOR_REVERSE));
    // Whatever was chosen, dismissed included.
    strip_->redraw();
    requestRepaint();
}

void CAddTextDlg::onSpeed()
{
    if (offerCommand(IDC_EDITOR_SPEED))
        return;
    auto menu = makeSpeedMenu();
    popUp(*menu, button(IDC_EDITOR_SPEED));
}

void CAddTextDlg::onGenerate()
{
    if (offerCommand(IDC_EDITOR_GENERATE))
        return;
    const RasterImage* first = seq_.FrameImage(1);
    if (!first)
        return;
    QWidget* b6 = control(IDC_EDITOR_SLOW_PLAY);
    const QPoint at = b6->mapToGlobal(QPoint(b6->width(), b6->height()));
    CSizeDlg dlg(first->width(), first->height(), settings_, at, this);
    const bool ok = sizeRunner_ ? sizeRunner_(dlg) : dlg.exec() == QDialog::Accepted;
    if (ok)
        finish(Generate);
}

// --- playback ------------------------------------------------------------------------------

void CAddTextDlg::onSlowPlay()
{
    if (mode_ == EditorMode::Playing) {
        stopPlayback();
        return;
    }
    if (strip_->count() <= 1 || !enterMode(EditorMode::Playing)) {
        button(IDC_EDITOR_SLOW_PLAY)->setCheck(mode_ == EditorMode::Playing ? 1 : 0);
        return;
    }
    startPlayback();
}

void CAddTextDlg::startPlayback()
{
    strip_->clearSelection();
    const int itemHeight = std::max(1, strip_->itemHeight());
    current_ = strip_->scrollPosition() / itemHeight + 1;
    const FrameRecord* r = seq_.at(current_ - 1);
    if (r && r->included()) {
        strip_->selectOnly(current_ - 1);
        strip_->redraw();
        requestRepaint();
    }
    button(IDC_EDITOR_SLOW_PLAY)->setCheck(1);
    playTimer_.start(kPlaybackMs, this);
}

void CAddTextDlg::stopPlayback()
{
    playTimer_.stop();
    if (mode_ == EditorMode::Playing)
        leaveMode();
}

void CAddTextDlg::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == playTimer_.timerId()) {
        playbackTick();
        return;
    }
    QDialog::timerEvent(e);
}

void CAddTextDlg::playbackTick()
{
    const int next = frameops::nextPlaybackFrame(seq_, current_);
    if (next == 0) {
        stopPlayback();
        button(IDC_EDITOR_SLOW_PLAY)->setCheck(0);
        return;
    }
    current_ = next;
    selectAndReveal(current_);
    for (auto& t : tools_)
        t->frameShown(current_);
    strip_->redraw();
    requestRepaint();
}

void CAddTextDlg::selectAndReveal(int frame)
{
    strip_->clearSelection();
    strip_->selectOnly(frame - 1);
    const int ih = std::max(1, strip_->itemHeight());
    const int n = strip_->count();
    const int first = strip_->scrollPosition() / ih;
    const int visible = std::min(n, (strip_->viewport()->height() + ih - 1) / ih);
    if (frame <= first || frame > first + visible)
        strip_->scrollTo((frame - 1) * ih);
}

// --- closing -------------------------------------------------------------------------------

void CAddTextDlg::reject()
{
    finish(QDialog::Rejected);
}

void CAddTextDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    reject();
}

void CAddTextDlg::finish(int result)
{
    if (finished_)
        return;
    finished_ = true;
    playTimer_.stop();
    for (auto& t : tools_)
        t->closing();
    if (mode_ != EditorMode::Normal)
        leaveMode();
    strip_->releaseItems();
    storeDefaults();
    done(result);
}
