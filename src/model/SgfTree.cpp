#include "model/SgfTree.h"

#include <cstdio>

namespace quon {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string printable(const std::string& s)
{
    std::string out;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x21 && c < 0x7F) {
            out += ch;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

SgfError makeError(const std::string& text, size_t offset, const char* what, const std::string& token)
{
    SgfError e;
    e.What = what;
    e.Token = printable(token);
    e.Offset = offset;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++e.Line;
            e.Column = 1;
        } else if (text[i] != '\r') {
            ++e.Column;
        }
    }
    return e;
}

} // namespace

std::string SgfError::message() const
{
    return What + " \"" + Token + "\" at line " + std::to_string(Line) + ", column " + std::to_string(Column);
}

std::vector<int32_t> SgfTree::mainLine() const
{
    std::vector<int32_t> line;
    if (Roots.empty())
        return line;
    for (int32_t n = Roots.front(); n >= 0;) {
        line.push_back(n);
        const auto& children = Nodes[static_cast<size_t>(n)].Children;
        n = children.empty() ? -1 : children.front();
    }
    return line;
}

SgfParseResult parseSgfTree(const std::string& text)
{
    SgfParseResult result;
    SgfTree& tree = result.Tree;
    const size_t n = text.size();

    size_t i = text.find('(');
    if (i == std::string::npos) {
        size_t first = 0;
        while (first < n && isBlank(text[first]))
            ++first;
        result.Error =
            makeError(text, first, "No game record found: no \"(\" in the text; it begins with", text.substr(first, 8));
        return result;
    }

    std::vector<int32_t> open; // the current node at each open "("
    int32_t current = -1;
    bool closed = false;
    while (i < n && !closed) {
        const char c = text[i];
        if (isBlank(c)) {
            ++i;
        } else if (c == '(') {
            open.push_back(current);
            ++i;
        } else if (c == ')') {
            current = open.back();
            open.pop_back();
            closed = open.empty();
            ++i;
        } else if (c == ';') {
            SgfNode node;
            node.Parent = current;
            node.Offset = i;
            const auto index = static_cast<int32_t>(tree.Nodes.size());
            tree.Nodes.push_back(std::move(node));
            if (current >= 0)
                tree.Nodes[static_cast<size_t>(current)].Children.push_back(index);
            else
                tree.Roots.push_back(index);
            current = index;
            ++i;
        } else if (isLetter(c)) {
            SgfProperty prop;
            prop.Offset = i;
            size_t j = i;
            while (j < n && isLetter(text[j]))
                ++j;
            prop.Ident = text.substr(i, j - i);
            while (j < n && isBlank(text[j]))
                ++j;
            if (j >= n) {
                tree.Truncated = true;
                return result;
            }
            if (text[j] != '[') {
                result.Error = makeError(text, i, "Property without a value", text.substr(i, j + 1 - i));
                return result;
            }
            if (current < 0) {
                result.Error = makeError(text, i, "Property before the first \";\" of the game:", prop.Ident);
                return result;
            }
            // The property's values, each to its first "]" not escaped by "\".
            bool ended = false;
            while (j < n && text[j] == '[') {
                size_t k = j + 1;
                while (k < n && text[k] != ']')
                    k += text[k] == '\\' ? 2 : 1;
                if (k >= n) {
                    ended = true;
                    break;
                }
                prop.Values.push_back(text.substr(j + 1, k - j - 1));
                j = k + 1;
                while (j < n && isBlank(text[j]))
                    ++j;
            }
            if (!prop.Values.empty())
                tree.Nodes[static_cast<size_t>(current)].Properties.push_back(std::move(prop));
            if (ended) {
                tree.Truncated = true;
                return result;
            }
            i = j;
        } else if (c == '[') {
            result.Error = makeError(text, i, "Value without a property name", "[");
            return result;
        } else {
            result.Error = makeError(text, i, "Unexpected character", std::string(1, c));
            return result;
        }
    }
    tree.Truncated = !closed;
    return result;
}

std::string sgfValueText(const std::string& raw)
{
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (i + 1 >= raw.size())
            break; // a lone backslash at the end escapes nothing
        const char next = raw[i + 1];
        if (next == '\r' || next == '\n') {
            // A soft line break: both vanish, with the LF of a CR LF pair.
            i += 1;
            if (i + 1 < raw.size() && (raw[i + 1] == '\r' || raw[i + 1] == '\n') && raw[i + 1] != next)
                i += 1;
            continue;
        }
        out += next;
        ++i;
    }
    size_t b = 0;
    size_t e = out.size();
    while (b < e && isBlank(out[b]))
        ++b;
    while (e > b && isBlank(out[e - 1]))
        --e;
    return out.substr(b, e - b);
}

std::string escapeSgfValue(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == ']')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace quon
