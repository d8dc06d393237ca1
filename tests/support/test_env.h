// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Where tests find the corpus, the source tree and the built program, and a
// temporary folder that removes itself.
#include <string>

namespace testenv {
std::string corpusDir();  // ../shared/corpus (VEXLO_CORPUS); empty when absent
std::string sourceDir();  // the repository (VEXLO_SOURCE_DIR)
std::string vexloBin();   // the built program (VEXLO_BIN)

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Runs a command line through the shell; returns its exit status and stdout.
int runCommand(const std::string& command, std::string* output = nullptr);
}  // namespace testenv
