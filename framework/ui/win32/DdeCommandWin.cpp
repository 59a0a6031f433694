#include "DdeCommandWin.h"

#include "Win32Api.h"
#include "WinSystem.h"

#include <algorithm>
#include <cstring>

namespace curvix {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool IsPathCharacter(wchar_t c) {
    return c >= 0x20 && c != 0x7F && c != L'"';
}

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Reads the lower-case text at position when it is there, in any case.
bool Take(std::wstring_view command, std::size_t& position, std::wstring_view text) {
    if (command.size() - position < text.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (AsciiLower(command[position + i]) != text[i])
            return false;
    position += text.size();
    return true;
}

// A quoted path's text up to its closing quote, which stays unread; empty
// when it holds anything a path cannot.
std::wstring_view TakePath(std::wstring_view command, std::size_t& position) {
    const std::size_t start = position;
    while (position < command.size() && command[position] != L'"') {
        const wchar_t c = command[position];
        if (!IsPathCharacter(c) || IsLowSurrogate(c))
            return {};
        if (IsHighSurrogate(c)) {
            if (position + 1 == command.size() || !IsLowSurrogate(command[position + 1]))
                return {};
            ++position;
        }
        ++position;
    }
    return command.substr(start, position - start);
}

} // namespace

std::optional<std::vector<std::string>> ParseDdeOpenCommand(std::wstring_view command) {
    if (command.size() > kDdeCommandMaxLength)
        return std::nullopt;
    std::vector<std::string> paths;
    std::size_t position = 0;
    for (;;) {
        while (position < command.size() && IsBlank(command[position]))
            ++position;
        if (position == command.size())
            break;
        if (!Take(command, position, L"[open(\""))
            return std::nullopt;
        const std::wstring_view path = TakePath(command, position);
        if (path.empty() || !Take(command, position, L"\")]"))
            return std::nullopt;
        paths.push_back(Utf8FromWide(std::wstring(path)));
    }
    if (paths.empty())
        return std::nullopt;
    return paths;
}

std::optional<std::wstring> ReadDdeCommandText(const void* memory, std::size_t bytes, bool wide) {
    if (wide) {
        const std::size_t units = bytes / sizeof(wchar_t);
        const auto* text = static_cast<const wchar_t*>(memory);
        const std::size_t length = wcsnlen(text, std::min(units, kDdeCommandMaxLength + 1));
        if (length == units || length > kDdeCommandMaxLength)
            return std::nullopt;
        return std::wstring(text, length);
    }
    const auto* text = static_cast<const char*>(memory);
    // An ANSI character is one UTF-16 unit at least: a longer text is too
    // long in any case.
    const std::size_t length = strnlen(text, std::min(bytes, kDdeCommandMaxLength + 1));
    if (length == bytes || length > kDdeCommandMaxLength)
        return std::nullopt;
    if (length == 0)
        return std::wstring();
    const int size = static_cast<int>(length);
    const int wideLength =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, size, nullptr, 0);
    if (wideLength <= 0 || static_cast<std::size_t>(wideLength) > kDdeCommandMaxLength)
        return std::nullopt;
    std::wstring converted(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, size, converted.data(), wideLength);
    return converted;
}

} // namespace curvix
