// curvix-write-document FILE FORMULA N1 ... N8: saves a document with the
// formula and its eight numbers in file order (the order curvix-eval --open
// prints them in).

#include "CurvixDoc.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    curvix::CCurvixDoc document;
    const auto numbers = document.GetFileNumbers();
    if (argc != 3 + static_cast<int>(numbers.size())) {
        std::cerr << "usage: curvix-write-document FILE FORMULA N1 ... N8\n";
        return 2;
    }
    document.SetFormula(argv[2]);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const char* text = argv[3 + i];
        const char* end = text + std::strlen(text);
        const auto result = std::from_chars(text, end, *numbers[i]);
        if (result.ec != std::errc() || result.ptr != end) {
            std::cerr << "curvix-write-document: not a number: " << text << '\n';
            return 2;
        }
    }
    std::string error;
    if (!curvix::SaveDocumentFile(document, argv[1], error)) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}
