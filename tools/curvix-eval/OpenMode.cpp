#include "OpenMode.h"

#include "CurvixDoc.h"
#include "ErrorSink.h"

#include <charconv>
#include <vector>

namespace curvix {

namespace {

class CollectingSink : public CErrorSink {
public:
    void ReportError(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

void WriteFloat(std::ostream& out, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.write(text, result.ptr - text);
}

} // namespace

int OpenAndPrint(const std::string& path, std::ostream& out, std::ostream& errors) {
    CollectingSink sink;
    CErrorSink* previous = SetErrorSink(&sink);
    CCurvixDoc document;
    const bool opened = OpenDocumentFile(document, path);
    SetErrorSink(previous);
    if (!opened) {
        for (const std::string& text : sink.texts) {
            errors << text << '\n';
        }
        errors.flush();
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
