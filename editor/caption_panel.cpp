// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/caption_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QWidget>

#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "editor/caption_preview_renderer.h"
#include "editor/combo_select.h"
#include "editor/list_ctrl_ex.h"
#include "platform/sys_colors.h"
#include "platform/window_message.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "widgets/color_palette_popup.h"  // (color_picker_button.h uses it inline)
#include "widgets/color_picker_button.h"

using namespace caption_editing;

namespace {

// Selects by string; the selection stays when nothing matches.
void selectByString(QComboBox* combo, const QString& text)
{
    if (combo)
        selectComboByString(*combo, text);
}

}  // namespace

CaptionPanel::CaptionPanel() = default;

CaptionPanel::~CaptionPanel()
{
    // The list may outlive the tool by a moment while the editor goes away: it
    // must not call back into it.
    if (list_)
        list_->setDefaultEditor(nullptr, nullptr, list_->editor());
}

CListCtrlEx* CaptionPanel::list() const
{
    return list_;
}

void CaptionPanel::attach(EditorHost& host)
{
    host_ = &host;
    list_ = qobject_cast<CListCtrlEx*>(host.captionListControl());
    cellEditor_ = qobject_cast<QLineEdit*>(host.control(IDC_EDITOR_CELL_EDIT));
    fontList_ = qobject_cast<QComboBox*>(host.control(IDC_EDITOR_FONT_LIST));
    sizeList_ = qobject_cast<QComboBox*>(host.control(IDC_EDITOR_SIZE_LIST));
    bkStyleList_ = qobject_cast<QComboBox*>(host.control(IDC_EDITOR_BK_STYLE));
    bold_ = qobject_cast<QCheckBox*>(host.control(IDC_EDITOR_BOLD));
    italic_ = qobject_cast<QCheckBox*>(host.control(IDC_EDITOR_ITALIC));
    vertical_ = qobject_cast<QCheckBox*>(host.control(IDC_EDITOR_VERTICAL));
    textColor_ = qobject_cast<CColorPickerButton*>(host.control(IDC_EDITOR_TEXT_COLOR));
    bkColor_ = qobject_cast<CColorPickerButton*>(host.control(IDC_EDITOR_BK_COLOR));

    // Only the user's own choices count as changes (the editor fills and sets
    // the controls at opening without touching any caption).
    if (fontList_)
        connect(fontList_, &QComboBox::activated, this, [this] { controlChanged(StyleChange::Face); });
    if (sizeList_)
        connect(sizeList_, &QComboBox::activated, this, [this] { controlChanged(StyleChange::Size); });
    if (bkStyleList_)
        connect(bkStyleList_, &QComboBox::activated, this,
                [this] { controlChanged(StyleChange::BackgroundStyle); });
    if (bold_)
        connect(bold_, &QCheckBox::clicked, this, [this] { controlChanged(StyleChange::Bold); });
    if (italic_)
        connect(italic_, &QCheckBox::clicked, this, [this] { controlChanged(StyleChange::Italic); });
    if (vertical_)
        connect(vertical_, &QCheckBox::clicked, this, [this] { verticalClicked(); });
    if (textColor_)
        connect(textColor_, &QPushButton::clicked, this, [this] { controlChanged(StyleChange::TextColor); });
    if (bkColor_)
        connect(bkColor_, &QPushButton::clicked, this,
                [this] { controlChanged(StyleChange::BackgroundColor); });

    if (!list_)
        return;
    for (int k = 0; k < CaptionColumnCount; ++k)
        list_->addColumn(columnHeading(k), columnWidth(k));
    list_->setDefaultEditor(
        [this](QWidget* ed, int, int column, QString& text, void* data, CListCtrlEx*) {
            return beginCellEdit(ed, column, text, data);
        },
        [this](QWidget* ed, int, int column, QString& text, void* data, CListCtrlEx*, bool) {
            // However the edit ended, what was typed is applied.
            return endCellEdit(ed, column, text, data);
        },
        cellEditor_);
    connect(list_, &CListCtrlEx::rowClicked, this, [this](int row, Qt::MouseButton) { rowClicked(row); });
    fillList();
}

