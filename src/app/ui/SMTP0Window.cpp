#include "app/ui/SMTP0Window.h"

#include "app/SendQueue.h"
#include "app/ui/App.h"
#include "model/Recotypes.h"
#include "model/ui/GameRecordLinks.h"
#include "model/ui/OptionsWindow.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Smtp.h"
#include "platform/ui/System.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>

namespace quon {

TSMTP0* SMTP0 = nullptr;

namespace {

std::filesystem::path queueFilePath()
{
    const std::string folder = Reco.StartFolder.empty() ? QDir::currentPath().toStdString() : Reco.StartFolder;
    return std::filesystem::u8path(folder) / SendQueueFile;
}

struct MailSettings {
    QString Server;
    QString UserID = "User";
    QString Email;
    QString Recipient;
    int GamesPerMessage = 10;
};

// The options' mail page, read at the moment of sending.
MailSettings mailSettings()
{
    MailSettings s;
    if (!Options)
        return s;
    s.Server = Options->ESMTPserver->text().trimmed();
    s.UserID = Options->EUserID->text();
    s.Email = Options->Ee_mail->text().trimmed();
    s.Recipient = Options->EQuone_mail->text().trimmed();
    s.GamesPerMessage = gamesPerMessage(Options->SENumMailGms->value());
    return s;
}

// "host" or "host:port"; the port is the component's own (25) unless given.
void splitServer(const QString& server, QString& host, quint16& port)
{
    host = server;
    port = 25;
    const qsizetype colon = server.lastIndexOf(':');
    if (colon > 0 && server.indexOf(':') == colon) {
        bool ok = false;
        const uint p = server.mid(colon + 1).toUInt(&ok);
        if (ok && p > 0 && p < 65536) {
            host = server.left(colon);
            port = static_cast<quint16>(p);
        }
    }
}

} // namespace

TSMTP0::TSMTP0(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("SMTP0");
    setWindowTitle(QString::fromUtf8("Send games form"));

    Panel1 = new QLabel("Games list for send", this);
    Panel1->setObjectName("Panel1");
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameShape(QFrame::Panel);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->installEventFilter(this);
    Memo5 = new QPlainTextEdit(this);
    Memo5->setObjectName("Memo5");
    Memo5->setReadOnly(true);
    Button2 = new QPushButton("Send", this);
    Button2->setObjectName("Button2");
    Button2->setEnabled(false);
    Button3 = new QPushButton("Choose games", this);
    Button3->setObjectName("Button3");
    Button1 = new QPushButton("Cancel", this);
    Button1->setObjectName("Button1");
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addWidget(ListBox1, 3);
    layout->addWidget(Memo5, 2);
    layout->addLayout(buttons);
    resize(480, 420);

    NMSMTP1 = new SmtpClient(this);
    NMSMTP1->setObjectName("NMSMTP1");
    connectEvents();

    // Saved games arrive through the record writer.
    setGameQueuedListener([this] {
        showQueue();
        if (!sending_)
            Button2->setEnabled(true);
    });

    FormCreate();
    App::atShutdown([] {
        if (SMTP0)
            SMTP0->FormDestroy();
    });
}

TSMTP0::~TSMTP0() { setGameQueuedListener(nullptr); }

void TSMTP0::connectEvents()
{
    NMSMTP1->OnConnect = [this] { log("Connected"); };
    NMSMTP1->OnSendStart = [this] { log("Sending Message"); };
    NMSMTP1->OnSuccess = [this] { log("Message sent successfully"); };
    NMSMTP1->OnFailure = [this] { log("Message delivery failure"); };
    NMSMTP1->OnRecipientNotFound = [this](const QString& address) { log("Recipient " + address + " not found"); };
    NMSMTP1->OnAttachmentNotFound = [this](const QString& file) {
        log("Game File  " + file + " not found");
        missingFiles_ << file;
    };
    NMSMTP1->OnEncodeStart = [this](const QString& file) { log("Encoding " + file); };
    NMSMTP1->OnEncodeEnd = [this](const QString&) { appendToLastLogLine(" Encoded"); };
    NMSMTP1->OnHeaderIncomplete = [this](int kind, bool& handled) {
        if (kind == 1) {
            QString from = typedFrom_;
            if (from.isEmpty() &&
                !Dialogs::current().inputQuery("Missing From Address", "Enter From Address: ", from))
                return;
            typedFrom_ = from;
            NMSMTP1->PostMessage.FromAddress = from;
            handled = true;
        } else if (kind == 2) {
            QString to = typedTo_;
            if (to.isEmpty() && !Dialogs::current().inputQuery("Missing To Address", "Enter To Address: ", to))
                return;
            typedTo_ = to;
            NMSMTP1->PostMessage.ToAddress = QStringList{to};
            handled = true;
        }
    };
    NMSMTP1->OnAuthenticationFailed = [this](bool& handled) {
        QString id = NMSMTP1->UserID;
        if (Dialogs::current().inputQuery("Authentication Failed", "Invalid User ID. New User ID: ", id)) {
            NMSMTP1->UserID = id;
            handled = true;
        }
    };
}

// ---- The queue ---------------------------------------------------------------

QStringList TSMTP0::queue() const { return GameFileQueue; }

void TSMTP0::showQueue()
{
    QStringList shown;
    for (int i = 0; i < ListBox1->count(); ++i)
        shown << ListBox1->item(i)->text();
    if (shown == GameFileQueue)
        return;
    if (GameFileQueue.mid(0, shown.size()) == shown) {
        // Only new entries at the end: the selection stays.
        ListBox1->addItems(GameFileQueue.mid(shown.size()));
        return;
    }
    ListBox1->clear();
    ListBox1->addItems(GameFileQueue);
}

void TSMTP0::takeQueueFromList()
{
    QStringList items;
    for (int i = 0; i < ListBox1->count(); ++i)
        items << ListBox1->item(i)->text();
    GameFileQueue = items;
}

void TSMTP0::FormCreate()
{
    GameFileQueue.clear();
    for (const std::string& path : loadSendQueue(queueFilePath()))
        GameFileQueue << QString::fromStdString(path);
    showQueue();
    if (!GameFileQueue.isEmpty())
        Button2->setEnabled(true);
}

void TSMTP0::FormDestroy()
{
    // A send still running at the end is broken off; what it has not
    // delivered stays queued.
    if (sending_) {
        cancelRequested_ = true;
        NMSMTP1->Abort();
    }
    std::vector<std::string> paths;
    for (const QString& p : GameFileQueue)
        paths.push_back(p.toStdString());
    std::string error;
    if (!saveSendQueue(queueFilePath(), paths, &error))
        Dialogs::current().information(
            QStringLiteral("Cannot save the list of games to send: %1").arg(QString::fromStdString(error)));
}

bool TSMTP0::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1) {
        if (event->type() == QEvent::KeyPress && !sending_) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Delete) {
                QList<int> rows;
                for (QListWidgetItem* item : ListBox1->selectedItems())
                    rows << ListBox1->row(item);
                std::sort(rows.begin(), rows.end(), std::greater<int>());
                for (int row : rows)
                    delete ListBox1->takeItem(row);
                takeQueueFromList();
                return true;
            }
            if (key == Qt::Key_Insert) {
                Button3Click();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && !sending_) {
            Button2->setEnabled(ListBox1->count() >= 1);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSMTP0::Button3Click()
{
    if (sending_)
        return;
    FileDialogSpec spec;
    spec.key = "SendGames";
    spec.filter = "QCR files|*.QCR|All Files|*.*";
    spec.defaultExt = "QCR";
    for (const QString& path : Dialogs::current().openFiles(spec))
        if (!GameFileQueue.contains(path, Qt::CaseSensitive))
            GameFileQueue << path;
    showQueue();
    if (!GameFileQueue.isEmpty())
        Button2->setEnabled(true);
}

// ---- The log -------------------------------------------------------------------

void TSMTP0::log(const QString& line) { Memo5->appendPlainText(line); }

void TSMTP0::appendToLastLogLine(const QString& text)
{
    QTextCursor cursor = Memo5->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

QStringList TSMTP0::logLines() const
{
    const QString text = Memo5->toPlainText();
    return text.isEmpty() ? QStringList() : text.split('\n');
}

// ---- Sending ---------------------------------------------------------------------

void TSMTP0::pause(int ms)
{
    QElapsedTimer t;
    t.start();
    while (!cancelRequested_ && t.elapsed() < ms) {
        sys::pumpEvents();
        QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(ms - t.elapsed(), 0, 10)));
    }
}

