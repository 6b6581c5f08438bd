// A practice-room script: timed chat lines, one per line of a small text
// file, as "delay in seconds | speaker | message". Blank lines and lines
// starting with '#' are skipped.
#pragma once

#include <string>
#include <vector>

namespace vzsim {

struct ScriptLine {
    double delaySeconds = 0;  // after the previous line
    std::string speaker;
    std::string message;
};

struct Script {
    std::vector<ScriptLine> lines;
    std::string error;  // empty when the whole text was read
};

Script ParseScript(const std::string& text);

// The chat line a speaker says: "speaker: message".
std::string ChatLine(const std::string& speaker, const std::string& message);

}  // namespace vzsim
