// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagramhtml.h"

#include "export/diagramtext.h"

namespace exporter {

namespace {

void appendEscaped(std::string &html, std::string_view line)
{
    for (const char c : line) {
        switch (c) {
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '&':
            html += "&amp;";
            break;
        default:
            html += c;
        }
    }
}

} // namespace

std::string diagramHtml(std::string_view text)
{
    const std::string font = "font-family: '" + std::string(FixedPitchFont) + "', '" +
                             std::string(FixedPitchFallback) + "', monospace; margin: 0";
    std::string html = "<html><head><meta charset=\"utf-8\"></head><body>";
    html.reserve(html.size() + text.size() + 1024);
    bool header = true;
    for (const DiagramSection &section : diagramSections(text)) {
        html += "<pre style=\"" + font;
        if (!header)
            html += "; break-inside: avoid; page-break-inside: avoid";
        html += "\">";
        for (const std::string_view line : section) {
            appendEscaped(html, line);
            html += '\n';
        }
        html += "</pre>";
        header = false;
    }
    html += "</body></html>";
    return html;
}

} // namespace exporter
