#pragma once

#include <string>
#include <vector>

namespace curvix {

// What the program's command line asks for. A switch starts with "/" or
// "-" (an argument starting with "/" that has another "/" or a "." in it is
// an absolute path, not a switch): "p", "pt" and "dde" must be written in lower case, "Unregister",
// "Unregserver" and "Embedding" in any case; other switches, "Automation"
// among them, are ignored. The first other argument is the document; after "pt" the
// next three are printer, driver and port.
class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister };

    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
    std::string m_strPrinterName;
    std::string m_strDriverName;
    std::string m_strPortName;
    bool m_bRunEmbedded = false;

    // arguments without the program name
    void ParseCommandLine(const std::vector<std::string>& arguments);

private:
    void ParseSwitch(const std::string& name);
    void ParseArgument(const std::string& argument);
};

} // namespace curvix
