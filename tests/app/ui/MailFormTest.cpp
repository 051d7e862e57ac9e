// The mail form against a real mail server on the loopback address: the
// queue goes out in messages of a few files each, the received attachments
// are the files byte for byte, and a server that refuses, breaks off or
// falls silent leaves the queue whole with the reason in the log.
#include "app/ui/MainWindow.h"
#include "app/ui/SMTP0Window.h"
#include "common/ui/AppFixture.h"
#include "model/ui/GameRecordLinks.h"
#include "model/ui/OptionsWindow.h"
#include "platform/ui/Smtp.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QRegularExpression>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace quon;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A Python with the aiosmtpd package, or empty.
QString pythonWithSmtpd()
{
    for (const QString& candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess p;
        p.start(candidate, {"-c", "import aiosmtpd"});
        if (p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return candidate;
    }
    return {};
}

// The test server script, run in its own process for the length of a test.
class MailServer {
public:
    ~MailServer() { stop(); }

    // Empty on success, else why the server did not come up.
    QString start(const QString& mode, const QString& outDir)
    {
        static const QString python = pythonWithSmtpd();
        if (python.isEmpty())
            return "no python3 with aiosmtpd (Debian package python3-aiosmtpd)";
        const QString script = QStringLiteral(QUON_TESTS_DIR "/app/ui/smtp_test_server.py");
        process_.start(python, {script, mode, outDir});
        if (!process_.waitForStarted(10000))
            return "cannot start " + python;
        QElapsedTimer t;
        t.start();
        while (!process_.canReadLine() && process_.state() == QProcess::Running && t.elapsed() < 15000)
            process_.waitForReadyRead(200);
        port_ = process_.readLine().trimmed().toInt();
        if (port_ <= 0)
            return "the mail server did not report its port: " + QString::fromUtf8(process_.readAllStandardError());
        return {};
    }
    void stop()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    int port() const { return port_; }

private:
    QProcess process_;
    int port_ = 0;
};

class MailFormTest : public test::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkpath("games"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("received"));
    }

    void startServer(const QString& mode)
    {
        const QString problem = server.start(mode, received());
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        Options->ESMTPserver->setText(QStringLiteral("127.0.0.1:%1").arg(server.port()));
        Options->Ee_mail->setText("player@example.com");
        Options->EUserID->setText("Tester");
    }

    QString received() const { return dir.filePath("received"); }

    // Game files whose bytes trip careless encoders: NUL, bare CR, lines
    // starting with a dot, a size that is no multiple of three.
    QStringList makeGames(int count)
    {
        QStringList paths;
        for (int i = 1; i <= count; ++i) {
            QByteArray bytes;
            for (int k = 0; k < 40 * i + i % 3; ++k)
                bytes.append(static_cast<char>((k * 37 + i) & 0xff));
            bytes.append("\r\n.\r\n..\n\0\r", 10);
            const QString path = dir.filePath(QStringLiteral("games/g%1.QCR").arg(i, 2, 10, QChar('0')));
            QFile f(path);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
            paths << path;
        }
        return paths;
    }

    void chooseGames(const QStringList& paths)
    {
        dialogs.script.files(paths);
        QTest::mouseClick(SMTP0->Button3, Qt::LeftButton);
    }

    void send() { QTest::mouseClick(SMTP0->Button2, Qt::LeftButton); }

    // The received messages, in order: each folder's files.
    QStringList messageFolders() const
    {
        QStringList out;
        for (const QString& m : QDir(received()).entryList({"msg*"}, QDir::Dirs, QDir::Name))
            if (!m.endsWith(".part"))
                out << QDir(received()).filePath(m);
        return out;
    }

    MailServer server;
};

