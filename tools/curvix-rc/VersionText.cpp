#include "VersionText.h"

#include "RcText.h"

namespace curvix {

namespace {

// VS_FIXEDFILEINFO values: every flag may be meaningful, none is set; the
// file is made for 32-bit Windows (VOS_NT_WINDOWS32 covers 64-bit too).
constexpr const char* kFlagsMask = "0x3F";
constexpr const char* kFileOs = "0x40004";
constexpr int kVftApp = 1;
constexpr int kVftUnknown = 0;
// U.S. English, Unicode: the string block's name and its translation.
constexpr const char* kStringBlock = "040904B0";
constexpr const char* kTranslation = "0x409, 1200";

std::string Numbers(const unsigned short (&parts)[4], const char* separator) {
    std::string text;
    for (int i = 0; i < 4; ++i)
        text += (i > 0 ? separator : "") + std::to_string(parts[i]);
    return text;
}

} // namespace

std::string RcVersionInfo(const VersionResource& version) {
    std::string text = "1 VERSIONINFO\n";
    text += "FILEVERSION " + Numbers(version.fileVersion, ",") + "\n";
    text += "PRODUCTVERSION " + Numbers(version.productVersion, ",") + "\n";
    text += std::string("FILEFLAGSMASK ") + kFlagsMask + "\nFILEFLAGS 0x0\n";
    text += std::string("FILEOS ") + kFileOs + "\n";
    text += "FILETYPE " + std::to_string(version.isApplication ? kVftApp : kVftUnknown) + "\n";
    text += "FILESUBTYPE 0x0\nBEGIN\n";
    text += "    BLOCK \"StringFileInfo\"\n    BEGIN\n";
    text += std::string("        BLOCK \"") + kStringBlock + "\"\n        BEGIN\n";
    const std::pair<const char*, const char*> values[] = {
        {"FileVersion", version.fileVersionText},
        {"InternalName", version.internalName},
        {"ProductName", version.productName},
        {"ProductVersion", version.productVersionText},
    };
    for (const auto& [name, value] : values)
        text += std::string("            VALUE \"") + name + "\", " + RcWideString(value) + "\n";
    text += "        END\n    END\n";
    text += "    BLOCK \"VarFileInfo\"\n    BEGIN\n";
    text += std::string("        VALUE \"Translation\", ") + kTranslation + "\n";
    text += "    END\nEND\n";
    return text;
}

std::string ManifestXml(const VersionResource& version, const std::string& assemblyName) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
           "  <assemblyIdentity type=\"win32\" name=\"" +
           assemblyName + "\" version=\"" + Numbers(version.fileVersion, ".") +
           "\" processorArchitecture=\"*\"/>\n"
           "  <dependency>\n"
           "    <dependentAssembly>\n"
           "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\""
           " version=\"6.0.0.0\" processorArchitecture=\"*\""
           " publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n"
           "    </dependentAssembly>\n"
           "  </dependency>\n"
           // Every monitor's own scale: version 2 where the system knows it,
           // else version 1 (true/pm), else the system's scale (true).
           "  <application xmlns=\"urn:schemas-microsoft-com:asm.v3\">\n"
           "    <windowsSettings>\n"
           "      <dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
           "true/pm</dpiAware>\n"
           "      <dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
           "PerMonitorV2, PerMonitor</dpiAwareness>\n"
           "    </windowsSettings>\n"
           "  </application>\n"
           "  <trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">\n"
           "    <security>\n"
           "      <requestedPrivileges>\n"
           "        <requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>\n"
           "      </requestedPrivileges>\n"
           "    </security>\n"
           "  </trustInfo>\n"
           "</assembly>\n";
}

} // namespace curvix
