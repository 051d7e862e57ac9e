// SHA-256 of a byte string as lower-case hex, for pinning constant tables.
#pragma once

#include <string>

namespace quon::test {

std::string sha256Hex(const std::string& bytes);

} // namespace quon::test