int CaptionPanel::dpi() const
{
    const QWidget* w = host_ ? host_->editorWidget() : nullptr;
    return w ? w->logicalDpiY() : 96;
}

int CaptionPanel::recordCount() const
{
    return host_ ? host_->sequence().count() : 0;
}

void CaptionPanel::fillList()
{
    // In list order, each on top: the newest caption ends up as the top row.
    for (auto& caption : host_->captions())
        insertRow(caption.get());
}

void CaptionPanel::insertRow(CaptionItem* caption)
{
    const int row = list_->insertItemRow(0, caption);
    for (int k = 0; k < CaptionColumnCount; ++k)
        list_->setCellText(row, k, cellText(*caption, k));
}

void CaptionPanel::updateRow(const CaptionItem* caption)
{
    if (!list_ || !caption)
        return;
    const int row = list_->findRow(caption);
    if (row < 0)
        return;
    for (int k = 0; k < CaptionColumnCount; ++k)
        if (!(list_->isEditing() && list_->editingRow() == row && list_->editingColumn() == k))
            list_->setCellText(row, k, cellText(*caption, k));
}

CaptionStyle CaptionPanel::controlStyle() const
{
    CaptionStyle s;
    if (fontList_)
        s.face = fontList_->currentText();
    if (sizeList_)
        s.points = sizeList_->currentText().toInt();
    s.bold = bold_ && bold_->isChecked();
    s.italic = italic_ && italic_->isChecked();
    s.vertical = vertical_ && vertical_->isChecked();
    if (textColor_)
        s.textColor = textColor_->color();
    if (bkColor_)
        s.backgroundColor = bkColor_->color();
    if (bkStyleList_)
        s.backgroundStyle = std::max(0, bkStyleList_->currentIndex());
    return s;
}

void CaptionPanel::loadControls(const CaptionItem& caption)
{
    const CaptionStyle s = styleOf(caption, dpi());
    selectByString(fontList_, s.face);
    selectByString(sizeList_, QString::number(s.points));
    if (bold_)
        bold_->setChecked(s.bold);
    if (italic_)
        italic_->setChecked(s.italic);
    if (vertical_)
        vertical_->setChecked(s.vertical);
    if (bkStyleList_ && s.backgroundStyle >= 0 && s.backgroundStyle < bkStyleList_->count())
        bkStyleList_->setCurrentIndex(s.backgroundStyle);
    if (textColor_)
        textColor_->setColor(s.textColor);
    if (bkColor_)
        bkColor_->setColor(s.backgroundColor);
}

bool CaptionPanel::command(int id)
{
    if (id == IDC_EDITOR_ADD_CAPTION) {
        addCaption();
        return true;
    }
    if (id == IDC_EDITOR_DELETE_CAPTION) {
        deleteSelectedCaption();
        return true;
    }
    return false;
}

void CaptionPanel::addCaption()
{
    if (!host_ || !list_)
        return;
    const RasterImage* first = host_->sequence().FrameImage(1);
    if (!first)
        return;
    unsigned r1 = 0, r2 = 0;
    newCaptionRandoms(QDateTime::currentSecsSinceEpoch(), r1, r2);
    CaptionItem* caption = host_->captions().append(
        newCaption(controlStyle(), loadString(IDS_NEW_CAPTION_TEXT), host_->currentFrame(), recordCount(),
                   first->height(), dpi(), r1, r2));
    if (!caption)
        return;
    insertRow(caption);
    host_->requestRepaint();
    // The user types the caption's text at once.
    list_->beginEdit(0, CaptionColumnText);
}

void CaptionPanel::deleteSelectedCaption()
{
    if (!host_ || !list_)
        return;
    const int row = list_->selectedItemRow();
    if (row < 0)
        return;
    auto* caption = static_cast<CaptionItem*>(list_->itemData(row));
    list_->deleteItemRow(row);
    host_->captions().remove(caption);
    host_->requestRepaint();
}

