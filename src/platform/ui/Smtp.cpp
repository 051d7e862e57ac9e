#include "platform/ui/Smtp.h"

#include "platform/MailMessage.h"
#include "platform/ui/System.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>

#include <vector>

namespace quon {

namespace {

QString seconds(int ms) { return QString::number(ms / 1000.0, 'g', 4); }

// Sets a flag for the lifetime of a scope, also when it is left early.
struct FlagGuard {
    explicit FlagGuard(bool& f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
    bool& flag;
};

} // namespace

SmtpClient::SmtpClient(QObject* parent) : QObject(parent)
{
    connectTimer_ = new QTimer(this);
    connectTimer_->setSingleShot(true);
    connect(connectTimer_, &QTimer::timeout, this,
            [this] { failConnect("No answer from the mail server within " + seconds(ConnectTimeoutMs) + " s"); });
}

SmtpClient::~SmtpClient()
{
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

void SmtpClient::Connect()
{
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
    state_ = State::Connecting;
    greeting_ = Greeting::Banner;
    greetingTries_ = 0;
    buffer_.clear();
    error_.clear();
    aborted_ = false;

    socket_ = new QTcpSocket(this);
    connect(socket_, &QTcpSocket::readyRead, this, &SmtpClient::onReadyRead);
    connect(socket_, &QTcpSocket::disconnected, this, &SmtpClient::onSocketGone);
    connect(socket_, &QTcpSocket::errorOccurred, this, &SmtpClient::onSocketGone);
    connectTimer_->start(ConnectTimeoutMs);
    socket_->connectToHost(Host, Port);
}

void SmtpClient::failConnect(const QString& why)
{
    if (state_ != State::Connecting)
        return;
    state_ = State::Failed;
    error_ = why;
    connectTimer_->stop();
    if (socket_)
        socket_->abort();
}

void SmtpClient::onSocketGone()
{
    if (state_ == State::Connecting) {
        const QString reason = socket_ ? socket_->errorString() : QString();
        failConnect(reason.isEmpty() ? QStringLiteral("The mail server closed the connection")
                                     : "Cannot connect to the mail server: " + reason);
    } else if (state_ == State::Ready && !sending_) {
        state_ = State::Idle;
    }
}

void SmtpClient::greet(bool extended)
{
    greeting_ = extended ? Greeting::Ehlo : Greeting::Helo;
    QString id = UserID.trimmed();
    if (id.isEmpty())
        id = "localhost";
    socket_->write((extended ? "EHLO " : "HELO ") + id.toUtf8() + "\r\n");
}

void SmtpClient::onReadyRead()
{
    // Replies during a send are read by the send itself.
    if (state_ != State::Connecting || !socket_)
        return;
    buffer_ += socket_->readAll();
    Reply r;
    while (state_ == State::Connecting && takeReply(r)) {
        const bool ok = r.code >= 200 && r.code < 300;
        switch (greeting_) {
        case Greeting::Banner:
            if (r.code == 220)
                greet(true);
            else
                failConnect("The mail server refused the connection: " + r.text);
            break;
        case Greeting::Ehlo:
        case Greeting::Helo:
            if (ok) {
                state_ = State::Ready;
                connectTimer_->stop();
                if (OnConnect)
                    OnConnect();
                return;
            }
            if (greeting_ == Greeting::Ehlo && (r.code == 500 || r.code == 502)) {
                greet(false); // a server from before EHLO
                break;
            }
            if (r.code >= 500) {
                // The server will not take this name: ask for another one,
                // a few times at most.
                bool handled = false;
                if (++greetingTries_ <= 3 && OnAuthenticationFailed) {
                    connectTimer_->stop(); // the user is typing
                    OnAuthenticationFailed(handled);
                    if (state_ != State::Connecting)
                        return; // cancelled meanwhile
                    connectTimer_->start(ConnectTimeoutMs);
                }
                if (handled)
                    greet(true);
                else
                    failConnect("The mail server refused the user id \"" + UserID + "\": " + r.text);
            } else {
                failConnect("The mail server refused the greeting: " + r.text);
            }
            break;
        }
    }
}

bool SmtpClient::takeReply(Reply& reply)
{
    // A reply is one or more lines "250-..." ended by a line "250 ..."
    qsizetype start = 0;
    while (true) {
        const qsizetype end = buffer_.indexOf('\n', start);
        if (end < 0)
            return false;
        QByteArray line = buffer_.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        start = end + 1;
        if (line.size() >= 4 && line[3] == '-')
            continue;
        bool ok = false;
        reply.code = line.left(3).toInt(&ok);
        if (!ok)
            reply.code = 0;
        reply.text = QString::fromUtf8(line);
        buffer_.remove(0, start);
        return true;
    }
}

bool SmtpClient::waitReply(Reply& reply)
{
    QElapsedTimer waited;
    waited.start();
    while (true) {
        if (takeReply(reply))
            return true;
        if (aborted_) {
            error_ = "Sending cancelled";
            return false;
        }
        if (!socket_ || socket_->state() != QAbstractSocket::ConnectedState) {
            if (socket_ && socket_->isOpen())
                buffer_ += socket_->readAll();
            if (takeReply(reply))
                return true;
            error_ = "The mail server closed the connection";
            return false;
        }
        if (waited.elapsed() > ReplyTimeoutMs) {
            error_ = "No answer from the mail server within " + seconds(ReplyTimeoutMs) + " s";
            return false;
        }
        if (socket_->waitForReadyRead(25))
            buffer_ += socket_->readAll();
        sys::pumpEvents();
        if (socket_ && socket_->isOpen())
            buffer_ += socket_->readAll();
    }
}

bool SmtpClient::writeAll(const QByteArray& data)
{
    if (!socket_ || socket_->write(data) != data.size()) {
        error_ = "The mail server closed the connection";
        return false;
    }
    QElapsedTimer idle;
    idle.start();
    qint64 left = socket_->bytesToWrite();
    while (socket_ && socket_->bytesToWrite() > 0) {
        if (aborted_) {
            error_ = "Sending cancelled";
            return false;
        }
        if (socket_->state() != QAbstractSocket::ConnectedState) {
            error_ = "The mail server closed the connection";
            return false;
        }
        if (socket_->bytesToWrite() < left) {
            left = socket_->bytesToWrite();
            idle.restart();
        } else if (idle.elapsed() > ReplyTimeoutMs) {
            error_ = "The mail server took nothing for " + seconds(ReplyTimeoutMs) + " s";
            return false;
        }
        socket_->waitForBytesWritten(25);
        sys::pumpEvents();
    }
    return socket_ != nullptr;
}

bool SmtpClient::command(const QByteArray& line, Reply& reply)
{
    return writeAll(line + "\r\n") && waitReply(reply);
}

void SmtpClient::finishMessage()
{
    if (ClearParams)
        PostMessage = SmtpPostMessage{};
}

SmtpClient::SendResult SmtpClient::failSend(const QString& why)
{
    if (!why.isEmpty())
        error_ = why;
    if (OnFailure)
        OnFailure();
    finishMessage();
    return SendResult::Failed;
}

SmtpClient::SendResult SmtpClient::SendMail()
{
    error_.clear();
    if (!connected())
        return failSend("Not connected to the mail server");
    FlagGuard guard(sending_);

    if (PostMessage.FromAddress.trimmed().isEmpty()) {
        bool handled = false;
        if (OnHeaderIncomplete)
            OnHeaderIncomplete(1, handled);
        if (!handled || PostMessage.FromAddress.trimmed().isEmpty())
            return failSend("The message has no sender address");
    }
    PostMessage.ToAddress.removeAll(QString());
    if (PostMessage.ToAddress.isEmpty()) {
        bool handled = false;
        if (OnHeaderIncomplete)
            OnHeaderIncomplete(2, handled);
        PostMessage.ToAddress.removeAll(QString());
        if (!handled || PostMessage.ToAddress.isEmpty())
            return failSend("The message has no recipient address");
    }

    // Read every file first: what cannot be read is reported and left out,
    // and a message whose files are all gone is not sent at all.
    std::vector<MailAttachment> files;
    QStringList paths;
    for (const QString& path : PostMessage.Attachments) {
        QFile f(path);
        if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) {
            if (OnAttachmentNotFound)
                OnAttachmentNotFound(path);
            continue;
        }
        const QByteArray bytes = f.readAll();
        files.push_back({QFileInfo(path).fileName().toStdString(), bytes.toStdString()});
        paths << path;
    }
    if (!PostMessage.Attachments.isEmpty() && files.empty()) {
        finishMessage();
        return SendResult::NothingToSend;
    }

    if (OnSendStart)
        OnSendStart();
    if (aborted_)
        return failSend("Sending cancelled");
    // Whatever the server said while we were idle is not an answer to us.
    if (socket_ && socket_->isOpen())
        socket_->readAll();
    buffer_.clear();

    // A reply we did not wait for in full leaves the dialogue out of step;
    // the connection is then given up.
    auto broken = [this]() {
        if (socket_)
            socket_->abort();
        state_ = State::Idle;
        return failSend(QString());
    };
    // The server said no: the transaction is reset and the connection kept.
    auto refused = [this](const QString& why) {
        Reply r;
        const QString keep = why;
        if (!command("RSET", r)) {
            if (socket_)
                socket_->abort();
            state_ = State::Idle;
        }
        return failSend(keep);
    };

    Reply r;
    if (!command("MAIL FROM:<" + PostMessage.FromAddress.trimmed().toUtf8() + ">", r))
        return broken();
    if (r.code / 100 != 2)
        return refused("The mail server refused the sender: " + r.text);
    for (const QString& to : PostMessage.ToAddress) {
        if (!command("RCPT TO:<" + to.trimmed().toUtf8() + ">", r))
            return broken();
        if (r.code / 100 != 2) {
            if (r.code >= 550 && r.code <= 553 && OnRecipientNotFound)
                OnRecipientNotFound(to);
            return refused("The mail server refused the recipient: " + r.text);
        }
    }
    if (!command("DATA", r))
        return broken();
    if (r.code != 354)
        return refused("The mail server refused the message: " + r.text);

    MailHeader header;
    header.FromAddress = PostMessage.FromAddress.trimmed().toStdString();
    header.FromName = PostMessage.FromName.toStdString();
    for (const QString& to : PostMessage.ToAddress)
        header.ToAddress.push_back(to.trimmed().toStdString());
    header.Subject = PostMessage.Subject.toStdString();
    header.Date = PostMessage.Date.toStdString();
    header.ReplyTo = PostMessage.ReplyTo.trimmed().toStdString();
    header.LocalProgram = PostMessage.LocalProgram.toStdString();
    int encoding = 0;
    MailEncodingEvents events;
    events.started = [&](const std::string&) {
        if (OnEncodeStart)
            OnEncodeStart(paths[encoding]);
    };
    events.finished = [&](const std::string&) {
        if (OnEncodeEnd)
            OnEncodeEnd(paths[encoding]);
        ++encoding;
    };
    const QString boundary = "=_QuonOCR_" + QString::number(QRandomGenerator::global()->generate64(), 16);
    const std::string text =
        composeMailMessage(header, PostMessage.Body.toStdString(), files, boundary.toStdString(), events);
    if (!writeAll(QByteArray::fromStdString(text) + ".\r\n") || !waitReply(r))
        return broken();
    if (r.code / 100 != 2)
        return refused("The mail server refused the message: " + r.text);

    if (OnSuccess)
        OnSuccess();
    finishMessage();
    return SendResult::Sent;
}

void SmtpClient::Disconnect()
{
    connectTimer_->stop();
    if (state_ == State::Connecting)
        failConnect("Connection given up");
    if (socket_) {
        socket_->disconnect(this);
        if (state_ == State::Ready && !sending_ && socket_->state() == QAbstractSocket::ConnectedState) {
            socket_->write("QUIT\r\n");
            socket_->waitForBytesWritten(500);
            socket_->disconnectFromHost();
        } else {
            socket_->abort();
        }
        socket_->deleteLater();
        socket_ = nullptr;
    }
    state_ = State::Idle;
}

void SmtpClient::Abort()
{
    aborted_ = true;
    if (state_ == State::Connecting)
        failConnect("Sending cancelled");
    if (socket_)
        socket_->abort();
    if (state_ == State::Ready)
        state_ = State::Idle;
}

} // namespace quon
