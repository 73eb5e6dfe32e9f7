// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace exporter {

// The diagram text as RTF, which word processors prefer to HTML: one
// paragraph per line in a fixed-pitch font, every line of the header and
// of each key's block but its last kept with the next paragraph, so that a
// printed page never splits a block; "\", "{" and "}" escaped. `text` is
// what buildDiagramText() returns.
std::string diagramRtf(std::string_view text);

} // namespace exporter
