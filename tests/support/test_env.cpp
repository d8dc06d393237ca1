// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "test_env.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace testenv {
namespace {
std::string env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}
}  // namespace

std::string corpusDir()
{
    std::string dir = env("VEXLO_CORPUS");
    if (!dir.empty() && std::filesystem::is_directory(dir))
        return dir;
    return {};
}

std::string sourceDir()
{
    return env("VEXLO_SOURCE_DIR");
}
std::string vexloBin()
{
    return env("VEXLO_BIN");
}

TempDir::TempDir()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "vexlo-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

int runCommand(const std::string& command, std::string* output)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0)
        if (output)
            output->append(buf.data(), n);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace testenv
