#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace curvix::test {

// A name in a dialog template: a text, or a number (0xFFFF, then the number).
struct TemplateName {
    bool isNumber = false;
    std::uint16_t number = 0;
    std::wstring text;
};

struct TemplateControl {
    std::uint32_t helpId = 0, exStyle = 0, style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;
    TemplateName windowClass;
    TemplateName title;
    std::uint16_t extraBytes = 0;
};

// An extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX
// controls), field by field.
struct DialogTemplate {
    std::uint16_t version = 0, signature = 0;
    std::uint32_t helpId = 0, exStyle = 0, style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName windowClass;
    std::wstring title;
    // With DS_SETFONT (or DS_SHELLFONT) in style only.
    std::uint16_t pointSize = 0, weight = 0;
    std::uint8_t italic = 0, charset = 0;
    std::wstring typeface;
    std::vector<TemplateControl> controls;
};

// Reads an extended dialog template from its resource bytes; false with the
// reason in error when it is not one or ends early.
bool ReadDialogTemplate(const std::vector<std::uint8_t>& bytes, DialogTemplate& dialog,
                        std::string& error);

// The class of a control as a name: the numbers of the predefined classes
// become their names ("BUTTON", "EDIT", "STATIC", ...).
std::wstring ClassName(const TemplateName& windowClass);

} // namespace curvix::test
