#include "standins/archive/core/CommandTokens.h"

namespace archivers {

std::vector<CommandToken> TokenizeCommand(const std::string& line) {
    std::vector<CommandToken> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        CommandToken token;
        bool inQuotes = false;
        for (; i < line.size() && (inQuotes || (line[i] != ' ' && line[i] != '\t')); ++i) {
            if (line[i] == '"') {
                inQuotes = !inQuotes;
                token.quoted = true;
            } else {
                token.text += line[i];
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::vector<std::string> ParseResponseList(const std::string& bytes) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string name = bytes.substr(start, end - start);
        if (!name.empty() && name.back() == '\r') name.pop_back();
        if (!name.empty() && name.find('\0') == std::string::npos) names.push_back(std::move(name));
        start = end + 1;
    }
    return names;
}

}  // namespace archivers
