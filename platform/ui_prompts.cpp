// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/ui_prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include "res/resource.h"
#include "res/string_table.h"

namespace {
QString productName()
{
    const QString name = loadString(IDS_APP_TITLE);
    return name.isEmpty() ? QStringLiteral("Vexlo") : name;
}

// The real dialogs.
class QtPrompts : public UiPrompts {
public:
    int messageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(caption);
        box.setText(text);
        switch (type & MB_ICONMASK) {
            case MB_ICONERROR:
                box.setIcon(QMessageBox::Critical);
                break;
            case MB_ICONQUESTION:
                box.setIcon(QMessageBox::Question);
                break;
            case MB_ICONWARNING:
                box.setIcon(QMessageBox::Warning);
                break;
            case MB_ICONINFORMATION:
                box.setIcon(QMessageBox::Information);
                break;
            default:
                break;
        }
        switch (type & MB_TYPEMASK) {
            case MB_OKCANCEL:
                box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                box.setDefaultButton(QMessageBox::Ok);
                break;
            case MB_YESNOCANCEL:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                box.setDefaultButton(QMessageBox::Yes);
                break;
            case MB_YESNO:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                box.setDefaultButton(QMessageBox::Yes);
                break;
            default:
                box.setStandardButtons(QMessageBox::Ok);
                break;
        }
        switch (box.exec()) {
            case QMessageBox::Ok:
                return AnswerOk;
            case QMessageBox::Yes:
                return AnswerYes;
            case QMessageBox::No:
                return AnswerNo;
            case QMessageBox::Cancel:
                return AnswerCancel;
            default:
                // Closed with Esc or the close box.
                if ((type & MB_TYPEMASK) == MB_OK)
                    return AnswerOk;
                if ((type & MB_TYPEMASK) == MB_YESNO)
                    return AnswerNo;
                return AnswerCancel;
        }
    }

    QString openFile(QWidget* parent, const FileDialogOptions& o) override
    {
        QFileDialog dialog(parent, o.caption, o.initialPath, qtFileFilter(o.filter));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    }

    QString saveFile(QWidget* parent, const FileDialogOptions& o) override
    {
        QFileDialog dialog(parent, o.caption, o.initialPath, qtFileFilter(o.filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!o.confirmOverwrite)
            dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        QString ext = o.defaultExt;
        if (ext.startsWith(QLatin1String("*.")))
            ext = ext.mid(2);
        if (!ext.contains(QLatin1Char('*')))
            dialog.setDefaultSuffix(ext);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return withDefaultExtension(dialog.selectedFiles().first(), o.defaultExt);
    }

    std::optional<ColorRef> chooseColor(QWidget* parent, ColorRef initial) override
    {
        const QColor start(colorRefRed(initial), colorRefGreen(initial), colorRefBlue(initial));
        const QColor chosen = QColorDialog::getColor(start, parent);
        if (!chosen.isValid())
            return std::nullopt;
        return makeColorRef(chosen.red(), chosen.green(), chosen.blue());
    }
};

UiPrompts* g_installed = nullptr;  // test replacement; null: the real dialogs

QString captionOrProduct(const QString& caption)
{
    return caption.isEmpty() ? productName() : caption;
}
}  // namespace

UiPrompts::~UiPrompts() = default;

UiPrompts& UiPrompts::current()
{
    static QtPrompts real;
    return g_installed ? *g_installed : real;
}

void UiPrompts::install(UiPrompts* prompts)
{
    g_installed = prompts;
}

UiPrompts* UiPrompts::installed()
{
    return g_installed;
}

int promptMessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type)
{
    return UiPrompts::current().messageBox(parent, text, captionOrProduct(caption), type);
}

QString promptOpenFile(QWidget* parent, const QString& filter, const QString& defaultExt,
                       const QString& initialPath)
{
    FileDialogOptions o;
    o.filter = filter;
    o.defaultExt = defaultExt;
    o.initialPath = initialPath;
    return promptOpenFile(parent, o);
}

QString promptOpenFile(QWidget* parent, const FileDialogOptions& options)
{
    return UiPrompts::current().openFile(parent, options);
}

QString promptSaveFile(QWidget* parent, const QString& filter, const QString& defaultExt,
                       const QString& initialPath)
{
    FileDialogOptions o;
    o.filter = filter;
    o.defaultExt = defaultExt;
    o.initialPath = initialPath;
    return promptSaveFile(parent, o);
}

QString promptSaveFile(QWidget* parent, const FileDialogOptions& options)
{
    return UiPrompts::current().saveFile(parent, options);
}

std::optional<ColorRef> promptColor(QWidget* parent, ColorRef initial)
{
    return UiPrompts::current().chooseColor(parent, initial);
}

QString qtFileFilter(const QString& windowsFilter)
{
    QStringList parts = windowsFilter.split(QLatin1Char('|'));
    while (!parts.isEmpty() && parts.back().isEmpty())
        parts.removeLast();
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!p.trimmed().isEmpty())
                patterns << p.trimmed();
        // The dialog shows the filter as it is given and takes the patterns
        // from its last parentheses (matching names without regard to case),
        // so a description that already ends in its patterns is shown as the
        // program writes it.
        const int open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open > 0) {
            const QStringList shown = description.mid(open + 1, description.size() - open - 2)
                                          .split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (shown == patterns) {
                filters << description;
                continue;
            }
            filters << description.left(open).trimmed() + QStringLiteral(" (") +
                           patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
            continue;
        }
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString withDefaultExtension(const QString& path, const QString& defaultExt)
{
    QString ext = defaultExt;
    if (ext.startsWith(QLatin1String("*.")))
        ext = ext.mid(2);
    else if (ext.startsWith(QLatin1Char('.')))
        ext = ext.mid(1);
    if (path.isEmpty() || ext.isEmpty() || ext.contains(QLatin1Char('*')))
        return path;
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + ext;
}
