#include "DialogTemplateReader.h"

#include <cstring>

namespace curvix::test {

namespace {

constexpr std::uint16_t kNumberMark = 0xFFFF;
constexpr std::uint32_t kSetFont = 0x40;   // DS_SETFONT
constexpr std::uint32_t kShellFont = 0x48; // DS_SHELLFONT

// Reads little-endian fields in order, never past the end.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    bool failed() const { return m_failed; }
    std::size_t offset() const { return m_offset; }

    template <typename T> T Read() {
        T value{};
        if (m_failed || m_bytes.size() - m_offset < sizeof value) {
            m_failed = true;
            return value;
        }
        std::memcpy(&value, m_bytes.data() + m_offset, sizeof value);
        m_offset += sizeof value;
        return value;
    }

    std::wstring ReadText() {
        std::wstring text;
        for (;;) {
            const auto unit = Read<std::uint16_t>();
            if (m_failed || unit == 0)
                return text;
            text.push_back(static_cast<wchar_t>(unit));
        }
    }

    TemplateName ReadName() {
        TemplateName name;
        const auto first = Read<std::uint16_t>();
        if (first == kNumberMark) {
            name.isNumber = true;
            name.number = Read<std::uint16_t>();
        } else if (first != 0) {
            name.text = static_cast<wchar_t>(first) + ReadText();
        }
        return name;
    }

    void AlignTo32() {
        const std::size_t aligned = (m_offset + 3) & ~std::size_t{3};
        if (aligned > m_bytes.size()) {
            m_failed = true;
            return;
        }
        m_offset = aligned;
    }

    void Skip(std::size_t count) {
        if (m_bytes.size() - m_offset < count) {
            m_failed = true;
            return;
        }
        m_offset += count;
    }

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_offset = 0;
    bool m_failed = false;
};

} // namespace

bool ReadDialogTemplate(const std::vector<std::uint8_t>& bytes, DialogTemplate& dialog,
                        std::string& error) {
    Reader in(bytes);
    DialogTemplate read;
    read.version = in.Read<std::uint16_t>();
    read.signature = in.Read<std::uint16_t>();
    if (in.failed() || read.version != 1 || read.signature != kNumberMark) {
        error = "not an extended dialog template";
        return false;
    }
    read.helpId = in.Read<std::uint32_t>();
    read.exStyle = in.Read<std::uint32_t>();
    read.style = in.Read<std::uint32_t>();
    const auto count = in.Read<std::uint16_t>();
    read.x = in.Read<std::int16_t>();
    read.y = in.Read<std::int16_t>();
    read.cx = in.Read<std::int16_t>();
    read.cy = in.Read<std::int16_t>();
    read.menu = in.ReadName();
    read.windowClass = in.ReadName();
    read.title = in.ReadText();
    if ((read.style & kSetFont) != 0 || (read.style & kShellFont) == kShellFont) {
        read.pointSize = in.Read<std::uint16_t>();
        read.weight = in.Read<std::uint16_t>();
        read.italic = in.Read<std::uint8_t>();
        read.charset = in.Read<std::uint8_t>();
        read.typeface = in.ReadText();
    }
    for (std::uint16_t i = 0; i < count && !in.failed(); ++i) {
        in.AlignTo32();
        TemplateControl control;
        control.helpId = in.Read<std::uint32_t>();
        control.exStyle = in.Read<std::uint32_t>();
        control.style = in.Read<std::uint32_t>();
        control.x = in.Read<std::int16_t>();
        control.y = in.Read<std::int16_t>();
        control.cx = in.Read<std::int16_t>();
        control.cy = in.Read<std::int16_t>();
        control.id = in.Read<std::uint32_t>();
        control.windowClass = in.ReadName();
        control.title = in.ReadName();
        control.extraBytes = in.Read<std::uint16_t>();
        in.Skip(control.extraBytes);
        read.controls.push_back(control);
    }
    if (in.failed()) {
        error = "the template ends at byte " + std::to_string(in.offset()) + " of " +
                std::to_string(bytes.size()) + ", inside a field";
        return false;
    }
    dialog = std::move(read);
    return true;
}

std::wstring ClassName(const TemplateName& windowClass) {
    if (!windowClass.isNumber)
        return windowClass.text;
    static const wchar_t* const kPredefined[] = {L"BUTTON",  L"EDIT",      L"STATIC",
                                                 L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};
    const unsigned index = windowClass.number - 0x80u;
    return index < std::size(kPredefined) ? kPredefined[index]
                                          : L"#" + std::to_wstring(windowClass.number);
}

} // namespace curvix::test
