// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The GIF decoder against the conformance corpus: every GIF of gif/INDEX.tsv is
// decoded with all frames retrieved and compared, frame by frame, with the
// reference its row recommends (the suites' own frames, else ImageMagick's
// coalesced frames with our compositor's documented corrections).
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "codec_test_util.h"
#include "imaging/gif_decoder.h"
#include "imaging/raster_image.h"
#include "test_env.h"

using namespace codectest;

namespace {

// Files that are refused although their recommended reference has frames.
const std::map<std::string, std::string> kRefusedOnPurpose = {
    {"ancell-max-width", "65535-pixel screen side is above the 32768 limit"},
    {"ancell-max-height", "65535-pixel screen side is above the 32768 limit"},
    {"ancell-no-data", "no image at all: a file without a frame is invalid"},
    {"ancell-image-zero-width", "image data missing (file ends in the descriptor)"},
    {"ancell-image-zero-height", "local colour table and data missing"},
    {"ancell-image-zero-size", "image data missing"},
};

// Files whose reference lists no frames (the suites' "reject", or both
// reference decoders failing) but which decode to the frame ImageMagick wrote.
const std::map<std::string, std::string> kDecodedDespiteNoReference = {
    {"ancell-invalid-colors", "indices beyond the colour table show black, as ImageMagick writes them"},
    {"ancell-plain-text",
     "the plain text is not rendered; the image after it decodes as ImageMagick shows it"},
};

std::string gifDir()
{
    return testenv::corpusDir() + "/gif";
}

std::map<std::string, std::string> readIni(const std::string& path,
                                           std::map<std::string, std::string>* frames)
{
    std::map<std::string, std::string> config;
    std::ifstream f(path);
    std::string line, section;
    while (std::getline(f, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        auto trim = [](std::string s) {
            while (!s.empty() && (s.back() == ' ' || s.back() == '\r'))
                s.pop_back();
            while (!s.empty() && s.front() == ' ')
                s.erase(s.begin());
            return s;
        };
        const std::string key = trim(line.substr(0, eq)), value = trim(line.substr(eq + 1));
        if (section == "config")
            config[key] = value;
        else if (frames && key == "pixels")
            (*frames)[section] = value;
    }
    return config;
}

std::string frameName(int i)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "frame_%03d.png", i);
    return buf;
}

struct Check {
    std::ostringstream failures;
    int files = 0;
    int frames = 0;
    void fail(const std::string& name, const std::string& what)
    {
        failures << "  " << name << ": " << what << "\n";
    }
};

// Compares our composed frame with a reference image.
void compareFrame(Check& c, const std::string& name, int ours, const RasterImage* frame, const Rgba& ref)
{
    ++c.frames;
    if (!frame) {
        c.fail(name, "frame " + std::to_string(ours) + " missing");
        return;
    }
    const long d = diffPixels(toRgba(*frame), ref);
    if (d != 0)
        c.fail(name, "frame " + std::to_string(ours) +
                         (d < 0 ? " size differs" : " differs in " + std::to_string(d) + " pixels"));
}

}  // namespace

