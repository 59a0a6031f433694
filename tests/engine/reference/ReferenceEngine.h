#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

namespace curvix::reference {

// A deliberately literal second implementation of the formula engine, for
// tests only: every token owns its text, every value is written with "%f"
// and read back with atof, every search walks all 128 slots, and the
// normalisation runs as its separate editing steps. It must give the same
// result, the same report lines and the same normalised text as the real
// engine for every formula.
class ReferenceEngine {
public:
    static constexpr int kSlots = 128;

    explicit ReferenceEngine(std::ostream& errors);

    // Normalises formula in place and returns its value.
    double Evaluate(std::u16string& formula);

    // Number of tokens the normalised text splits into (no upper bound).
    static int CountTokens(const std::u16string& normalised);
    static void Normalise(std::u16string& formula);

    struct Variable {
        std::string name;
        double value = 0.0;
    };
    // The variable list in its order, the head node (empty name) first.
    const std::vector<Variable>& Variables() const { return m_variables; }

private:
    struct Slot {
        std::string text;
        int kind = 0;
    };

    void Tokenise(const std::u16string& normalised);
    void PrepareTokens();
    double EvaluateRange(int first, int last);
    double ApplyOperator(int d);
    int FindToken(int kind, int first, int last) const;
    int FindClosing(int kind, int first, int last) const;
    double TakeOperand(int slot, bool rightward);
    std::string TakeNameLeftOf(int d);

    double ReadSlot(int slot) const;
    void WriteSlot(int slot, double value);

    void SetVariable(const std::string& name, double value);
    double GetVariable(const std::string& name);
    double CallFunction(const std::string& call, double argument);

    std::array<Slot, kSlots> m_slots{};
    // Index 0 is the head node with the empty name, once anything was set.
    std::vector<Variable> m_variables;
    std::ostream& m_errors;
};

} // namespace curvix::reference