TEST_F(MailFormTest, TwentyThreeGamesGoInThreeMessagesByteForByte)
{
    startProgram();
    startServer("accept");
    Options->SENumMailGms->setValue(10);
    const QStringList games = makeGames(23);
    chooseGames(games);
    EXPECT_EQ(SMTP0->queue(), games);
    EXPECT_TRUE(SMTP0->Button2->isEnabled());

    send();

    const QStringList messages = messageFolders();
    ASSERT_EQ(messages.size(), 3);
    const int sizes[] = {10, 10, 3};
    int next = 0;
    for (int m = 0; m < 3; ++m) {
        const QDir files(messages[m] + "/files");
        const QStringList names = files.entryList(QDir::Files, QDir::Name);
        ASSERT_EQ(names.size(), sizes[m]) << messages[m].toStdString();
        for (const QString& name : names) {
            const QString original = games[next++];
            EXPECT_EQ(name, QFileInfo(original).fileName());
            EXPECT_EQ(readBytes(files.filePath(name)), readBytes(original)) << name.toStdString();
        }
        EXPECT_EQ(readBytes(messages[m] + "/envelope.txt"), "player@example.com\ngames@example.org\n");
        EXPECT_EQ(readBytes(messages[m] + "/body.txt").trimmed(), "Game record(s) in attached file(s)");
        const QString headers = QString::fromUtf8(readBytes(messages[m] + "/headers.txt"));
        EXPECT_TRUE(headers.contains("Subject: QCR Go game record(s)\n")) << headers.toStdString();
        EXPECT_TRUE(headers.contains("From: Tester <player@example.com>\n")) << headers.toStdString();
        EXPECT_TRUE(headers.contains("Reply-To: player@example.com\n"));
        EXPECT_TRUE(headers.contains("X-Mailer: Quon OCR\n"));
        EXPECT_TRUE(headers.contains("\nDate: "));
    }

    EXPECT_TRUE(SMTP0->queue().isEmpty());
    EXPECT_EQ(SMTP0->ListBox1->count(), 0);
    EXPECT_FALSE(SMTP0->Button2->isEnabled());
    EXPECT_TRUE(SMTP0->Button3->isEnabled());
    const QStringList log = SMTP0->logLines();
    EXPECT_EQ(log.first(), "Connected");
    EXPECT_EQ(log.count("Sending Message"), 3);
    EXPECT_EQ(log.count("Message sent successfully"), 3);
    EXPECT_EQ(log.count("Encoding " + games[0] + " Encoded"), 1);
    EXPECT_EQ(log.filter(QRegularExpression("^Encoding .* Encoded$")).size(), 23);
    EXPECT_EQ(dialogs.script.informationTexts(), QStringList());
}

TEST_F(MailFormTest, AFileThatIsGoneIsReportedAndTheOthersGo)
{
    startProgram();
    startServer("accept");
    QStringList games = makeGames(3);
    // A name outside ASCII arrives as it was.
    const QString named = dir.filePath(QString::fromUtf8("games/партия 3.QCR"));
    ASSERT_TRUE(QFile::rename(games[2], named));
    games[2] = named;
    chooseGames(games);
    QFile::remove(games[1]);

    send();

    const QStringList messages = messageFolders();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(QDir(messages[0] + "/files").entryList(QDir::Files, QDir::Name),
              QStringList({"g01.QCR", QString::fromUtf8("партия 3.QCR")}));
    EXPECT_EQ(readBytes(messages[0] + QString::fromUtf8("/files/партия 3.QCR")), readBytes(named));
    EXPECT_TRUE(SMTP0->logLines().contains("Game File  " + games[1] + " not found"));
    EXPECT_TRUE(SMTP0->queue().isEmpty());
}

TEST_F(MailFormTest, AFailedSendKeepsTheWholeQueueAndSaysWhy)
{
    struct Case {
        const char* mode;
        QStringList logged; // lines the log must hold
        QString message;    // the information box, if any
    };
    const Case cases[] = {
        {"refuse-rcpt",
         {"Sending Message", "Recipient games@example.org not found", "Message delivery failure",
          "The mail server refused the recipient: 550 5.1.1 <games@example.org>: Recipient address rejected"},
         {}},
        {"drop-data", {"Sending Message", "Message delivery failure", "The mail server closed the connection"}, {}},
        {"silent-data",
         {"Sending Message", "Message delivery failure", "No answer from the mail server within 1.5 s"},
         {}},
        {"silent", {}, "Could not connect to mail server. Please, try again later."},
    };
    startProgram();
    SMTP0->NMSMTP1->ReplyTimeoutMs = 1500;
    SMTP0->ConnectWaitCount = 5; // a second rather than six
    const QStringList games = makeGames(12);
    chooseGames(games);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        SMTP0->Memo5->clear();
        const int shown = static_cast<int>(dialogs.script.informationTexts().size());
        startServer(c.mode);
        QElapsedTimer t;
        t.start();
        send();
        EXPECT_LT(t.elapsed(), 10000);

        EXPECT_EQ(SMTP0->queue(), games);
        EXPECT_EQ(SMTP0->ListBox1->count(), 12);
        EXPECT_TRUE(SMTP0->Button2->isEnabled());
        EXPECT_TRUE(SMTP0->Button3->isEnabled());
        const QStringList log = SMTP0->logLines();
        for (const QString& line : c.logged)
            EXPECT_TRUE(log.contains(line)) << line.toStdString() << "\nlog:\n" << log.join('\n').toStdString();
        if (!c.logged.isEmpty()) {
            EXPECT_TRUE(log.contains("12 game file(s) stay in the list for the next send"));
        }
        EXPECT_FALSE(log.contains("Message sent successfully"));
        const QStringList info = dialogs.script.informationTexts().mid(shown);
        EXPECT_EQ(info, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_TRUE(messageFolders().isEmpty());
        server.stop();
    }
}

