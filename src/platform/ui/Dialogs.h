// Message boxes, questions, input queries and file dialogs.
//
// Every window asks the user through Dialogs::current(), never through Qt's
// static dialogs directly, so that a test can install ScriptedDialogs, answer
// in order and read back every text that was shown.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

class QFont;
class QPrinter;
class QWidget;

namespace quon {

struct FileDialogSpec {
    QString key;        // which dialog of the program this is: it remembers its folder
    QString filter;     // "Bitmap|*.BMP|All Files|*.*"
    QString defaultExt; // "BMP", added to a typed name without extension
    QString fileName;   // proposed name (save dialogs)
    QString title;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An information box with one OK button.
    virtual void information(const QString& text, const QString& caption = QString()) = 0;
    // A question with Yes and No; true only for Yes.
    virtual bool question(const QString& text, const QString& caption = QString()) = 0;
    // A one-line input; false when cancelled, value unchanged then.
    virtual bool inputQuery(const QString& caption, const QString& prompt, QString& value) = 0;
    // The chosen file, or an empty string when cancelled.
    virtual QString openFile(const FileDialogSpec& spec) = 0;
    // Several files chosen at once; empty when cancelled.
    virtual QStringList openFiles(const FileDialogSpec& spec);
    virtual QString saveFile(const FileDialogSpec& spec) = 0;
    // The chosen folder, or an empty string when cancelled.
    virtual QString chooseDirectory(const QString& title, const QString& startFolder) = 0;
    // The print dialog on `printer`; false when cancelled.
    virtual bool print(QPrinter& printer);
    // The printer set-up dialog on `printer`; false when cancelled.
    virtual bool printerSetup(QPrinter& printer);
    // The font dialog (scalable fonts, effects shown) starting at `font`;
    // false when cancelled, `font` unchanged then.
    virtual bool chooseFont(QFont& font);
    // One entry chosen from a list; its index, or -1 when cancelled.
    virtual int chooseItem(const QString& caption, const QString& prompt, const QStringList& items, int current) = 0;

    static Dialogs& current();
    // Installs a replacement (tests); nullptr restores the real dialogs.
    static void install(Dialogs* dialogs);
};

// "Bitmap|*.BMP|All Files|*.*" -> "Bitmap (*.BMP *.bmp);;All Files (*)".
// File names on Linux match case-sensitively, so both cases are offered.
QString qtFilterFromPattern(const QString& filter);
// The file name with the default extension added when it has none.
QString withDefaultExtension(const QString& fileName, const QString& defaultExt);

// The dialogs of the real program, on Qt's widgets.
class QtDialogs : public Dialogs {
public:
    void information(const QString& text, const QString& caption) override;
    bool question(const QString& text, const QString& caption) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value) override;
    QString openFile(const FileDialogSpec& spec) override;
    QStringList openFiles(const FileDialogSpec& spec) override;
    QString saveFile(const FileDialogSpec& spec) override;
    QString chooseDirectory(const QString& title, const QString& startFolder) override;
    bool print(QPrinter& printer) override;
    bool printerSetup(QPrinter& printer) override;
    bool chooseFont(QFont& font) override;
    int chooseItem(const QString& caption, const QString& prompt, const QStringList& items, int current) override;

private:
    QString startFolder(const QString& key) const;
    void remember(const QString& key, const QString& file);
    std::vector<std::pair<QString, QString>> folders_;
};

// A test double: answers questions, inputs and file dialogs from a script in
// order, and records everything shown. A dialog with no scripted answer is
// recorded as unexpected and answered No / cancel.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind; // "information", "question", "input", "open", "save", "folder", "print", "printer setup", "font", "choose"
        QString text; // the message, the prompt, or the dialog's filter
        QString caption;
    };

    ScriptedDialogs& yes();
    ScriptedDialogs& no();
    ScriptedDialogs& file(const QString& path); // answer an open, save or folder dialog
    ScriptedDialogs& files(const QStringList& paths); // answer a dialog that opens several files
    ScriptedDialogs& cancel();                  // cancel a file dialog or an input
    ScriptedDialogs& input(const QString& text);

    void information(const QString& text, const QString& caption) override;
    bool question(const QString& text, const QString& caption) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value) override;
    QString openFile(const FileDialogSpec& spec) override;
    QStringList openFiles(const FileDialogSpec& spec) override;
    QString saveFile(const FileDialogSpec& spec) override;
    QString chooseDirectory(const QString& title, const QString& startFolder) override;
    // Print and printer set-up are answered by yes() (OK) or no() / cancel().
    bool print(QPrinter& printer) override;
    bool printerSetup(QPrinter& printer) override;
    // The font dialog is answered by font() (that font chosen) or cancel().
    ScriptedDialogs& font(const QFont& chosen);
    bool chooseFont(QFont& font) override;
    // Answered by input(text) with the text of the entry, or cancel().
    int chooseItem(const QString& caption, const QString& prompt, const QStringList& items, int current) override;

    const std::vector<Shown>& shown() const { return shown_; }
    QStringList texts() const; // every text shown, in order
    QStringList informationTexts() const;
    int unexpected() const { return unexpected_; }
    bool scriptDone() const { return answers_.empty(); }
    std::vector<FileDialogSpec> fileDialogs; // every file dialog asked, in order

private:
    struct Answer {
        enum Kind { Yes, No, File, Cancel, Input, Font } kind;
        QString text;
    };
    bool take(Answer::Kind expected, Answer& out);
    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
    int unexpected_ = 0;
};

// Installs a ScriptedDialogs for the lifetime of the guard.
class ScopedDialogs {
public:
    ScopedDialogs() { Dialogs::install(&script); }
    ~ScopedDialogs() { Dialogs::install(nullptr); }
    ScriptedDialogs script;
};

} // namespace quon