void TSMTP0::Button2Click()
{
    if (sending_)
        return;
    sending_ = true;
    cancelRequested_ = false;
    typedFrom_.clear();
    typedTo_.clear();
    Button3->setEnabled(false);
    // Pressed again while it runs, Send would start a second send inside
    // the first.
    Button2->setEnabled(false);
    if (NMSMTP1->connected())
        NMSMTP1->Disconnect();

    const MailSettings settings = mailSettings();
    splitServer(settings.Server, NMSMTP1->Host, NMSMTP1->Port);
    NMSMTP1->UserID = settings.UserID;
    NMSMTP1->Connect();

    int count = 0;
    while (!NMSMTP1->connected()) {
        if (cancelRequested_ || NMSMTP1->failed() || count > ConnectWaitCount) {
            if (cancelRequested_) {
                log("Sending cancelled");
            } else {
                if (!NMSMTP1->lastError().isEmpty())
                    log(NMSMTP1->lastError());
                Dialogs::current().information("Could not connect to mail server. Please, try again later.");
            }
            endSending();
            return;
        }
        sys::pumpEvents();
        pause(ConnectWaitPauseMs);
        ++count;
    }

    bool failed = false;
    while (!GameFileQueue.isEmpty() && !cancelRequested_) {
        const QStringList batch = GameFileQueue.mid(0, settings.GamesPerMessage);
        SmtpPostMessage& m = NMSMTP1->PostMessage;
        m = SmtpPostMessage{};
        m.FromAddress = typedFrom_.isEmpty() ? settings.Email : typedFrom_;
        m.FromName = settings.UserID;
        m.ToAddress = QStringList{typedTo_.isEmpty() ? settings.Recipient : typedTo_};
        m.Body = "Game record(s) in attached file(s)";
        m.Subject = "QCR Go game record(s)";
        m.LocalProgram = "Quon OCR";
        // A date a mail server accepts; the short date of the desktop is not one.
        m.Date = QDateTime::currentDateTime().toString(Qt::RFC2822Date);
        m.ReplyTo = m.FromAddress;
        m.Attachments = batch;
        missingFiles_.clear();

        const SmtpClient::SendResult result = NMSMTP1->SendMail();
        // Files that are gone cannot be sent later either; they were
        // reported. The others leave the queue only when the server took
        // the message.
        QStringList done = missingFiles_;
        if (result == SmtpClient::SendResult::Sent)
            done = batch;
        for (const QString& path : done)
            GameFileQueue.removeOne(path);
        showQueue();
        if (result == SmtpClient::SendResult::Failed) {
            if (!NMSMTP1->lastError().isEmpty())
                log(NMSMTP1->lastError());
            failed = true;
            break;
        }
    }
    if (cancelRequested_ && !failed)
        log("Sending cancelled");
    if (!GameFileQueue.isEmpty() && (failed || cancelRequested_))
        log(QStringLiteral("%1 game file(s) stay in the list for the next send").arg(GameFileQueue.size()));
    endSending();
}

void TSMTP0::endSending()
{
    NMSMTP1->Disconnect();
    Button3->setEnabled(true);
    Button2->setEnabled(!GameFileQueue.isEmpty());
    sending_ = false;
}

void TSMTP0::Button1Click()
{
    if (sending_) {
        cancelRequested_ = true;
        NMSMTP1->Abort();
    } else if (NMSMTP1->connected()) {
        NMSMTP1->Disconnect();
    }
    hide();
}

} // namespace quon
