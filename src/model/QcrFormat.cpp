#include "model/QcrFormat.h"

namespace quon {

std::string ScrambleQcr(const std::string& text)
{
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i)
        out[i] = static_cast<char>(static_cast<uint8_t>(text[i]) + QcrKeyTable[i % QcrKeyLength]);
    return out;
}

std::string UnscrambleQcr(const std::string& bytes)
{
    std::string out(bytes.size(), '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        out[i] = static_cast<char>(static_cast<uint8_t>(bytes[i]) - QcrKeyTable[i % QcrKeyLength]);
    return out;
}

std::string qcrFileToSgf(const std::string& fileBytes) { return QcrHead + UnscrambleQcr(fileBytes) + ")"; }

std::string finalQcrFileName(const std::string& chosen)
{
    const size_t slash = chosen.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = chosen.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart || dot == nameStart)
        return chosen + ".QCR"; // no extension (a leading dot names a hidden file)
    std::string ext = chosen.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (ext == "QCR")
        return chosen;
    return chosen.substr(0, dot + 1) + "QCR";
}

} // namespace quon
