#include "CommandLineInfo.h"

#include <algorithm>
#include <cctype>

namespace curvix {

namespace {

bool EqualsIgnoringCase(const std::string& text, const std::string& word) {
    return text.size() == word.size() &&
           std::equal(text.begin(), text.end(), word.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace

void CCommandLineInfo::ParseCommandLine(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        // An absolute path also starts with "/": with a further "/" or a
        // "." in it, it is taken as a file, not a switch.
        const bool path =
            argument[0] == '/' && argument.find_first_of("/.", 1) != std::string::npos;
        if (argument.size() > 1 && !path && (argument[0] == '/' || argument[0] == '-')) {
            ParseSwitch(argument.substr(1));
        } else {
            ParseArgument(argument);
        }
    }
    if (m_nShellCommand == FileNew && !m_strFileName.empty()) {
        m_nShellCommand = FileOpen;
    }
}

void CCommandLineInfo::ParseSwitch(const std::string& name) {
    if (name == "pt") {
        m_nShellCommand = FilePrintTo;
    } else if (name == "p") {
        m_nShellCommand = FilePrint;
    } else if (name == "dde") {
        m_nShellCommand = FileDDE;
    } else if (EqualsIgnoringCase(name, "Unregister") || EqualsIgnoringCase(name, "Unregserver")) {
        m_nShellCommand = AppUnregister;
    } else if (EqualsIgnoringCase(name, "Embedding")) {
        m_bRunEmbedded = true;
    }
}

void CCommandLineInfo::ParseArgument(const std::string& argument) {
    if (m_strFileName.empty()) {
        m_strFileName = argument;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.empty()) {
        m_strPrinterName = argument;
    } else if (m_nShellCommand == FilePrintTo && m_strDriverName.empty()) {
        m_strDriverName = argument;
    } else if (m_nShellCommand == FilePrintTo && m_strPortName.empty()) {
        m_strPortName = argument;
    }
}

} // namespace curvix
