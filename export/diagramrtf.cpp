// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagramrtf.h"

#include "export/diagramtext.h"

#include <cstdio>

namespace exporter {

namespace {

void appendEscaped(std::string &rtf, std::string_view line)
{
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
            rtf += c;
        } else if (byte < 0x20 || byte >= 0x80) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\'%02x", byte);
            rtf += hex;
        } else {
            rtf += c;
        }
    }
}

} // namespace

std::string diagramRtf(std::string_view text)
{
    // 10 pt, the size a word processor gives pasted fixed-pitch text.
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\n{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 ";
    rtf += FixedPitchFont;
    rtf += "{\\*\\falt ";
    rtf += FixedPitchFallback;
    rtf += "};}}\n";
    rtf.reserve(rtf.size() + 2 * text.size() + 1024);
    for (const DiagramSection &section : diagramSections(text)) {
        for (std::size_t i = 0; i < section.size(); ++i) {
            rtf += "\\pard\\plain\\f0\\fs20";
            if (i + 1 < section.size())
                rtf += "\\keepn";
            rtf += ' ';
            appendEscaped(rtf, section[i]);
            rtf += "\\par\n";
        }
    }
    rtf += "}";
    return rtf;
}

} // namespace exporter
