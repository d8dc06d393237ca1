// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/about_dlg.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>

#include "platform/control_id.h"
#include "platform/dialog_units.h"
#include "platform/profile_store.h"
#include "res/app_icon.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "widgets/hyperlink_static.h"

CAboutDlg::CAboutDlg(const VersionInfo& info, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setControlId(this, IDD_ABOUTBOX);
    setWindowTitle(tr("关于"));
    const DialogBaseUnits du = dialogBaseUnits(font());
    auto place = [&](QWidget* w, int x, int y, int cx, int cy) {
        w->setGeometry(mapDialogRect(QRect(x, y, cx, cy), du));
    };

    bannerPicture_ = QPixmap(QStringLiteral(":/icons/banner.png"));
    banner_ = new QLabel(this);
    setControlId(banner_, IDC_ABOUT_BANNER);
    banner_->setScaledContents(true);
    banner_->setPixmap(bannerPicture_);
    banner_->move(0, 0);
    const int top = mapDialogRect(QRect(0, 0, 0, 60), du).height();
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    icon->setGeometry(mapDialogRect(QRect(7, 0, 21, 20), du).translated(0, top));
    QString title = loadString(IDS_APP_TITLE);
    if (title.isEmpty())
        title = QStringLiteral("Vexlo");
    auto* version = new QLabel(aboutVersionLine(title, info), this);
    setControlId(version, IDC_ABOUT_VERSION);
    version->setGeometry(mapDialogRect(QRect(36, 2, 226, 8), du).translated(0, top));
    auto* legal = new QLabel(aboutLegalLine(info), this);
    setControlId(legal, IDC_ABOUT_LEGAL);
    legal->setWordWrap(true);
    legal->setGeometry(mapDialogRect(QRect(36, 14, 226, 20), du).translated(0, top));

    QSettings store = profileStore();
    store.beginGroup(QStringLiteral("Custom"));
    const QString productLink = store.value(QStringLiteral("ProductLink")).toString();
    const QString customInfo = store.value(QStringLiteral("CustomInfo")).toString();
    store.endGroup();
    auto* custom = new QLabel(customInfo, this);
    setControlId(custom, IDC_ABOUT_CUSTOM);
    custom->setWordWrap(true);
    custom->setGeometry(mapDialogRect(QRect(36, 36, 226, 16), du).translated(0, top));

    const ColorRef blue = makeColorRef(0, 0, 255);
    const QString site = QString::fromLatin1(kWebSiteUrl);
    place(new QLabel(tr("网站:"), this), 36, 58 + 0, 26, 8);
    auto* webSite = new CHyperlinkStatic(this);
    setControlId(webSite, IDC_ABOUT_WEBSITE);
    webSite->setLink(productLink.isEmpty() ? site : productLink, site, blue, false);
    webSite->setColors(blue, blue, blue);
    webSite->setTooltipEnabled(false);
    webSite->setGeometry(mapDialogRect(QRect(64, 58, 190, 8), du).translated(0, top));
    auto* supportLabel = new QLabel(tr("支持:"), this);
    supportLabel->setGeometry(mapDialogRect(QRect(36, 70, 26, 8), du).translated(0, top));
    auto* support = new CHyperlinkStatic(this);
    setControlId(support, IDC_ABOUT_SUPPORT);
    const QString mail = QString::fromLatin1(kSupportAddress);
    support->setLink(mail, QStringLiteral("mailto:") + mail, blue, false);
    support->setColors(blue, blue, blue);
    support->setTooltipEnabled(false);
    support->setGeometry(mapDialogRect(QRect(64, 70, 190, 8), du).translated(0, top));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    setControlId(ok, IDOK);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    const QSize size = mapDialogRect(QRect(0, 0, 270, 198), du).size();
    ok->setGeometry(mapDialogRect(QRect(213, 180, 50, 14), du));
    setFixedSize(size);
    fitBanner();
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::fitBanner()
{
    // The banner spans the dialog at its own aspect ratio: width = outer width - 3.
    if (bannerPicture_.isNull())
        return;
    const int outer = frameGeometry().width() > width() ? frameGeometry().width() : width();
    const int w = outer - 3;
    const int h = bannerPicture_.height() * w / bannerPicture_.width();
    banner_->resize(w, h);
}

void CAboutDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fitBanner();
}
