#include "standins/cab32/core/CabCommandLine.h"

namespace cabinet {

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

// Blank-separated words; a double-quoted stretch may hold blanks. An
// unterminated quote is an error.
bool Tokenize(const std::string& text, std::vector<Token>& tokens, std::string& error) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        Token token;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') {
            if (text[i] == '"') {
                const std::size_t close = text.find('"', i + 1);
                if (close == std::string::npos) {
                    error = "unterminated quote";
                    return false;
                }
                token.text += text.substr(i + 1, close - i - 1);
                token.quoted = true;
                i = close + 1;
            } else {
                token.text += text[i++];
            }
        }
        tokens.push_back(token);
    }
    return true;
}

// A decimal number of 1 to 9 digits and nothing else.
bool ParseNumber(const std::string& text, std::uint32_t& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return true;
}

}  // namespace

std::optional<CabCommand> ParseCabCommand(const std::string& text, std::string& error) {
    std::vector<Token> tokens;
    if (!Tokenize(text, tokens, error)) return std::nullopt;
    CabCommand command;
    std::vector<std::string> arguments;
    for (const Token& token : tokens) {
        const std::string& t = token.text;
        if (token.quoted || t.empty() || t[0] != '-') {
            if (t.empty()) {
                error = "empty argument";
                return std::nullopt;
            }
            arguments.push_back(t);
            continue;
        }
        std::uint32_t number = 0;
        if (t == "-a") {
            command.add = true;
        } else if (t == "-mn") {
            command.method = CabMethod::Store;
        } else if (t == "-mz") {
            command.method = CabMethod::MsZip;
        } else if (t.compare(0, 4, "-ml:") == 0) {
            if (!ParseNumber(t.substr(4), number) || number < 15 || number > 21) {
                error = "bad LZX window: " + t;
                return std::nullopt;
            }
            command.method = CabMethod::Lzx;
            command.lzxWindow = static_cast<int>(number);
        } else if (t.compare(0, 3, "-v:") == 0) {
            if (!ParseNumber(t.substr(3), number) || number == 0 || number > kMaxVolumeKB) {
                error = "bad volume size: " + t;
                return std::nullopt;
            }
            command.volumeKB = number;
        } else {
            error = "unknown switch: " + t;
            return std::nullopt;
        }
    }
    if (!command.add) {
        error = "only -a (create) is supported";
        return std::nullopt;
    }
    if (arguments.size() < 2) {
        error = "a cabinet name and at least one file are needed";
        return std::nullopt;
    }
    command.setName = arguments[0];
    command.files.assign(arguments.begin() + 1, arguments.end());
    return command;
}

}  // namespace cabinet
