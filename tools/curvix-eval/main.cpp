// curvix-eval: evaluates formulas with one Curvix engine, so that variables
// persist from one formula to the next.
//
//   curvix-eval                 formulas from standard input, one per line
//   curvix-eval -- F1 F2 ...    each argument after "--" is one formula
//   curvix-eval --sample        lines "XMIN XMAX STEP FORMULA" from standard
//                               input, each sampled as a curve: "X Y" lines
//   curvix-eval --open F.cvx    a document's formula and its eight numbers

#include "Arguments.h"
#include "CheckedOutput.h"
#include "CurvixIdentity.h"
#include "ExpressionEvaluator.h"
#include "FormulaMode.h"
#include "OpenMode.h"
#include "RawOutput.h"
#include "SampleMode.h"

#include <clocale>
#include <cstring>
#include <iostream>

namespace {

constexpr const char* kUsage =
    "usage: curvix-eval [-- FORMULA...]\n"
    "       curvix-eval --sample\n"
    "       curvix-eval --open FILE.cvx\n"
    "       curvix-eval --help | --version\n"
    "Evaluates formulas (one per line of standard input, or the\n"
    "arguments after --) and prints one result per line.\n"
    "--sample reads lines 'XMIN XMAX STEP FORMULA' and prints 'X Y' per\n"
    "sample of each curve, then an empty line.\n"
    "--open prints a document's formula and its eight numbers in file order.\n";

} // namespace

int main(int argc, char** argv) {
    curvix::UseUtf8Arguments(argc, argv);
    curvix::UseBinaryStandardStreams();
    std::setlocale(LC_ALL, "");
    std::ios::sync_with_stdio(false);
    // Every mode's results go through it: a failed write ends the program.
    const curvix::CheckedStandardOutput output("curvix-eval");

    int first = 1;
    bool formulasFromArguments = false;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--") == 0) {
            formulasFromArguments = true;
            ++first;
            break;
        }
        if (std::strcmp(argv[first], "--sample") == 0 && argc == 2) {
            curvix::ExpressionEvaluator engine;
            return curvix::SampleLines(engine, std::cin, std::cout, std::cerr);
        }
        if (std::strcmp(argv[first], "--open") == 0 && argc == 2) {
            std::cerr << "curvix-eval: option --open needs a value\n" << kUsage;
            return 2;
        }
        if (std::strcmp(argv[first], "--open") == 0 && argc == 3) {
            return curvix::OpenAndPrint(argv[2], std::cout, std::cerr);
        }
        if (std::strcmp(argv[first], "-h") == 0 || std::strcmp(argv[first], "--help") == 0) {
            std::cout << kUsage;
            return 0;
        }
        if (std::strcmp(argv[first], "--version") == 0) {
            std::cout << "curvix-eval " << curvix::kCurvixVersion << '\n';
            return 0;
        }
        std::cerr << "curvix-eval: unknown option '" << argv[first] << "'\n" << kUsage;
        return 2;
    }

    curvix::ExpressionEvaluator engine;
    if (formulasFromArguments) {
        for (int i = first; i < argc; ++i) {
            curvix::EvaluateLine(engine, argv[i], std::cout);
        }
    } else {
        curvix::EvaluateLines(engine, std::cin, std::cout);
    }
    return 0;
}
