// SGF text as a tree of nodes and properties: the first of the two layers of
// game-record reading (the game itself is read from the tree by
// SgfGameReader).
//
// The parser is deliberately forgiving at the end of the text, since records
// get cut short: a value still open when the text ends is dropped, and open
// variations are closed there (the tree says it was truncated). Inside the
// text it is strict: a character that cannot stand where it stands is an
// error naming that character and its line and column, so a file that is no
// game record (a scrambled QCR opened as SGF, say) is refused instead of
// being read as nonsense. Only the first game tree of the text is read.
//
// Nodes live in one flat array and refer to each other by index, so neither
// parsing nor destroying a deeply nested record recurses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quon {

struct SgfProperty {
    std::string Ident;               // letters before the first "[", case kept
    std::vector<std::string> Values; // raw bytes between "[" and "]", escapes kept
    size_t Offset = 0;               // of the identifier, 0-based
};

struct SgfNode {
    std::vector<SgfProperty> Properties;
    int32_t Parent = -1;
    std::vector<int32_t> Children; // first child first: the main line follows it
    size_t Offset = 0;             // of the ";"
};

struct SgfError {
    std::string What;  // "Unexpected character", ...
    std::string Token; // the offending text, non-printable bytes as \xNN
    size_t Offset = 0; // 0-based
    int32_t Line = 1;
    int32_t Column = 1;
    std::string message() const; // What "Token" at line L, column C
};

struct SgfTree {
    std::vector<SgfNode> Nodes;
    std::vector<int32_t> Roots; // nodes without a parent, in order
    bool Truncated = false;     // the text ended inside the game tree

    // The main line: the first root, then the first child of each node.
    std::vector<int32_t> mainLine() const;
};

struct SgfParseResult {
    SgfTree Tree;
    std::optional<SgfError> Error; // set: nothing of the tree is to be used
};

SgfParseResult parseSgfTree(const std::string& text);

// A value's text: escapes undone ("\x" gives "x", a backslash before a line
// break removes both) and leading and trailing blanks and control characters
// trimmed.
std::string sgfValueText(const std::string& raw);

// The inverse for writing: "\" and "]" escaped.
std::string escapeSgfValue(const std::string& text);

} // namespace quon
