// Feeds the same formulas to the production engine and to the literal
// reference engine and requires the same result bits, the same report
// lines, the same normalised text and the same variables after each one.
#include "Bits.h"
#include "EngineUnderTest.h"
#include "FormulaGenerator.h"
#include "ProcessLocale.h"
#include "SanitizedBuild.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace curvix::testing {
namespace {

using test::Describe;

constexpr int kScale = kSanitizedBuild ? 10 : 1;

std::string Escaped(const std::string& bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
            text.push_back(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
            text += buffer;
        }
    }
    return "\"" + text + "\"";
}

std::string Units(const std::u16string& units) {
    std::string bytes;
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
    }
    return Escaped(bytes) + (units.size() > 0 ? "" : " (empty)");
}

// Empty when both engines hold the same variables with the same value bits.
std::string CompareVariables(const ExpressionEvaluator& production,
                             const reference::ReferenceEngine& reference) {
    std::ostringstream difference;
    const VariableNode* node = production.FirstVariable();
    for (const auto& variable : reference.Variables()) {
        if (node == nullptr) {
            difference << "production lacks variable '" << variable.name << "'";
            return difference.str();
        }
        std::string name;
        for (int i = 0; i < node->name.Length(); ++i) {
            name.push_back(static_cast<char>(node->name.At(i) & 0xFF));
        }
        if (name != variable.name ||
            std::memcmp(&node->value, &variable.value, sizeof(double)) != 0) {
            difference << "variable '" << name << "' = " << Describe(node->value) << ", reference '"
                       << variable.name << "' = " << Describe(variable.value);
            return difference.str();
        }
        node = node->next.get();
    }
    if (node != nullptr) {
        difference << "production has an extra variable";
    }
    return difference.str();
}

// Runs the formulas on one engine of each kind and returns the number of
// mismatching formulas (each described through ADD_FAILURE).
class DifferentialRun {
public:
    int Compare(const std::string& formula) {
        const Outcome expected = m_reference.Run(formula);
        const Outcome actual = m_production.Run(formula);
        ++m_compared;
        std::ostringstream problem;
        if (std::memcmp(&expected.result, &actual.result, sizeof(double)) != 0) {
            problem << "\n  result: production " << Describe(actual.result) << ", reference "
                    << Describe(expected.result);
        }
        if (expected.reports != actual.reports) {
            problem << "\n  reports: production \"" << actual.reports << "\", reference \""
                    << expected.reports << "\"";
        }
        if (expected.normalised != actual.normalised) {
            problem << "\n  normalised: production " << Units(actual.normalised) << ", reference "
                    << Units(expected.normalised);
        }
        const std::string variables = CompareVariables(m_production.Engine(), m_reference.Engine());
        if (!variables.empty()) {
            problem << "\n  " << variables;
        }
        if (problem.str().empty()) {
            return 0;
        }
        if (++m_failures <= 20) {
            ADD_FAILURE() << "formula #" << m_compared << " " << Escaped(formula) << problem.str();
        }
        return 1;
    }
    int Compared() const { return m_compared; }
    int Failures() const { return m_failures; }

private:
    ProductionRunner m_production;
    ReferenceRunner m_reference;
    int m_compared = 0;
    int m_failures = 0;
};

void RunRandomFormulas(std::uint32_t seed, int count) {
    FormulaGenerator generator(seed);
    DifferentialRun run;
    // Random assignments rarely hit the switches exactly (letters run into
    // the names before them), so flip them now and then on purpose.
    static const char* const kSwitches[] = {"rad=1", "rad=0",      "rad=0.5", "rad=-0",
                                            "pi=3",  "pi=3.14159", "rad=-3",  "pi=0"};
    std::mt19937 switches(seed);
    for (int i = 0; i < count; ++i) {
        if (switches() % 50 == 0) {
            run.Compare(kSwitches[switches() % std::size(kSwitches)]);
        }
        run.Compare(generator.Next());
    }
    EXPECT_EQ(run.Failures(), 0) << "seed " << seed << ", " << run.Compared() << " formulas";
}

// Whole numbers from 2^52 up take the six-decimal rounding's shortcut.
TEST(DifferentialTest, WholeNumbersFromTwoToThe52) {
    DifferentialRun run;
    for (const char* formula : {"2^52", "-4503599627370496", "4503599627370496+0",
                                "6755399441055744*1", "2^53-1", "2^52+0.5", "2^52-0.5"}) {
        run.Compare(formula);
    }
    EXPECT_EQ(run.Failures(), 0);
}

TEST(DifferentialTest, RandomFormulasSeed1) {
    RunRandomFormulas(1, 100000 / kScale);
}
TEST(DifferentialTest, RandomFormulasSeed2) {
    RunRandomFormulas(20261208, 100000 / kScale);
}
TEST(DifferentialTest, RandomFormulasSeed3) {
    RunRandomFormulas(0xC0FFEE, 100000 / kScale);
}

TEST(DifferentialTest, FormulasAroundTheTokenLimit) {
    FormulaGenerator generator(128);
    DifferentialRun run;
    for (int i = 0; i < 1500 / kScale; ++i) {
        for (const int tokens : {1, 2, 126, 127, 128, 129, 130}) {
            run.Compare(generator.WithTokenCount(tokens));
        }
    }
    EXPECT_EQ(run.Failures(), 0) << run.Compared() << " formulas";
}

// The engine must give the same results whatever locale the process runs
// under; a German locale would print "%f" with a decimal comma.
TEST(DifferentialTest, RandomFormulasUnderGermanLocale) {
    CURVIX_ENTER_GERMAN_LOCALE(german);
    RunRandomFormulas(49, 20000 / kScale);
}

} // namespace
} // namespace curvix::testing
