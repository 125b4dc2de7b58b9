// INI text rules; see ini_text.h.
#include "ini_text.h"

#include <vector>

namespace brightlock::ini {
namespace {

struct Line {
    size_t begin = 0; // first byte of the line
    size_t end = 0;   // end of the content, before the line end and any carriage returns
    size_t next = 0;  // first byte of the following line
};

// A UTF-8 byte-order mark that some editors put at the start of a file.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Where the first line starts: a byte-order mark is not part of it.
size_t firstLine(std::string_view text) {
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
}

// The line starting at `pos`. Lines end at "\n". Carriage returns before it, or at the very
// end of the file, belong to the line end, so "\r\r\n" from a file converted twice and a
// last line cut after its "\r" read like any other line.
Line lineAt(std::string_view text, size_t pos) {
    const size_t nl = text.find('\n', pos);
    Line line;
    line.begin = pos;
    line.next = nl == std::string_view::npos ? text.size() : nl + 1;
    line.end = nl == std::string_view::npos ? text.size() : nl;
    while (line.end > line.begin && text[line.end - 1] == '\r')
        --line.end;
    return line;
}

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    for (size_t pos = firstLine(text); pos < text.size();) {
        lines.push_back(lineAt(text, pos));
        pos = lines.back().next;
    }
    return lines;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// The section name when the line opens a section.
std::optional<std::string_view> sectionName(std::string_view content) {
    std::string_view t = trim(content);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    t.remove_prefix(1);
    size_t close = t.find(']');
    if (close != std::string_view::npos)
        t = t.substr(0, close);
    return trim(t);
}

struct KeyLine {
    std::string_view name;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view content) {
    std::string_view t = trim(content);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[')
        return std::nullopt;
    size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    KeyLine k{trim(t.substr(0, eq)), trim(t.substr(eq + 1))};
    if (k.name.empty())
        return std::nullopt;
    return k;
}

std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

struct Found {
    std::optional<size_t> sectionLine; // index of the section header
    size_t sectionEnd = 0;             // index one past the section's last line
    std::optional<size_t> keyLine;     // index of the key's line
};

Found find(std::string_view text, const std::vector<Line>& lines, std::string_view section,
           std::string_view key) {
    Found f;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view content = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (auto name = sectionName(content)) {
            if (f.sectionLine)
                return f; // the section ended here
            if (sameName(*name, section)) {
                f.sectionLine = i;
                f.sectionEnd = i + 1;
            }
            continue;
        }
        if (!f.sectionLine)
            continue;
        f.sectionEnd = i + 1;
        if (!f.keyLine) {
            auto k = keyLine(content);
            if (k && sameName(k->name, key))
                f.keyLine = i;
        }
    }
    return f;
}

std::string lineEnd(std::string_view text) {
    size_t nl = text.find('\n');
    if (nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r')
        return "\r\n";
    return "\n";
}

} // namespace

std::optional<std::string> lookup(std::string_view text, std::string_view section, std::string_view key) {
    std::optional<std::string> found;
    visitSection(text, section, [&](std::string_view name, std::string_view value) {
        if (!sameName(name, key))
            return true;
        found = std::string(value);
        return false;
    });
    return found;
}

void visitSection(std::string_view text, std::string_view section,
                  const std::function<bool(std::string_view key, std::string_view value)>& visit) {
    bool inside = false;
    for (size_t pos = firstLine(text); pos < text.size();) {
        const Line line = lineAt(text, pos);
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        pos = line.next;
        if (auto name = sectionName(content)) {
            if (inside)
                return; // the section ended here
            inside = sameName(*name, section);
            continue;
        }
        if (!inside)
            continue;
        if (auto k = keyLine(content); k && !visit(k->name, unquote(k->value)))
            return;
    }
}

std::string assign(std::string_view text, std::string_view section, std::string_view key,
                   std::string_view value) {
    std::vector<Line> lines = splitLines(text);
    Found f = find(text, lines, section, key);
    const std::string eol = lineEnd(text);
    std::string out;
    out.reserve(text.size() + key.size() + value.size() + section.size() + 8);

    if (f.keyLine) {
        const Line& l = lines[*f.keyLine];
        std::string_view content = text.substr(l.begin, l.end - l.begin);
        auto k = keyLine(content);
        out.append(text.substr(0, l.begin));
        out.append(k->name);
        out.push_back('=');
        out.append(value);
        out.append(text.substr(l.end));
        return out;
    }

    if (f.sectionLine) {
        // After the section's last non-blank line, so blank separator lines stay below it.
        size_t after = *f.sectionLine;
        for (size_t i = *f.sectionLine + 1; i < f.sectionEnd; ++i)
            if (!trim(text.substr(lines[i].begin, lines[i].end - lines[i].begin)).empty())
                after = i;
        const Line& l = lines[after];
        out.append(text.substr(0, l.next));
        if (text[l.next - 1] != '\n') // the file's last line had no line end
            out.append(eol);
        out.append(key).append("=").append(value).append(eol);
        out.append(text.substr(l.next));
        return out;
    }

    out.append(text);
    if (!text.empty() && text.back() != '\n')
        out.append(eol);
    out.append("[").append(section).append("]").append(eol);
    out.append(key).append("=").append(value).append(eol);
    return out;
}

bool isValidSection(std::string_view name) {
    std::string_view t = trim(name);
    if (t.empty() || t.size() != name.size())
        return false;
    for (char c : name)
        if (c == '\n' || c == '\r' || c == '\0' || c == ']')
            return false;
    return true;
}

bool isValidKey(std::string_view name) {
    std::string_view t = trim(name);
    if (t.empty() || t.size() != name.size() || t.front() == '[' || t.front() == ';' || t.front() == '#')
        return false;
    for (char c : name)
        if (c == '\n' || c == '\r' || c == '\0' || c == '=')
            return false;
    return true;
}

std::string singleLine(std::string_view value) {
    std::string s(value);
    for (char& c : s)
        if (c == '\n' || c == '\r' || c == '\0')
            c = ' ';
    return s;
}

} // namespace brightlock::ini
