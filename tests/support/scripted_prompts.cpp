// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "scripted_prompts.h"

ScriptedPrompts::ScriptedPrompts() : previous_(UiPrompts::installed())
{
    UiPrompts::install(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    UiPrompts::install(previous_);
}

void ScriptedPrompts::answerMessageBox(int button)
{
    boxes_.push_back(button);
}

void ScriptedPrompts::answerOpenFile(const QString& path)
{
    opens_.push_back(path);
}

void ScriptedPrompts::answerSaveFile(const QString& path)
{
    saves_.push_back(path);
}

void ScriptedPrompts::answerColor(std::optional<ColorRef> colour)
{
    colors_.push_back(colour);
}

int ScriptedPrompts::unansweredCount() const
{
    int n = 0;
    for (const Asked& a : asked_)
        if (!a.answered)
            ++n;
    return n;
}

bool ScriptedPrompts::allAnswersUsed() const
{
    return boxes_.empty() && opens_.empty() && saves_.empty() && colors_.empty();
}

void ScriptedPrompts::clear()
{
    boxes_.clear();
    opens_.clear();
    saves_.clear();
    colors_.clear();
    asked_.clear();
}

int ScriptedPrompts::messageBox(QWidget*, const QString& text, const QString& caption, unsigned type)
{
    Asked a{Kind::MessageBox, text, caption, type, {}, 0, !boxes_.empty()};
    asked_.push_back(a);
    if (!boxes_.empty()) {
        const int answer = boxes_.front();
        boxes_.pop_front();
        return answer;
    }
    switch (type & MB_TYPEMASK) {
        case MB_OK:
            return AnswerOk;
        case MB_YESNO:
            return AnswerNo;
        default:
            return AnswerCancel;
    }
}

QString ScriptedPrompts::openFile(QWidget*, const FileDialogOptions& options)
{
    asked_.push_back(Asked{Kind::OpenFile, options.filter, options.caption, 0, options, 0, !opens_.empty()});
    if (opens_.empty())
        return QString();
    const QString path = opens_.front();
    opens_.pop_front();
    return path;
}

QString ScriptedPrompts::saveFile(QWidget*, const FileDialogOptions& options)
{
    asked_.push_back(Asked{Kind::SaveFile, options.filter, options.caption, 0, options, 0, !saves_.empty()});
    if (saves_.empty())
        return QString();
    const QString path = saves_.front();
    saves_.pop_front();
    // What the real dialog does with a name typed without an extension.
    return withDefaultExtension(path, options.defaultExt);
}

std::optional<ColorRef> ScriptedPrompts::chooseColor(QWidget*, ColorRef initial)
{
    asked_.push_back(Asked{Kind::Color, QString(), QString(), 0, {}, initial, !colors_.empty()});
    if (colors_.empty())
        return std::nullopt;
    const std::optional<ColorRef> c = colors_.front();
    colors_.pop_front();
    return c;
}
