#include "standins/archive/core/ArchiverCommands.h"

#include <cctype>

namespace archivers {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// An on/off switch: no digits or 1 turns it on, 0 off.
bool Flag(const std::string& digits, bool& value, const std::string& option, std::string& error) {
    if (digits.empty() || digits == "1") {
        value = true;
    } else if (digits == "0") {
        value = false;
    } else {
        error = "bad value of -" + option + ": " + digits;
        return false;
    }
    return true;
}

bool ApplyUnlhaOption(UnlhaCommand& c, const std::string& key, const std::string& digits, std::string& error) {
    if (key == "c") {
        // "-c" compares no times; "-c0" keeps the comparison.
        bool noCheck = true;
        if (!Flag(digits, noCheck, key, error)) return false;
        c.timeCheck = !noCheck;
        return true;
    }
    if (key == "x") return Flag(digits, c.keepPaths, key, error);
    if (key == "r") return Flag(digits == "2" ? "1" : digits, c.recurse, key, error);
    if (key == "ji") return Flag(digits, c.shortNames, key, error);
    if (key == "jm") {
        static const LzhMethod methods[] = {LzhMethod::Stored, LzhMethod::Lh5, LzhMethod::Lh5, LzhMethod::Lh6,
                                            LzhMethod::Lh7};
        if (digits.size() != 1 || digits[0] == '1' || digits[0] > '4') {
            error = "bad method -jm" + digits;
            return false;
        }
        c.method = methods[digits[0] - '0'];
        return true;
    }
    if (key == "h") {
        if (digits != "1" && digits != "2") {
            error = "bad header level -h" + digits;
            return false;
        }
        c.headerLevel = digits[0] - '0';
        return true;
    }
    // Message, attribute and display switches: there is no window to show anything in.
    if (key == "a" || key == "m" || key == "+" || key == "gn" || key == "gw" || key == "jp") return true;
    error = "unknown option -" + key;
    return false;
}

bool ParseUnlhaOption(UnlhaCommand& c, const std::string& text, std::string& error) {
    if (text.size() < 2) {
        error = "empty option";
        return false;
    }
    std::size_t i = 1;
    while (i < text.size()) {
        std::string key;
        if (text[i] == '+') {
            key = "+";
            ++i;
        } else if ((text[i] == 'j' || text[i] == 'g') && i + 1 < text.size() && IsLetter(text[i + 1])) {
            key = text.substr(i, 2);
            i += 2;
        } else if (IsLetter(text[i])) {
            key = text.substr(i, 1);
            ++i;
        } else {
            error = "bad option " + text;
            return false;
        }
        std::string digits;
        while (i < text.size() && IsDigit(text[i])) digits += text[i++];
        if (!ApplyUnlhaOption(c, key, digits, error)) return false;
    }
    return true;
}

bool EndsWithSeparator(const std::string& text) {
    return !text.empty() && (text.back() == '\\' || text.back() == '/');
}

// A member name, or a list of them in a response file ("@list"); false for
// an empty one.
bool TakeName(const CommandToken& t, std::vector<NameArgument>& names, std::string& error) {
    if (t.text.empty() || (IsResponseFile(t) && t.text.size() == 1)) {
        error = "empty name";
        return false;
    }
    names.push_back(IsResponseFile(t) ? NameArgument{t.text.substr(1), true} : NameArgument{t.text, false});
    return true;
}

// Hands each letter of a bundled option ("-xvf") to `take`, which may read on
// from the letter at `i` and answers false for one it does not know: the
// whole option is then refused.
template <class Take>
bool TakeLetters(const std::string& option, std::string& error, Take take) {
    for (std::size_t i = 1; i < option.size(); ++i) {
        if (!take(option, i)) {
            error = "unknown option " + option;
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<UnlhaCommand> ParseUnlhaCommand(const std::string& line, std::string& error) {
    const std::vector<CommandToken> tokens = TokenizeCommand(line);
    UnlhaCommand c;
    if (tokens.empty() || tokens[0].quoted || tokens[0].text.size() != 1 ||
        std::string("umes").find(tokens[0].text[0]) == std::string::npos) {
        error = "the command must be u, m, e or s";
        return std::nullopt;
    }
    c.command = tokens[0].text[0];
    std::vector<const CommandToken*> positional;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        if (IsOption(tokens[i])) {
            if (!ParseUnlhaOption(c, tokens[i].text, error)) return std::nullopt;
        } else {
            positional.push_back(&tokens[i]);
        }
    }
    if (positional.empty() || positional[0]->text.empty() || IsResponseFile(*positional[0])) {
        error = "no archive named";
        return std::nullopt;
    }
    c.archive = positional[0]->text;
    std::size_t next = 1;
    if (next < positional.size() && (positional[next]->text.empty() || EndsWithSeparator(positional[next]->text))) {
        c.folder = positional[next]->text;
        ++next;
    }
    for (; next < positional.size(); ++next)
        if (!TakeName(*positional[next], c.names, error)) return std::nullopt;
    if ((c.command == 'u' || c.command == 'm') && c.names.empty()) {
        error = "nothing to pack";
        return std::nullopt;
    }
    return c;
}

std::optional<TarCommand> ParseTarCommand(const std::string& line, std::string& error) {
    const std::vector<CommandToken> tokens = TokenizeCommand(line);
    TarCommand c;
    bool create = false, extract = false;
    std::vector<char> pending;  // f and o take the tokens that follow, in order
    for (const CommandToken& t : tokens) {
        if (!pending.empty()) {
            if (IsResponseFile(t)) {
                error = std::string("-") + pending.front() + " needs a name, not a list";
                return std::nullopt;
            }
            (pending.front() == 'f' ? c.archive : c.folder) = t.text;
            pending.erase(pending.begin());
            continue;
        }
        if (!IsOption(t)) {
            if (!TakeName(t, c.names, error)) return std::nullopt;
            continue;
        }
        if (t.text == "--use-directory=0" || t.text == "--use-directory=1") {
            c.useDirectory = t.text.back() == '1';
            continue;
        }
        if (t.text.size() < 2 || t.text[1] == '-') {
            error = "unknown option " + t.text;
            return std::nullopt;
        }
        const bool known = TakeLetters(t.text, error, [&](const std::string& text, std::size_t& i) {
            switch (text[i]) {
                case 'c': create = true; return true;
                case 'x': extract = true; return true;
                case 'v': c.verbose = true; return true;
                case 'f':
                case 'o': pending.push_back(text[i]); return true;
                case 'z':
                    c.gzipLevel = 6;
                    if (i + 1 < text.size() && IsDigit(text[i + 1])) c.gzipLevel = text[++i] - '0';
                    return true;
                default: return false;
            }
        });
        if (!known) return std::nullopt;
    }
    if (!pending.empty()) {
        error = std::string("-") + pending.front() + " needs a value";
        return std::nullopt;
    }
    if (create == extract) {
        error = "exactly one of -c and -x is needed";
        return std::nullopt;
    }
    c.create = create;
    if (c.archive.empty()) {
        error = "no archive named";
        return std::nullopt;
    }
    if (c.create && c.names.empty()) {
        error = "nothing to pack";
        return std::nullopt;
    }
    return c;
}

std::optional<UnzipCommand> ParseUnzipCommand(const std::string& line, std::string& error) {
    UnzipCommand c;
    bool extract = false, update = false;
    std::vector<const CommandToken*> positional;
    const std::vector<CommandToken> tokens = TokenizeCommand(line);
    for (const CommandToken& t : tokens) {
        if (!IsOption(t)) {
            positional.push_back(&t);
            continue;
        }
        if (t.text.size() < 2) {
            error = "empty option";
            return std::nullopt;
        }
        const bool known = TakeLetters(t.text, error, [&](const std::string& text, std::size_t i) {
            switch (text[i]) {
                case 'x': extract = true; return true;
                case 'u': update = true; return true;
                case 'j': c.keepPaths = false; return true;
                default: return false;
            }
        });
        if (!known) return std::nullopt;
    }
    if (extract == update) {
        error = "exactly one of -x and -u is needed";
        return std::nullopt;
    }
    c.onlyNewer = update;
    if (positional.empty() || positional[0]->text.empty() || IsResponseFile(*positional[0])) {
        error = "no archive named";
        return std::nullopt;
    }
    c.archive = positional[0]->text;
    std::size_t next = 1;
    if (next < positional.size() && !IsResponseFile(*positional[next])) c.folder = positional[next++]->text;
    for (; next < positional.size(); ++next)
        if (!TakeName(*positional[next], c.names, error)) return std::nullopt;
    return c;
}

std::optional<ZipCommand> ParseZipCommand(const std::vector<std::string>& args, std::string& error) {
    ZipCommand c;
    bool haveArchive = false;
    for (const std::string& a : args) {
        if (a.size() > 1 && a[0] == '-') {
            const bool known = TakeLetters(a, error, [&](const std::string& text, std::size_t i) {
                if (IsDigit(text[i])) c.level = text[i] - '0';
                switch (text[i]) {
                    case 'j': c.junkPaths = true; return true;
                    case 'r': c.recurse = true; return true;
                    default: return IsDigit(text[i]);
                }
            });
            if (!known) return std::nullopt;
        } else if (a.empty() || a == "-") {
            error = "empty or unsupported name";
            return std::nullopt;
        } else if (!haveArchive) {
            c.archive = a;
            haveArchive = true;
        } else {
            c.files.push_back(a);
        }
    }
    if (!haveArchive) {
        error = "no archive named";
        return std::nullopt;
    }
    if (c.files.empty()) {
        error = "nothing to pack";
        return std::nullopt;
    }
    return c;
}

}  // namespace archivers
