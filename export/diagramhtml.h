// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace exporter {

// The diagram text as HTML, for word processors that do not honour a bare
// carriage return: the same lines, in the same order, in <pre> elements that
// name a fixed-pitch font, each line ended by a line feed, with "<", ">" and
// "&" escaped. The header is one <pre> and each key's block another, which
// asks not to be split across printed pages. `text` is what
// buildDiagramText() returns.
std::string diagramHtml(std::string_view text);

} // namespace exporter
