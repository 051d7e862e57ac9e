// A small SMTP client on a TCP socket, shaped like the mail component the
// mail form was written against: set the host and the user id, connect and
// poll the connected flag, fill the message fields, send, and hear about
// every step through events.
//
// The user id is the name the client greets the server with (EHLO, or HELO
// when the server does not know EHLO); a server that refuses both greetings
// refuses the id, which is reported as a failed authentication. There is no
// TLS and no AUTH: the client talks to servers that relay for their own
// network, on port 25 unless told otherwise.
//
// Connecting runs in the background as the event loop turns; sending waits
// for each reply while pumping events, so a Cancel button stays live. Every
// wait is bounded: a server that does not answer within ReplyTimeoutMs, or
// a connection not made within ConnectTimeoutMs, ends the attempt with a
// reason in lastError(), never a hang.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QTcpSocket;
class QTimer;

namespace quon {

struct SmtpPostMessage {
    QString FromAddress;
    QString FromName;
    QStringList ToAddress;
    QString Body;
    QString Subject;
    QString LocalProgram;
    QString Date; // written as it is into the Date field
    QString ReplyTo;
    QStringList Attachments; // full paths of the files to attach
};

class SmtpClient : public QObject {
    Q_OBJECT

public:
    explicit SmtpClient(QObject* parent = nullptr);
    ~SmtpClient() override;

    QString Host;
    quint16 Port = 25;
    QString UserID;
    int ConnectTimeoutMs = 20000;
    int ReplyTimeoutMs = 20000;
    // When set, the message fields are emptied after every send.
    bool ClearParams = true;
    SmtpPostMessage PostMessage;

    // Starts connecting; connected() turns true once the server has taken
    // the greeting. failed() turns true when the attempt has ended without
    // a connection.
    void Connect();
    bool connected() const { return state_ == State::Ready; }
    bool connecting() const { return state_ == State::Connecting; }
    bool failed() const { return state_ == State::Failed; }
    // Says goodbye to the server when it is still there and closes.
    void Disconnect();
    // Breaks off whatever is going on at once: a send in progress returns
    // false, a connection attempt fails. Safe to call from an event handler
    // that runs during a send.
    void Abort();

    enum class SendResult { Sent, Failed, NothingToSend };
    // Sends PostMessage and returns when the server has answered for it.
    // Attachment files that cannot be read are reported and left out; when
    // none of the attachments can be read, nothing is sent.
    SendResult SendMail();

    // Why the last connect or send failed, for the log; empty after success.
    QString lastError() const { return error_; }

    // The events. Handlers run on the caller's thread, inside Connect's
    // background work or inside SendMail.
    std::function<void()> OnConnect;
    std::function<void()> OnSendStart;
    std::function<void()> OnSuccess;
    std::function<void()> OnFailure;
    std::function<void(const QString& address)> OnRecipientNotFound;
    std::function<void(const QString& file)> OnAttachmentNotFound;
    std::function<void(const QString& file)> OnEncodeStart;
    std::function<void(const QString& file)> OnEncodeEnd;
    // kind 1: no from address; kind 2: no to address. A handler that
    // supplies the missing field sets `handled`; otherwise the send fails.
    std::function<void(int kind, bool& handled)> OnHeaderIncomplete;
    // The server refused the user id. A handler that sets a new UserID and
    // `handled` gets one more greeting with it.
    std::function<void(bool& handled)> OnAuthenticationFailed;

private:
    enum class State { Idle, Connecting, Ready, Failed };
    struct Reply {
        int code = 0;
        QString text;
    };

    void onReadyRead();
    void onSocketGone();
    void failConnect(const QString& why);
    void greet(bool extended);
    bool takeReply(Reply& reply); // a complete reply from the buffer, if any
    bool waitReply(Reply& reply);
    bool command(const QByteArray& line, Reply& reply);
    bool writeAll(const QByteArray& data);
    SendResult failSend(const QString& why);
    void finishMessage();

    QTcpSocket* socket_ = nullptr;
    QTimer* connectTimer_ = nullptr;
    State state_ = State::Idle;
    enum class Greeting { Banner, Ehlo, Helo } greeting_ = Greeting::Banner;
    int greetingTries_ = 0;
    QByteArray buffer_;
    QString error_;
    bool aborted_ = false;
    bool sending_ = false;
};

} // namespace quon
