// The text of one mail message as it goes over the wire after DATA: the
// header, a plain text part and one base64 part per attached file.
//
// Lines end in CR LF, base64 lines are 76 characters long, and every line
// that starts with a dot gets a second one, so the text can be written to
// the server as it is and closed with "." on a line of its own. Header
// values outside ASCII are written as encoded words and file names outside
// ASCII in the extended parameter form, so any mail reader restores them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quon {

struct MailAttachment {
    std::string FileName; // name shown to the receiver, UTF-8, no folder
    std::string Bytes;    // the file's content
};

struct MailHeader {
    std::string FromAddress;
    std::string FromName;
    std::vector<std::string> ToAddress;
    std::string Subject;
    std::string Date; // as it goes into the Date field
    std::string ReplyTo;
    std::string LocalProgram; // X-Mailer
};

struct MailEncodingEvents {
    std::function<void(const std::string& fileName)> started;
    std::function<void(const std::string& fileName)> finished;
};

// The base64 of `bytes` in lines of at most 76 characters, each ended by CR LF.
std::string base64Lines(const std::string& bytes);

// The whole message text. `boundary` separates the parts; it must not start
// any line of the content, which a boundary beginning with "=_" guarantees
// for base64 and for the body when the caller picks it so.
std::string composeMailMessage(const MailHeader& header, const std::string& body,
                               const std::vector<MailAttachment>& attachments, const std::string& boundary,
                               const MailEncodingEvents& events = {});

} // namespace quon
