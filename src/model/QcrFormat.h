// QCR game records: the program's own record kind.
//
// A QCR file is the SGF text the record writer composes, without its fixed
// opening "(;EV[" and its closing ")" CR LF, with byte i (from 1) scrambled
// as (T[i] + K[((i - 1) mod 608) + 1]) mod 256. There is no header, length or
// checksum, so the file is exactly as long as the text. Records are bytes:
// nothing here decodes or encodes characters.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quon {

constexpr size_t QcrKeyLength = 608;
// The key, index 0 here for the record's K[1]. Made once by
// tools/make_qcr_key.py; see there before touching it.
extern const std::array<uint8_t, QcrKeyLength> QcrKeyTable;

// The text around a QCR file's bytes: a record is "(;EV[" + text + ")" + CR LF.
inline constexpr const char* QcrHead = "(;EV[";
inline constexpr const char* QcrTail = ")\r\n";

// Same length in and out; unscramble(scramble(s)) == s for every s.
std::string ScrambleQcr(const std::string& text);
std::string UnscrambleQcr(const std::string& bytes);

// The SGF text a QCR file's bytes stand for: the head put back and the
// closing parenthesis added (the reader needs no line break after it).
std::string qcrFileToSgf(const std::string& fileBytes);

// The file name a save goes to, from the name the user chose: the last
// extension becomes "QCR" ("a.b.sgf" gives "a.b.QCR"), a name without one
// gets ".QCR", and a name already ending in ".qcr" in any letter case is
// kept as it is (file names are case-sensitive here). Folders in the path
// are left alone, dots in them included.
std::string finalQcrFileName(const std::string& chosen);

} // namespace quon
