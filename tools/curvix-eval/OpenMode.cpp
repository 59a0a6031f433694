#include "OpenMode.h"

#include "CurvixDoc.h"
#include "FileErrors.h"

#include <charconv>

namespace curvix {

namespace {

void WriteFloat(std::ostream& out, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.write(text, result.ptr - text);
}

} // namespace

int OpenAndPrint(const std::string& path, std::ostream& out, std::ostream& errors) {
    CCurvixDoc document;
    std::string error;
    if (!OpenDocumentFile(document, path, error)) {
        errors << NamingFile(path, error) << '\n' << std::flush;
        return 1;
    }
    ExprString formula = document.GetFormula();
    const char* bytes = formula.ToNarrow();
    out.write(bytes, formula.Length());
    out << '\n';
    const char* separator = "";
    for (const float* number : document.GetFileNumbers()) {
        out << separator;
        WriteFloat(out, *number);
        separator = " ";
    }
    out << '\n' << std::flush;
    return 0;
}

} // namespace curvix
