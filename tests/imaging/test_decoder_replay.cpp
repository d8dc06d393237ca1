// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Replays hostile inputs through every decoder: the AFL-found GIFs of the
// corpus, the GIFs both reference decoders refuse, BMP Suite's bad files and
// PngSuite's corrupt files. Nothing may crash or hang (this also runs under
// the sanitizers); a failure always comes with a reason.
#include <gtest/gtest.h>

#include <filesystem>

#include "codec_test_util.h"
#include "imaging/bmp_codec.h"
#include "imaging/gif_decoder.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace fs = std::filesystem;
using namespace codectest;

namespace {

std::vector<std::string> hostileFiles()
{
    std::vector<std::string> files;
    const std::string corpus = testenv::corpusDir();
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(corpus + "/gif-fuzz", ec))
        if (e.is_regular_file() && e.path().extension() == ".gif")
            files.push_back(e.path().string());
    const auto rows = readTsv(corpus + "/gif/INDEX.tsv");
    for (size_t i = 1; i < rows.size(); ++i)
        if (rows[i].size() > 16 &&
            (rows[i][16].rfind("no frames", 0) == 0 || rows[i][16].rfind("suite lists no", 0) == 0))
            files.push_back(corpus + "/gif/" + rows[i][0] + "/" + rows[i][1]);
    for (const auto& e : fs::directory_iterator(corpus + "/bmp/bmpsuite-2.8/b", ec))
        files.push_back(e.path().string());
    for (const auto& e : fs::directory_iterator(corpus + "/png/pngsuite/png", ec))
        if (e.path().filename().string().rfind("x", 0) == 0)
            files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(DecoderReplay, HostileInputsNeitherCrashNorHang)
{
    if (testenv::corpusDir().empty())
        GTEST_SKIP() << "corpus not available";
    const auto files = hostileFiles();
    ASSERT_GT(files.size(), 300u);
    std::ostringstream failures;
    int decoded = 0;
    for (const std::string& path : files) {
        const std::vector<uint8_t> bytes = readFile(path);
        std::string error;
        GifFile raw;
        if (!parseGif(bytes.data(), bytes.size(), raw, error) && error.empty())
            failures << "  " << path << ": raw GIF parse failed without a reason\n";
        for (bool all : {false, true}) {
            RasterImage img;
            img.setRetrieveAllFrames(all);
            const bool ok = decodeGif(bytes.data(), bytes.size(), img, error);
            if (ok != img.isValid() || (!ok && error.empty()))
                failures << "  " << path << ": GIF result " << ok << " valid " << img.isValid() << "\n";
            if (ok && all && img.retrievedFrameCount() != img.numFrames())
                failures << "  " << path << ": frame count\n";
            decoded += ok;
        }
        RasterImage bmp;
        const bool okBmp = decodeBmp(bytes.data(), bytes.size(), bmp, error);
        if (okBmp != bmp.isValid() || (!okBmp && error.empty()))
            failures << "  " << path << ": BMP result " << okBmp << " valid " << bmp.isValid() << "\n";
        RasterImage any;
        any.setRetrieveAllFrames(true);
        const bool okAny = any.decodeMemory(bytes.data(), bytes.size(), ImageTypeUnknown);
        if (okAny != any.isValid() || (!okAny && any.lastError().empty()))
            failures << "  " << path << ": content detection result " << okAny << "\n";
    }
    EXPECT_GT(decoded, 0);
    EXPECT_TRUE(failures.str().empty()) << failures.str();
}
