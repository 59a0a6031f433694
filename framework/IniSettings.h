#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace curvix {

// The keys of a QSettings INI file and the changes made to them, kept as
// QSettings keeps them, so that the text made here is, byte for byte, the
// file QSettings would write: one section per first key part, sections and
// keys in name order, values in their canonical spelling. Keys are
// "section/name"; a key without '/' belongs to [General].
class CIniSettings {
public:
    // One value: a string, or a list of them.
    struct Value {
        std::vector<std::u16string> items;
        bool list = false;
    };

    // Takes the keys of a file's bytes in place of those read before; the
    // changes stay. False when some line could not be read (the rest is
    // taken, as QSettings takes it).
    bool Read(std::string_view bytes);

    void SetString(std::u16string_view key, std::u16string_view text);
    void SetNumber(std::u16string_view key, int number);
    // Takes away the key and every key under it; the empty key takes all.
    void Remove(std::u16string_view key);

    bool HasChanges() const { return !m_added.empty() || !m_removed.empty(); }
    // The file: what was read, with the changes made to it.
    std::string Text() const;
    // The changes are in the file now: what was read becomes the text.
    void Commit();

    // A key as QSettings takes it: no '/' at either end, none doubled.
    static std::u16string NormalKey(std::u16string_view key);

private:
    std::map<std::u16string, Value> Merged() const;

    std::map<std::u16string, Value> m_read;
    std::map<std::u16string, Value> m_added;
    std::set<std::u16string> m_removed;
};

} // namespace curvix
