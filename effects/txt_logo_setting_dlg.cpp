// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/txt_logo_setting_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

#include "app/app_settings.h"
#include "effects/watermark_preview.h"
#include "platform/control_id.h"
#include "platform/dialog_units.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "widgets/color_palette_popup.h"  // (color_picker_button.h uses it inline)
#include "widgets/color_picker_button.h"

namespace {
constexpr int kMaxWatermarkChars = 30;
}

CTxtLogoSettingDlg::CTxtLogoSettingDlg(AppSettings& settings, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      settings_(settings)
{
    setControlId(this, IDD_TXTLOGOSETTING_DIALOG);
    setWindowTitle(tr("自定义水印设置"));
    const DialogBaseUnits du = dialogBaseUnits(font());
    auto place = [&](QWidget* w, int x, int y, int cx, int cy) {
        w->setGeometry(mapDialogRect(QRect(x, y, cx, cy), du));
    };
    auto label = [&](const QString& text, int x, int y, int cx) {
        place(new QLabel(text, this), x, y, cx, 8);
    };

    enable_ = new QCheckBox(tr("将下述文本作为水印添加到所有生成的GIF图片中:"), this);
    setControlId(enable_, IDC_TXTLOGO_ENABLE);
    place(enable_, 7, 7, 300, 10);
    label(tr("位置："), 7, 26, 45);
    corner_ = new QComboBox(this);
    setControlId(corner_, IDC_TXTLOGO_POS);
    for (int id :
         {IDS_CORNER_TOP_LEFT, IDS_CORNER_BOTTOM_LEFT, IDS_CORNER_TOP_RIGHT, IDS_CORNER_BOTTOM_RIGHT})
        corner_->addItem(loadString(id));
    place(corner_, 55, 24, 70, 12);
    label(tr("文本："), 7, 44, 45);
    text_ = new QLineEdit(this);
    setControlId(text_, IDC_TXTLOGO_TEXT);
    place(text_, 55, 42, 150, 13);
    label(tr("按回车键更新"), 210, 44, 60);
    label(tr("文本颜色："), 7, 62, 45);
    color_ = new CColorPickerButton(this);
    setControlId(color_, IDC_TXTLOGO_COLOR);
    place(color_, 55, 60, 30, 12);
    label(tr("文本大小："), 7, 80, 45);
    size_ = new QComboBox(this);
    setControlId(size_, IDC_TXTLOGO_SIZE);
    for (int s : {8, 10, 12, 14, 16, 18})
        size_->addItem(QString::asprintf("%d", s));
    place(size_, 55, 78, 40, 12);
    label(tr("文本字体："), 7, 98, 45);
    font_ = new QComboBox(this);
    setControlId(font_, IDC_TXTLOGO_FONT);
    for (const QString& family : QFontDatabase::families()) {
        if (!family.startsWith(QLatin1Char('@')) && QFontDatabase::isSmoothlyScalable(family))
            font_->addItem(family);
    }
    place(font_, 55, 96, 150, 12);
    bk_ = new QCheckBox(tr("背景颜色："), this);
    setControlId(bk_, IDC_TXTLOGO_BK);
    place(bk_, 7, 116, 50, 10);
    bkColor_ = new CColorPickerButton(this);
    setControlId(bkColor_, IDC_TXTLOGO_BK_COLOR);
    place(bkColor_, 60, 115, 30, 12);
    bold_ = new QCheckBox(tr("加粗"), this);
    setControlId(bold_, IDC_TXTLOGO_BOLD);
    place(bold_, 100, 116, 35, 10);
    italic_ = new QCheckBox(tr("斜体"), this);
    setControlId(italic_, IDC_TXTLOGO_ITALIC);
    place(italic_, 140, 116, 35, 10);
    frame_ = new QGroupBox(this);
    setControlId(frame_, IDC_TXTLOGO_PREVIEW_FRAME);
    place(frame_, 7, 134, 150, 50);
    for (CColorPickerButton* b : {color_, bkColor_})
        b->setAutoDefault(false);
    const QRect client = mapDialogRect(QRect(0, 0, 340, 192), du);
    setFixedSize(std::max(client.width(), previewArea().right() + 8), client.height());

    // Opening.
    color_->setColor(settings_.logoColor);
    bkColor_->setColor(settings_.logoBkColor);
    corner_->setCurrentIndex((settings_.txtLogoPos >= 0 && settings_.txtLogoPos <= 3) ? settings_.txtLogoPos
                                                                                      : -1);
    int fontIndex = 0;
    for (int i = 0; i < font_->count(); ++i) {
        if (font_->itemText(i).startsWith(settings_.logoFontName, Qt::CaseInsensitive)) {
            fontIndex = i;
            break;
        }
    }
    font_->setCurrentIndex(font_->count() > 0 ? fontIndex : -1);
    const int sizeIndex = size_->findText(QString::asprintf("%d", settings_.logoFont), Qt::MatchExactly);
    size_->setCurrentIndex(sizeIndex >= 0 ? sizeIndex : 0);
    text_->setText(settings_.logoText);
    enable_->setChecked(settings_.txtEnableLogo);
    bk_->setChecked(settings_.logoBk);
    bold_->setChecked(settings_.logoFontBold);
    italic_->setChecked(settings_.logoFontItalic);
    if (!settings_.txtEnableLogo) {
        // The background colour, bold and italic stay usable until the switch is clicked.
        for (QWidget* w : std::initializer_list<QWidget*>{color_, corner_, text_, size_, font_, bk_})
            w->setEnabled(false);
    }

    const auto repaint = [this] { update(previewArea()); };
    connect(enable_, &QCheckBox::clicked, this, &CTxtLogoSettingDlg::onEnable);
    connect(corner_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, repaint](int i) {
        settings_.txtLogoPos = i;
        repaint();
    });
    connect(text_, &QLineEdit::returnPressed, this, &CTxtLogoSettingDlg::storeText);
    text_->installEventFilter(this);
    connect(size_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, repaint](int i) {
        if (i >= 0)
            settings_.logoFont = size_->itemText(i).toInt();
        repaint();
    });
    connect(font_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, repaint](int i) {
        if (i >= 0)
            settings_.logoFontName = font_->itemText(i).left(kMaxFontNameChars);
        repaint();
    });
    connect(color_, &QPushButton::clicked, this, [this, repaint] {
        settings_.logoColor = color_->color();
        repaint();
    });
    connect(bkColor_, &QPushButton::clicked, this, [this, repaint] {
        settings_.logoBkColor = bkColor_->color();
        repaint();
    });
    connect(bk_, &QCheckBox::clicked, this, [this, repaint](bool on) {
        settings_.logoBk = on;
        repaint();
    });
    connect(bold_, &QCheckBox::clicked, this, [this, repaint](bool on) {
        settings_.logoFontBold = on;
        repaint();
    });
    connect(italic_, &QCheckBox::clicked, this, [this, repaint](bool on) {
        settings_.logoFontItalic = on;
        repaint();
    });
}

