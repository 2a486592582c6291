#pragma once

#include "engine/io/JsonNode.h"
#include "engine/model/FailedCheck.h"

#include <ostream>
#include <vector>

namespace lumora::engine {

// A DRC marker as design files keep it: {"file": n, "at": [x, y], "severity": ..., "check": ...,
// "measure": ..., "measured": x, "required": y, "items": [{"component", "pin", "net"}...]}, empty
// texts of an item left out.
Json markerJson(const DrcMarker& marker);

// Reads what markerJson wrote; fails with the position of a bad value.
DrcMarker markerFromJson(const JsonNode& node);

// Writes the document's DRC markers as a JSON list for a user, in the order they were placed: each
// as markerJson writes it, with the file's name and the marker in words added ("fileName",
// "text"); lengths in page units, numbers with "." whatever the locale. Then each check that failed,
// in order: {"file", "fileName" (both only for a file of the document), "check", "severity":
// "Failed", "code", "text": KORVEN's description}, so that a board without markers is not taken
// for a clean one.
void writeMarkersJson(const Design& design, const std::vector<FailedCheck>& failedChecks, std::ostream& out);

} // namespace lumora::engine
