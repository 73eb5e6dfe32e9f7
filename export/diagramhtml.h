// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace exporter {

// The diagram text as HTML, for word processors that do not honour a bare
// carriage return: the same lines, in the same order, inside one <pre> that
// names a fixed-pitch font, each line ended by a line feed, with "<", ">"
// and "&" escaped. `text` is what buildDiagramText() returns.
std::string diagramHtml(std::string_view text);

} // namespace exporter
