#include "CurvixRc.h"

#include "DibFiles.h"
#include "RcText.h"
#include "VersionText.h"

namespace curvix {

namespace {

// RT_MANIFEST, and the manifest that process creation reads
// (CREATEPROCESS_MANIFEST_RESOURCE_ID).
constexpr int kManifestType = 24;
constexpr int kProcessManifestId = 1;
constexpr const char* kManifestName = "curvix.manifest";

// The reason of a failure, after the resource it concerns.
void Concerning(const std::string& what, std::string& error) {
    error.insert(0, ": ").insert(0, what);
}

bool NumberFits(UINT id, const std::string& what, std::string& error) {
    if (id >= 1 && id <= 0xFFFF)
        return true;
    error = what + " is outside 1 to 65535";
    return false;
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

bool ReadImage(XpmData xpm, const std::string& what, XpmImage& image, std::string& error) {
    if (ReadXpm(xpm, image, error))
        return true;
    Concerning(what, error);
    return false;
}

bool AddIcons(const ResourceTable& table, std::vector<GeneratedFile>& files, std::string& script,
              std::string& error) {
    for (const IconResource& icon : table.icons) {
        const std::string what = "icon " + std::to_string(icon.id);
        if (!NumberFits(icon.id, what, error))
            return false;
        std::vector<XpmImage> images(icon.images.size());
        for (std::size_t i = 0; i < images.size(); ++i) {
            if (!ReadImage(icon.images[i], what, images[i], error))
                return false;
        }
        std::vector<std::uint8_t> bytes;
        if (!EncodeIconFile(images, bytes, error)) {
            Concerning(what, error);
            return false;
        }
        GeneratedFile file{"icon" + std::to_string(icon.id) + ".ico",
                           std::string(bytes.begin(), bytes.end())};
        script += std::to_string(icon.id) + " ICON " + Quoted(file.name) + "\n";
        files.push_back(std::move(file));
    }
    return true;
}

bool AddBitmaps(const ResourceTable& table, std::vector<GeneratedFile>& files, std::string& script,
                std::string& error) {
    for (const BitmapResource& bitmap : table.bitmaps) {
        const std::string what = "bitmap " + std::to_string(bitmap.id);
        if (!NumberFits(bitmap.id, what, error))
            return false;
        XpmImage image;
        std::vector<std::uint8_t> bytes;
        if (!ReadImage(bitmap.xpm, what, image, error))
            return false;
        if (!EncodeBitmapFile(image, bytes, error)) {
            Concerning(what, error);
            return false;
        }
        GeneratedFile file{"bitmap" + std::to_string(bitmap.id) + ".bmp",
                           std::string(bytes.begin(), bytes.end())};
        script += std::to_string(bitmap.id) + " BITMAP " + Quoted(file.name) + "\n";
        files.push_back(std::move(file));
    }
    return true;
}

} // namespace

bool GenerateCurvixRc(const ResourceTable& table, const std::string& assemblyName,
                      std::vector<GeneratedFile>& files, std::string& error) {
    std::vector<GeneratedFile> made;
    // U.S. English, as the version resource's translation says.
    std::string script = "// Made by curvix-rc from the program's resource table.\n"
                         "LANGUAGE 9, 1\n\n";
    for (const MenuResource& menu : table.menus) {
        if (!WriteRcMenu(menu, script, error))
            return false;
        script += "\n";
    }
    for (const AccelTableResource& accelerators : table.accelerators) {
        if (!WriteRcAccelerators(accelerators, script, error))
            return false;
        script += "\n";
    }
    if (!WriteRcStringTable(table.strings, script, error))
        return false;
    script += "\n";
    for (const DialogResource& dialog : table.dialogs) {
        if (!WriteRcDialog(dialog, script, error))
            return false;
        script += "\n";
    }
    if (!AddIcons(table, made, script, error) || !AddBitmaps(table, made, script, error))
        return false;
    script += "\n" + RcVersionInfo(table.version) + "\n";
    made.push_back({kManifestName, ManifestXml(table.version, assemblyName)});
    script += std::to_string(kProcessManifestId) + " " + std::to_string(kManifestType) + " " +
              Quoted(kManifestName) + "\n";
    made.push_back({"curvix.rc", script});
    files = std::move(made);
    return true;
}

} // namespace curvix