TEST(GifConformance, CorpusFramesMatchTheirReferences)
{
    if (testenv::corpusDir().empty())
        GTEST_SKIP() << "corpus not available";
    const auto rows = readTsv(gifDir() + "/INDEX.tsv");
    ASSERT_GT(rows.size(), 100u);
    const auto& head = rows[0];
    const auto col = [&head](const char* n) {
        return size_t(std::find(head.begin(), head.end(), std::string(n)) - head.begin());
    };
    const size_t cName = col("name"), cInput = col("input"), cTruth = col("recommended_truth");
    ASSERT_LT(cTruth, head.size());

    Check c;
    for (size_t r = 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        if (row.size() <= cTruth)
            continue;
        const std::string name = row[cName], truth = row[cTruth];
        const std::string dir = gifDir() + "/" + name;
        const std::vector<uint8_t> bytes = readFile(dir + "/" + row[cInput]);
        ++c.files;
        RasterImage img;
        img.setRetrieveAllFrames(true);
        const bool ok = img.decodeMemory(bytes.data(), bytes.size(), ImageTypeGif);

        const bool noReference =
            truth.rfind("no frames", 0) == 0 || truth.rfind("suite lists no frames", 0) == 0;
        const bool mustRefuse =
            kRefusedOnPurpose.count(name) || (noReference && !kDecodedDespiteNoReference.count(name));
        if (mustRefuse) {
            if (ok)
                c.fail(name, "decoded " + std::to_string(img.numFrames()) + " frames but must be refused");
            else if (img.lastError().empty())
                c.fail(name, "refused without a reason");
            continue;
        }
        if (!ok) {
            c.fail(name, "refused: " + img.lastError());
            continue;
        }
        if (img.typeCode() != ImageTypeGif)
            c.fail(name, "type code " + std::to_string(img.typeCode()));
        if (img.retrievedFrameCount() != img.numFrames())
            c.fail(name, "retrieved " + std::to_string(img.retrievedFrameCount()) + " of " +
                             std::to_string(img.numFrames()) + " frames");

        // Raw delays and frame count, where ImageMagick listed the images.
        const std::string tsv = dir + "/expected/frames.tsv";
        std::vector<int> delays;
        if (fileExists(tsv)) {
            const auto f = readTsv(tsv);
            for (size_t i = 1; i < f.size(); ++i)
                delays.push_back(std::atoi(f[i][1].c_str()));
            if (int(delays.size()) != img.numFrames())
                c.fail(name, std::to_string(img.numFrames()) + " frames, reference " +
                                 std::to_string(delays.size()));
            for (size_t i = 0; i < delays.size() && int(i) < img.retrievedFrameCount(); ++i)
                if (img.frame(int(i))->frameDelay() != delays[i])
                    c.fail(name, "frame " + std::to_string(i) + " delay " +
                                     std::to_string(img.frame(int(i))->frameDelay()) + ", reference " +
                                     std::to_string(delays[i]));
        }

        if (truth.rfind("suite-expected", 0) == 0 && name.rfind("ancell-", 0) == 0) {
            // The suite lists animation frames: images without a delay are
            // merged into the frame that follows, unless animation is forced.
            std::map<std::string, std::string> pixels;
            const std::string conf = dir + "/suite-expected/" + name.substr(7) + ".conf";
            const auto cfg = readIni(conf, &pixels);
            std::vector<std::string> list;
            {
                std::stringstream ss(cfg.count("frames") ? cfg.at("frames") : "");
                std::string item;
                while (std::getline(ss, item, ','))
                    if (!item.empty())
                        list.push_back(item);
            }
            const bool forced = cfg.count("force-animation") && cfg.at("force-animation") == "yes";
            std::vector<int> ends;
            for (int i = 0; i < img.retrievedFrameCount(); ++i)
                if (forced || img.frame(i)->frameDelay() > 0 || i == img.retrievedFrameCount() - 1)
                    ends.push_back(i);
            if (ends.size() != list.size()) {
                c.fail(name, std::to_string(ends.size()) + " animation frames, suite " +
                                 std::to_string(list.size()));
                continue;
            }
            const int w = std::atoi(cfg.at("width").c_str()), h = std::atoi(cfg.at("height").c_str());
            for (size_t k = 0; k < list.size(); ++k) {
                Rgba ref;
                if (!loadRawRgba(dir + "/suite-expected/" + pixels[list[k]], w, h, ref)) {
                    c.fail(name, "suite frame " + list[k] + " unreadable");
                    continue;
                }
                compareFrame(c, name, ends[k], img.frame(ends[k]), ref);
            }
            continue;
        }

        // One reference frame per image.
        const bool suite = truth.rfind("suite-expected", 0) == 0;
        int n = 0;
        while (fileExists(dir + (suite ? "/suite-expected/" : "/expected/") + frameName(n)))
            ++n;
        if (n != img.numFrames())
            c.fail(name, std::to_string(img.numFrames()) + " frames, reference " + std::to_string(n));
        for (int i = 0; i < n && i < img.retrievedFrameCount(); ++i) {
            std::string path = dir + (suite ? "/suite-expected/" : "/expected/") + frameName(i);
            if (!suite && fileExists(dir + "/expected-spec/" + frameName(i)))
                path = dir + "/expected-spec/" + frameName(i);
            Rgba ref;
            if (!loadPng(path, ref)) {
                c.fail(name, "reference " + path + " unreadable");
                continue;
            }
            compareFrame(c, name, i, img.frame(i), ref);
        }
    }
    EXPECT_TRUE(c.failures.str().empty()) << "GIF files not matching their references (" << c.files
                                          << " files, " << c.frames << " frames compared):\n"
                                          << c.failures.str();
}
