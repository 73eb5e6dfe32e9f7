// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagramhtml.h"

namespace exporter {

std::string diagramHtml(std::string_view text)
{
    std::string html =
        "<html><head><meta charset=\"utf-8\"></head><body>"
        "<pre style=\"font-family: 'Liberation Mono', 'Courier New', monospace\">";
    html.reserve(html.size() + text.size() + 64);
    for (const char c : text) {
        switch (c) {
        case '\r':
            html += '\n';
            break;
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
    html += "</pre></body></html>";
    return html;
}

} // namespace exporter
