// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Scripted answers for the ui_prompts seam (platform/ui_prompts.h), so window
// tests run headless.
#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "platform/ui_prompts.h"

// Test answers. Installs itself on construction and restores the previous
// prompts on destruction. Each kind of prompt takes answers from its own queue;
// a prompt with no queued answer is recorded as unanswered and cancelled
// (AnswerCancel, or AnswerOk for an MB_OK box; empty path; no colour).
class ScriptedPrompts : public UiPrompts {
public:
    enum class Kind { MessageBox, OpenFile, SaveFile, Color };
    struct Asked {
        Kind kind;
        QString text;       // message text, or the file filter
        QString caption;    // message caption, or the dialog caption
        unsigned type = 0;  // message-box style
        FileDialogOptions file;
        ColorRef initialColor = 0;
        bool answered = true;
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    void answerMessageBox(int button);
    void answerOpenFile(const QString& path);          // empty: cancel
    void answerSaveFile(const QString& path);          // empty: cancel
    void answerColor(std::optional<ColorRef> colour);  // nullopt: cancel

    const std::vector<Asked>& asked() const { return asked_; }
    int unansweredCount() const;
    bool allAnswersUsed() const;  // every queued answer was taken
    void clear();

    int messageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type) override;
    QString openFile(QWidget* parent, const FileDialogOptions& options) override;
    QString saveFile(QWidget* parent, const FileDialogOptions& options) override;
    std::optional<ColorRef> chooseColor(QWidget* parent, ColorRef initial) override;

private:
    UiPrompts* previous_ = nullptr;
    std::deque<int> boxes_;
    std::deque<QString> opens_;
    std::deque<QString> saves_;
    std::deque<std::optional<ColorRef>> colors_;
    std::vector<Asked> asked_;
};