void CaptionPanel::rowClicked(int row)
{
    if (!host_ || row < 0)
        return;
    auto* caption = static_cast<CaptionItem*>(list_->itemData(row));
    if (!caption || host_->captions().indexOf(caption) < 0)
        return;
    host_->captions().selectOnly(caption);
    loadControls(*caption);
    postWindowMessage(host_->editorWidget(), UM_SHOW_FRAME, 0, caption->firstFrame);
}

bool CaptionPanel::beginCellEdit(QWidget* editor, int column, QString& text, void* data)
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    const auto* caption = static_cast<const CaptionItem*>(data);
    if (!edit || !caption)
        return false;
    if (!digitsOnly_)
        digitsOnly_ = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    edit->setValidator(cellTakesDigitsOnly(column) ? digitsOnly_ : nullptr);
    const int maxLength = cellEditorMaxLength(*caption, column);
    edit->setMaxLength(maxLength > 0 ? maxLength : 32767);
    edit->setText(text);
    edit->selectAll();
    return true;
}

bool CaptionPanel::endCellEdit(QWidget* editor, int column, QString& text, void* data)
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    auto* caption = static_cast<CaptionItem*>(data);
    if (!edit || !caption || !host_ || host_->captions().indexOf(caption) < 0)
        return false;
    const QString typed = edit->text();
    const bool accepted = applyCellText(*caption, column, typed, recordCount());
    if (accepted)
        text = typed;
    host_->requestRepaint();
    return accepted;
}

void CaptionPanel::controlChanged(StyleChange change)
{
    if (!host_)
        return;
    CaptionItem* active = host_->captions().activeCaption(host_->currentFrame());
    if (!active)
        return;  // the controls alone: the next caption's settings
    applyStyleChange(*active, controlStyle(), change, dpi());
    host_->requestRepaint();
}

void CaptionPanel::verticalClicked()
{
    if (!host_ || !vertical_)
        return;
    CaptionItem* active = host_->captions().activeCaption(host_->currentFrame());
    if (!active)
        return;
    if (!setVertical(*active, vertical_->isChecked(), host_->displayedImageRect().height())) {
        // Too long to stand vertically: the caption keeps its text and layout,
        // and the box says so.
        vertical_->setChecked(false);
        return;
    }
    updateRow(active);
    host_->requestRepaint();
}

bool CaptionPanel::mousePress(const EditorMouseEvent& e)
{
    if (!host_ || e.button != Qt::LeftButton || host_->mode() == EditorMode::Crop)
        return false;
    if (!host_->displayedImageRect().contains(e.pos))
        return false;
    const QPoint f = host_->toFramePixels(e.pos);
    CaptionItem* hit = host_->captions().selectAt(f.x(), f.y(), host_->currentFrame());
    if (hit) {
        dragOffset_ = dragOffset(*hit, f);
        loadControls(*hit);
        if (list_)
            list_->selectAndFocusRow(list_->findRow(hit));
    }
    host_->requestRepaint();
    // The press is also the start of a cinemagraph brush stroke.
    return false;
}

bool CaptionPanel::mouseMove(const EditorMouseEvent& e)
{
    if (!host_ || !(e.buttons & Qt::LeftButton))
        return false;
    if (host_->mode() == EditorMode::Crop || host_->mode() == EditorMode::Cinemagraph)
        return false;
    if (!host_->displayedImageRect().contains(e.pos))
        return false;
    CaptionItem* active = host_->captions().activeCaption(host_->currentFrame());
    if (!active)
        return false;
    dragTo(*active, host_->toFramePixels(e.pos), dragOffset_);
    updateRow(active);
    host_->requestRepaint();
    return true;
}

void CaptionPanel::drawOnFrame(RasterImage& frameBuffer, int frameNumber)
{
    if (!host_)
        return;
    const ColorRef highlight = sysColor(SysColor::Highlight);
    for (auto& caption : host_->captions())
        if (caption->encloses(frameNumber))
            CaptionPreviewRenderer::draw(frameBuffer, *caption, highlight);
}
