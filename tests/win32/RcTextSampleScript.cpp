// rc-text-sample OUTDIR: writes sample.rc with the strings, menus and
// dialogs of the sample table, through the same script writer as curvix-rc.

#include "RcText.h"
#include "RcTextSamples.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: rc-text-sample OUTDIR\n", stderr);
        return 2;
    }
    const curvix::ResourceTable& table = curvix::test::RcTextSampleTable();
    std::string script = "LANGUAGE 9, 1\n";
    std::string error;
    bool written = curvix::WriteRcStringTable(table.strings, script, error);
    for (const curvix::MenuResource& menu : table.menus)
        written = written && curvix::WriteRcMenu(menu, script, error);
    for (const curvix::DialogResource& dialog : table.dialogs)
        written = written && curvix::WriteRcDialog(dialog, script, error);
    if (!written) {
        std::fprintf(stderr, "rc-text-sample: %s\n", error.c_str());
        return 1;
    }
    const std::string path = std::string(argv[1]) + "/sample.rc";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool saved = file != nullptr;
    if (saved) {
        saved = std::fwrite(script.data(), 1, script.size(), file) == script.size();
        saved = std::fclose(file) == 0 && saved;
    }
    if (!saved) {
        std::fprintf(stderr, "rc-text-sample: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
