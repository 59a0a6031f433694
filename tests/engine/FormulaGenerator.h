#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace curvix::testing {

// Random formulas over everything the engine can meet: numbers of every
// shape (long runs, several points, values on six-decimal ties, runs too
// long for a double), variable and function names with and without their
// bracket, every operator and bracket, blanks, line breaks, capitals,
// commas and bytes from 0x80 up. Fixed seeds make every run the same.
class FormulaGenerator {
public:
    explicit FormulaGenerator(std::uint32_t seed) : m_random(seed) {}

    // A formula of a random shape; now and then one longer than the table.
    std::string Next();
    // A formula that normalises to exactly the given number of tokens.
    std::string WithTokenCount(int tokens);
    // A formula to sample: fragments of Next() and x wherever its text
    // matters (beside digits and points, inside names, as divisor, power,
    // sqrt argument and assigned value).
    std::string WithX();
    // A formula near 128 tokens once x's text is in, on either side of the
    // limit depending on x's minus.
    std::string WithXNearTokenLimit();

private:
    int Uniform(int low, int high);
    bool Chance(int percent);
    std::string Number();
    std::string Name();
    std::string Call();
    std::string Operator();
    std::string Fragment();
    std::string Decorate(const std::string& formula);

    std::mt19937 m_random;
};

} // namespace curvix::testing
