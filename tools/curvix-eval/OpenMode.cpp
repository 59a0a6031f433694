#include "OpenMode.h"

#include "CurvixDoc.h"

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
        errors << error << '\n' << std::flush;
        return 1;
    }
    ExprString formula = document.GetFormula();
    const char* bytes = formula.ToNarrow();
    out.write(bytes, formula.Length());
    out << '\n';
    const float numbers[] = {document.GetRange()[0],       document.GetRange()[1],
                             document.GetRotation()[0],    document.GetRotation()[1],
                             document.GetRotation()[2],    document.GetHalfExtents()[0],
                             document.GetHalfExtents()[1], *document.GetStep()};
    for (std::size_t i = 0; i < 8; ++i) {
        if (i != 0) {
            out << ' ';
        }
        WriteFloat(out, numbers[i]);
    }
    out << '\n' << std::flush;
    return 0;
}

} // namespace curvix
