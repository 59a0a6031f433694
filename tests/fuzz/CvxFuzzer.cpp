// Loads arbitrary bytes as a .cvx document through the framework's open
// step, saves what loaded and loads that again, then samples the loaded
// settings with a small sample limit. A load either fails with the format
// error and a new document, or the save gives back the same numbers.

#include "CurveSampler.h"
#include "CurvixDoc.h"
#include "ExpressionEvaluator.h"
#include "VertexArray.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A folder of this process's own for the input and output files, removed at
// exit. Kept on the heap so that it outlives every other static.
const std::string& Folder() {
    static const std::string& folder = *[] {
        auto* path = new std::string(
            (std::filesystem::temp_directory_path() / "curvix-fuzz-XXXXXX").string());
        if (::mkdtemp(path->data()) == nullptr) {
            std::abort();
        }
        return path;
    }();
    static const bool removeAtExit = std::atexit([] {
                                         std::error_code ignored;
                                         std::filesystem::remove_all(Folder(), ignored);
                                     }) == 0;
    (void)removeAtExit;
    return folder;
}

std::vector<unsigned char> ReadAll(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        int c = 0;
        while ((c = std::fgetc(file)) != EOF) {
            bytes.push_back(static_cast<unsigned char>(c));
        }
        std::fclose(file);
    }
    return bytes;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<std::uint32_t> NumberBits(curvix::CCurvixDoc& doc) {
    std::vector<std::uint32_t> bits;
    for (const float* number : doc.GetFileNumbers()) {
        std::uint32_t value = 0;
        std::memcpy(&value, number, sizeof value);
        bits.push_back(value);
    }
    return bits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = Folder() + "/input.cvx";
    const std::string output = Folder() + "/output.cvx";
    if (std::FILE* file = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }

    curvix::CCurvixDoc doc;
    doc.SetFormula("before");
    std::string error;
    if (!curvix::OpenDocumentFile(doc, input, error)) {
        Check(error == "Unexpected file format.");
        Check(doc.GetTitle() == "Untitled" && doc.GetPathName().empty());
        return 0;
    }
    Check(error.empty());

    Check(curvix::SaveDocumentFile(doc, output, error));
    const std::vector<unsigned char> saved = ReadAll(output);
    const int length = doc.GetFormula().Length();
    Check(saved.size() == 37U + static_cast<std::size_t>(length));
    if (size != 0) {
        // The numbers are the input's bytes after the stored text and its 0.
        std::int32_t stored = 0;
        std::memcpy(&stored, data, sizeof stored); // little-endian host
        Check(size >= 37U + static_cast<std::size_t>(stored));
        Check(std::memcmp(saved.data() + 5 + length, data + 5 + stored, 32) == 0);
    }

    curvix::CCurvixDoc again;
    Check(curvix::OpenDocumentFile(again, output, error));
    Check(again.GetFormula() == doc.GetFormula());
    Check(NumberBits(again) == NumberBits(doc));

    curvix::ExpressionEvaluator engine;
    std::ostringstream reports;
    engine.SetErrorStream(reports);
    curvix::VertexArray curve;
    constexpr std::int64_t kSampleLimit = 256;
    curvix::SampleCurve(engine, doc.GetFormula(), doc.GetRange()[0], doc.GetRange()[1],
                        *doc.GetStep(), curve, reports, kSampleLimit);
    Check(curve.Size() % 2 == 0 && curve.Size() <= 2 * kSampleLimit);
    return 0;
}