TEST_F(MailFormTest, CancelBreaksOffASendThatHangs)
{
    startProgram();
    startServer("silent-data");
    const QStringList games = makeGames(4);
    chooseGames(games);
    SMTP0->show();
    QTimer::singleShot(500, SMTP0->Button1, [] { QTest::mouseClick(SMTP0->Button1, Qt::LeftButton); });
    QElapsedTimer t;
    t.start();
    send();

    EXPECT_LT(t.elapsed(), 5000); // the reply wait alone is 20 s
    EXPECT_FALSE(SMTP0->sending());
    EXPECT_FALSE(SMTP0->isVisible());
    EXPECT_EQ(SMTP0->queue(), games);
    const QStringList log = SMTP0->logLines();
    EXPECT_TRUE(log.contains("Sending cancelled")) << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains("4 game file(s) stay in the list for the next send"));
}

TEST_F(MailFormTest, MissingAddressesAndARefusedUserIdAreAskedFor)
{
    startProgram();
    startServer("refuse-id");
    Options->EUserID->setText("User");
    Options->Ee_mail->setText("");
    Options->EQuone_mail->setText("");
    Options->SENumMailGms->setValue(5);
    const QStringList games = makeGames(7);
    chooseGames(games);
    dialogs.script.input("Tester").input("me@example.net").input("games@example.net");

    send();

    ASSERT_TRUE(dialogs.script.scriptDone());
    std::vector<std::pair<QString, QString>> asked;
    for (const auto& s : dialogs.script.shown())
        if (s.kind == "input")
            asked.emplace_back(s.caption, s.text);
    // Each question once for the whole send, not once per message.
    const std::vector<std::pair<QString, QString>> expected = {
        {"Authentication Failed", "Invalid User ID. New User ID: "},
        {"Missing From Address", "Enter From Address: "},
        {"Missing To Address", "Enter To Address: "}};
    EXPECT_EQ(asked, expected);
    const QStringList messages = messageFolders();
    ASSERT_EQ(messages.size(), 2);
    for (const QString& m : messages)
        EXPECT_EQ(readBytes(m + "/envelope.txt"), "me@example.net\ngames@example.net\n");
    EXPECT_TRUE(SMTP0->queue().isEmpty());
}

TEST_F(MailFormTest, TheQueueLastsAcrossARestart)
{
    // A queue file from an earlier run, with the blank lines and repeats a
    // hand edit leaves.
    const QStringList games = makeGames(3);
    {
        QFile f(dir.filePath("uqcr.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((games[0] + "\r\n\r\n" + games[1] + "\r\n" + games[0] + "\r\n   \r\n").toUtf8());
    }
    startProgram();
    EXPECT_EQ(SMTP0->queue(), QStringList({games[0], games[1]}));
    EXPECT_TRUE(SMTP0->Button2->isEnabled());

    // A game saved by the record writer joins the queue.
    queueGameFile(games[2]);
    EXPECT_EQ(SMTP0->ListBox1->count(), 3);
    stopProgram();

    EXPECT_EQ(readBytes(dir.filePath("uqcr.dat")), (games.join("\r\n") + "\r\n").toUtf8());
    EXPECT_FALSE(QFile::exists(dir.filePath("uqcr.dat.tmp")));
    startProgram();
    EXPECT_EQ(SMTP0->queue(), games);
}

TEST_F(MailFormTest, ChoosingDeletingAndLeavingTheList)
{
    startProgram();
    Form1->item("Sendgame1")->trigger();
    EXPECT_TRUE(SMTP0->isVisible());
    EXPECT_FALSE(SMTP0->Button2->isEnabled());

    const QStringList games = makeGames(3);
    chooseGames({games[0], games[1]});
    // The same file again is not added; the same file spelled otherwise is.
    const QString otherSpelling = dir.filePath("games/../games/g01.QCR");
    chooseGames({games[0], otherSpelling, games[2]});
    EXPECT_EQ(SMTP0->queue(), QStringList({games[0], games[1], otherSpelling, games[2]}));
    ASSERT_EQ(dialogs.script.fileDialogs.size(), 2u);
    EXPECT_EQ(dialogs.script.fileDialogs[0].filter, "QCR files|*.QCR|All Files|*.*");
    EXPECT_EQ(dialogs.script.fileDialogs[0].defaultExt, "QCR");

    // Delete takes every selected item.
    SMTP0->ListBox1->setFocus();
    SMTP0->ListBox1->item(1)->setSelected(true);
    SMTP0->ListBox1->item(3)->setSelected(true);
    QTest::keyClick(SMTP0->ListBox1, Qt::Key_Delete);
    EXPECT_EQ(SMTP0->queue(), QStringList({games[0], otherSpelling}));

    // Insert chooses games.
    dialogs.script.files({games[1]});
    QTest::keyClick(SMTP0->ListBox1, Qt::Key_Insert);
    EXPECT_EQ(SMTP0->queue().size(), 3);

    SMTP0->ListBox1->selectAll();
    QTest::keyClick(SMTP0->ListBox1, Qt::Key_Delete);
    EXPECT_TRUE(SMTP0->queue().isEmpty());
    EXPECT_TRUE(SMTP0->Button2->isEnabled());
    // Leaving the empty list disables Send.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(SMTP0->ListBox1, &out);
    EXPECT_FALSE(SMTP0->Button2->isEnabled());
}

} // namespace