CTxtLogoSettingDlg::~CTxtLogoSettingDlg() = default;

QString CTxtLogoSettingDlg::storedText(const QString& typed)
{
    return typed.trimmed().left(kMaxWatermarkChars);
}

QRect CTxtLogoSettingDlg::previewArea() const
{
    const QRect g = frame_->geometry();
    return QRect(g.left() + g.width() + 22, g.top(), g.width(), g.height());
}

int CTxtLogoSettingDlg::dpiY() const
{
    const QScreen* s = screen();
    return s ? qRound(s->logicalDotsPerInchY()) : 96;
}

RasterImage CTxtLogoSettingDlg::previewPicture() const
{
    const QRect area = previewArea();
    return textWatermarkPreview(area.width(), area.height(), settings_, dpiY());
}

void CTxtLogoSettingDlg::storeText()
{
    settings_.logoText = storedText(text_->text());
    if (text_->text() != settings_.logoText)
        text_->setText(settings_.logoText);
    update(previewArea());
}

void CTxtLogoSettingDlg::onEnable()
{
    settings_.txtEnableLogo = enable_->isChecked();
    setControlsEnabled(settings_.txtEnableLogo);
    update(previewArea());
}

void CTxtLogoSettingDlg::setControlsEnabled(bool on)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{color_, bkColor_, corner_, text_, size_, font_, bk_, bold_, italic_})
        w->setEnabled(on);
}

bool CTxtLogoSettingDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text_ && event->type() == QEvent::FocusOut)
        storeText();
    return QDialog::eventFilter(watched, event);
}

void CTxtLogoSettingDlg::store()
{
    settings_.txtEnableLogo = enable_->isChecked();
    settings_.txtLogoPos = corner_->currentIndex();
    settings_.logoText = storedText(text_->text());
    if (size_->currentIndex() >= 0)
        settings_.logoFont = size_->currentText().toInt();
    if (font_->currentIndex() >= 0)
        settings_.logoFontName = font_->currentText().left(kMaxFontNameChars);
    settings_.logoColor = color_->color();
    settings_.logoBkColor = bkColor_->color();
    settings_.logoBk = bk_->isChecked();
    settings_.logoFontBold = bold_->isChecked();
    settings_.logoFontItalic = italic_->isChecked();
}

void CTxtLogoSettingDlg::done(int result)
{
    store();
    QDialog::done(result);
}

void CTxtLogoSettingDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const QImage picture = previewPicture().toQImage();
    QPainter p(this);
    p.drawImage(previewArea().topLeft(), picture);
}
