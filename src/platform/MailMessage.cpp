#include "platform/MailMessage.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace quon {

namespace {

constexpr char Base64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64(const std::string& bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const uint32_t v = (uint32_t(uint8_t(bytes[i])) << 16) | (uint32_t(uint8_t(bytes[i + 1])) << 8) |
                           uint32_t(uint8_t(bytes[i + 2]));
        out += Base64Alphabet[(v >> 18) & 63];
        out += Base64Alphabet[(v >> 12) & 63];
        out += Base64Alphabet[(v >> 6) & 63];
        out += Base64Alphabet[v & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest > 0) {
        uint32_t v = uint32_t(uint8_t(bytes[i])) << 16;
        if (rest == 2)
            v |= uint32_t(uint8_t(bytes[i + 1])) << 8;
        out += Base64Alphabet[(v >> 18) & 63];
        out += Base64Alphabet[(v >> 12) & 63];
        out += rest == 2 ? Base64Alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool plainAscii(const std::string& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
}

// A header value as it is when it is plain ASCII, else as one encoded word.
std::string headerText(const std::string& s) { return plainAscii(s) ? s : "=?UTF-8?B?" + base64(s) + "?="; }

std::string quoted(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string mailbox(const std::string& name, const std::string& address)
{
    if (name.empty())
        return "<" + address + ">";
    return (plainAscii(name) ? quoted(name) : headerText(name)) + " <" + address + ">";
}

// `key`="name", or the extended form key*=UTF-8''%XX... for names a quoted
// string cannot carry.
std::string fileNameParameter(const std::string& key, const std::string& name)
{
    if (plainAscii(name) && name.find_first_of("\"\\") == std::string::npos)
        return key + "=\"" + name + "\"";
    static const char hex[] = "0123456789ABCDEF";
    std::string out = key + "*=UTF-8''";
    for (unsigned char c : name) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            std::string_view("!#$&+-.^_`|~").find(char(c)) != std::string_view::npos) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// Lines of `text` (LF or CR LF) ended by CR LF, with a leading dot doubled.
std::string wireLines(const std::string& text)
{
    std::string out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '.')
            out += '.';
        out += line + "\r\n";
        if (end == text.size())
            break;
        start = end + 1;
    }
    return out;
}

} // namespace

std::string base64Lines(const std::string& bytes)
{
    const std::string all = base64(bytes);
    std::string out;
    for (size_t i = 0; i < all.size(); i += 76)
        out += all.substr(i, 76) + "\r\n";
    return out;
}

std::string composeMailMessage(const MailHeader& header, const std::string& body,
                               const std::vector<MailAttachment>& attachments, const std::string& boundary,
                               const MailEncodingEvents& events)
{
    std::string m;
    m += "From: " + mailbox(header.FromName, header.FromAddress) + "\r\n";
    std::string to;
    for (const std::string& a : header.ToAddress)
        to += (to.empty() ? "" : ", ") + a;
    m += "To: " + to + "\r\n";
    m += "Subject: " + headerText(header.Subject) + "\r\n";
    if (!header.Date.empty())
        m += "Date: " + header.Date + "\r\n";
    if (!header.ReplyTo.empty())
        m += "Reply-To: " + header.ReplyTo + "\r\n";
    if (!header.LocalProgram.empty())
        m += "X-Mailer: " + headerText(header.LocalProgram) + "\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n";
    m += "\r\n";
    m += "This is a multi-part message in MIME format.\r\n";
    m += "\r\n--" + boundary + "\r\n";
    m += "Content-Type: text/plain; charset=\"us-ascii\"\r\n";
    m += "Content-Transfer-Encoding: 7bit\r\n\r\n";
    m += wireLines(body);
    for (const MailAttachment& a : attachments) {
        if (events.started)
            events.started(a.FileName);
        m += "\r\n--" + boundary + "\r\n";
        m += "Content-Type: application/octet-stream; " + fileNameParameter("name", a.FileName) + "\r\n";
        m += "Content-Transfer-Encoding: base64\r\n";
        m += "Content-Disposition: attachment; " + fileNameParameter("filename", a.FileName) + "\r\n\r\n";
        m += base64Lines(a.Bytes);
        if (events.finished)
            events.finished(a.FileName);
    }
    m += "\r\n--" + boundary + "--\r\n";
    return m;
}

} // namespace quon
