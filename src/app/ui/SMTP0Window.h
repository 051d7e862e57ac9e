// Window TSMTP0 (instance SMTP0): "Send games form". Shows the queue of
// saved game files, lets the user add and remove files, mails the queue
// through the SMTP server of the options, several files per message, and
// logs what happens.
//
// A file leaves the queue only once the server has accepted the message
// that carries it, or when it no longer exists (it is reported then); a
// failed or cancelled send keeps every other file for the next time.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quon {

class SmtpClient;

class TSMTP0 : public QWidget {
    Q_OBJECT

public:
    explicit TSMTP0(QWidget* parent = nullptr);
    ~TSMTP0() override;

    QLabel* Panel1 = nullptr; // "Games list for send"
    QListWidget* ListBox1 = nullptr;
    QPlainTextEdit* Memo5 = nullptr;
    QPushButton* Button2 = nullptr; // "Send"
    QPushButton* Button3 = nullptr; // "Choose games"
    QPushButton* Button1 = nullptr; // "Cancel"
    SmtpClient* NMSMTP1 = nullptr;

    // The wait for the connection: this many pauses of this length.
    int ConnectWaitCount = 30;
    int ConnectWaitPauseMs = 200;

    void FormCreate();  // loads the queue file
    void FormDestroy(); // writes the queue file
    void Button2Click(); // Send
    void Button3Click(); // Choose games
    void Button1Click(); // Cancel

    QStringList queue() const;
    bool sending() const { return sending_; }
    QStringList logLines() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showQueue();
    void takeQueueFromList();
    void log(const QString& line);
    void appendToLastLogLine(const QString& text);
    void pause(int ms);
    void connectEvents();
    void endSending();

    bool sending_ = false;
    bool cancelRequested_ = false;
    // Answers to the missing-address questions, kept for the rest of one send.
    QString typedFrom_;
    QString typedTo_;
    QStringList missingFiles_;
};

extern TSMTP0* SMTP0;

} // namespace quon
