#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>

namespace curvix {

// The engine's text type: 16-bit code units holding sign-widened 8-bit
// characters, so any byte survives the trip in and back out. A value type
// with deep copies; numbers enter and leave it as "%f" text and atof.
class ExprString {
public:
    using Unit = std::uint16_t;

    ExprString() = default;
    // Implicit, so that literals serve as patterns and names.
    // cppcheck-suppress noExplicitConstructor
    ExprString(const char* text); // NOLINT(google-explicit-constructor)
    // At most length bytes, ending early at a 0 byte.
    ExprString(const char* text, int length);
    explicit ExprString(double value);
    explicit ExprString(char character);
    explicit ExprString(Unit unit);
    static ExprString FromUnits(const Unit* units, int length);
    ExprString(const ExprString& other);
    ExprString(ExprString&& other) noexcept;
    ExprString& operator=(const ExprString& other);
    ExprString& operator=(ExprString&& other) noexcept;
    virtual ~ExprString();

    int Length() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    Unit At(int index) const { return index >= 0 && index < m_length ? m_units[index] : Unit{0}; }
    // The units, valid until the next change; null for an empty string
    // that never had a buffer.
    const Unit* Data() const { return m_units.get(); }

    bool operator==(const ExprString& other) const;
    ExprString operator+(const ExprString& other) const;

    ExprString Mid(int start, int end) const;
    void Append(const ExprString& other);
    void InsertAt(int position, const ExprString& other);
    void RemoveAt(int position);
    void ToLower();
    void ReplaceAll(const ExprString& pattern, const ExprString& replacement);
    void RemoveAll(const ExprString& pattern, int start);

    // Replaces the text by 8-bit text (up to a 0 byte), reusing the buffer when it is large
    // enough; the sampler does this once per sample.
    void AssignNarrow(const char* text, int length);
    // In-place editing for the engine's one-pass normalisation: the units
    // may be changed and the text shortened, never lengthened.
    Unit* MutableData() { return m_units.get(); }
    void Truncate(int length);

    double ToDouble() const;
    const char* ToNarrow();
    void WriteTo(std::ostream& stream) const;

private:
    bool MatchesAt(int position, const ExprString& pattern) const;
    void Reserve(int length);
    void RemoveRun(int position, int count);

    std::unique_ptr<char[]> m_narrow;
    std::unique_ptr<Unit[]> m_units;
    std::int32_t m_capacity = 0;
    std::int32_t m_length = 0;
};

std::ostream& operator<<(std::ostream& stream, const ExprString& text);

} // namespace curvix
