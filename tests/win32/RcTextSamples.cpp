#include "RcTextSamples.h"

#include <string>

namespace curvix::test {

const ResourceTable& RcTextSampleTable() {
    // Bytes 1 to 255 in runs of 32 (byte 0 would end the text).
    static std::string byteRuns[8];
    static const ResourceTable table = [] {
        ResourceTable made{};
        for (int byte = 1; byte < 256; ++byte)
            byteRuns[byte / 32].push_back(static_cast<char>(byte));
        for (UINT run = 0; run < 8; ++run)
            made.strings.push_back({100 + run, byteRuns[run].c_str()});
        made.strings.insert(made.strings.end(), {
                                                    {200, "say \"\"hi\"\" \"twice\""},
                                                    {201, "C:\\folder\\"},
                                                    {202, "\\n is no line feed"},
                                                    {203, "line\nfeed\ttab\r\n"},
                                                    {204, "\351"
                                                          "1 \001"
                                                          "7 \177"
                                                          "0 \2001"},
                                                    {205, "?\?= ?\?/ ?\?' trigraphs"},
                                                    {206, "/* not a comment */ // nor this"},
                                                    {207, "#define X 1\n#include \"none.h\""},
                                                    {208, "\""},
                                                    {65535, "the last number"},
                                                });
        made.menus.push_back({1,
                              {
                                  {"\"&Quoted\"", 0, MF_POPUP},
                                  {"Caf\351 \\ \"x\"\tCtrl+\344", 40001, MF_GRAYED | MF_CHECKED},
                                  {"", 0, MF_SEPARATOR},
                                  {"&\244 sign", 40002, 0},
                              }});
        made.dialogs.push_back({1,
                                100,
                                50,
                                WS_POPUP | WS_CAPTION,
                                "\"Caption\" \\ caf\351",
                                "Font \"Face\"",
                                9,
                                {
                                    {"STATIC", "a \"label\"\tand\nmore", IDC_STATIC, 1, 2, 30, 8,
                                     SS_LEFT | SS_NOPREFIX},
                                    {"BUTTON", "\\&Back\\", 1, 40, 2, 30, 14, BS_PUSHBUTTON},
                                }});
        return made;
    }();
    return table;
}

} // namespace curvix::test
