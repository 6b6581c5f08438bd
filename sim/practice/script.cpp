#include "practice/script.h"

#include <cstdlib>
#include <sstream>

namespace vzsim {
namespace {

std::string Trim(const std::string& s) {
    const auto begin = s.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return std::string();
    const auto end = s.find_last_not_of(" \t\r");
    return s.substr(begin, end - begin + 1);
}

}  // namespace

Script ParseScript(const std::string& text) {
    Script script;
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        const auto first = line.find('|');
        const auto second = first == std::string::npos ? first : line.find('|', first + 1);
        if (second == std::string::npos) {
            script.error =
                "line " + std::to_string(number) + ": expected delay | speaker | message";
            return script;
        }
        const std::string delay = Trim(line.substr(0, first));
        char* end = nullptr;
        const double seconds = std::strtod(delay.c_str(), &end);
        if (delay.empty() || *end != '\0' || !(seconds >= 0) || seconds > 3600) {
            script.error = "line " + std::to_string(number) + ": bad delay '" + delay + "'";
            return script;
        }
        script.lines.push_back({seconds, Trim(line.substr(first + 1, second - first - 1)),
                                Trim(line.substr(second + 1))});
    }
    return script;
}

std::string ChatLine(const std::string& speaker, const std::string& message) {
    return speaker + ": " + message;
}

}  // namespace vzsim
