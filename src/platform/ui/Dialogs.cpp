#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace quon {

namespace {
Dialogs* installed = nullptr;

QWidget* dialogParent() { return QApplication::activeWindow(); }

QString titleOr(const QString& caption)
{
    return caption.isEmpty() ? QApplication::applicationName() : caption;
}
} // namespace

Dialogs& Dialogs::current()
{
    static QtDialogs real;
    return installed ? *installed : real;
}

void Dialogs::install(Dialogs* dialogs) { installed = dialogs; }

QStringList Dialogs::openFiles(const FileDialogSpec& spec)
{
    const QString one = openFile(spec);
    return one.isEmpty() ? QStringList() : QStringList{one};
}

bool Dialogs::print(QPrinter&) { return false; }
bool Dialogs::printerSetup(QPrinter&) { return false; }
bool Dialogs::chooseFont(QFont&) { return false; }

QString qtFilterFromPattern(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            const QString pat = p.trimmed();
            if (pat == "*.*") {
                patterns << "*";
                continue;
            }
            patterns << pat;
            if (pat.toLower() != pat)
                patterns << pat.toLower();
            else if (pat.toUpper() != pat)
                patterns << pat.toUpper();
        }
        out << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(' '));
    }
    return out.join(";;");
}

QString withDefaultExtension(const QString& fileName, const QString& defaultExt)
{
    if (fileName.isEmpty() || defaultExt.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + "." + defaultExt;
}

void QtDialogs::information(const QString& text, const QString& caption)
{
    QMessageBox::information(dialogParent(), titleOr(caption), text, QMessageBox::Ok);
}

bool QtDialogs::question(const QString& text, const QString& caption)
{
    return QMessageBox::question(dialogParent(), titleOr(caption), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtDialogs::inputQuery(const QString& caption, const QString& prompt, QString& value)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = text;
    return ok;
}

int QtDialogs::chooseItem(const QString& caption, const QString& prompt, const QStringList& items, int current)
{
    bool ok = false;
    const QString text = QInputDialog::getItem(dialogParent(), caption, prompt, items, current, false, &ok);
    return ok ? static_cast<int>(items.indexOf(text)) : -1;
}

QString QtDialogs::startFolder(const QString& key) const
{
    for (const auto& [k, folder] : folders_)
        if (k == key)
            return folder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QDir(pictures).exists() ? pictures : QDir::homePath();
}

void QtDialogs::remember(const QString& key, const QString& file)
{
    const QString folder = QFileInfo(file).absolutePath();
    for (auto& [k, f] : folders_)
        if (k == key) {
            f = folder;
            return;
        }
    folders_.emplace_back(key, folder);
}

QString QtDialogs::openFile(const FileDialogSpec& spec)
{
    const QString file = QFileDialog::getOpenFileName(dialogParent(), spec.title, startFolder(spec.key),
                                                      qtFilterFromPattern(spec.filter));
    if (!file.isEmpty())
        remember(spec.key, file);
    return file;
}

QStringList QtDialogs::openFiles(const FileDialogSpec& spec)
{
    const QStringList files = QFileDialog::getOpenFileNames(dialogParent(), spec.title, startFolder(spec.key),
                                                            qtFilterFromPattern(spec.filter));
    if (!files.isEmpty())
        remember(spec.key, files.first());
    return files;
}

QString QtDialogs::saveFile(const FileDialogSpec& spec)
{
    QString start = startFolder(spec.key);
    if (!spec.fileName.isEmpty())
        start = QFileInfo(spec.fileName).isAbsolute() ? spec.fileName : QDir(start).filePath(spec.fileName);
    QString file = QFileDialog::getSaveFileName(dialogParent(), spec.title, start, qtFilterFromPattern(spec.filter));
    file = withDefaultExtension(file, spec.defaultExt);
    if (!file.isEmpty())
        remember(spec.key, file);
    return file;
}

QString QtDialogs::chooseDirectory(const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(dialogParent(), title, startFolder);
}

bool QtDialogs::print(QPrinter& printer)
{
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::printerSetup(QPrinter& printer)
{
    // The nearest the toolkit has to a printer set-up: paper, orientation
    // and margins of the chosen printer.
    QPageSetupDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::chooseFont(QFont& font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, dialogParent(), QString(), QFontDialog::ScalableFonts);
    if (ok)
        font = chosen;
    return ok;
}

ScriptedDialogs& ScriptedDialogs::yes()
{
    answers_.push_back({Answer::Yes, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::no()
{
    answers_.push_back({Answer::No, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::file(const QString& path)
{
    answers_.push_back({Answer::File, path});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::files(const QStringList& paths)
{
    answers_.push_back({Answer::File, paths.join('\n')});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::cancel()
{
    answers_.push_back({Answer::Cancel, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::input(const QString& text)
{
    answers_.push_back({Answer::Input, text});
    return *this;
}

bool ScriptedDialogs::take(Answer::Kind expected, Answer& out)
{
    if (answers_.empty()) {
        ++unexpected_;
        return false;
    }
    out = answers_.front();
    const bool fits = out.kind == expected || out.kind == Answer::Cancel ||
                      (expected == Answer::Yes && out.kind == Answer::No);
    if (!fits) {
        ++unexpected_;
        return false;
    }
    answers_.pop_front();
    return true;
}

void ScriptedDialogs::information(const QString& text, const QString& caption)
{
    shown_.push_back({"information", text, caption});
}

bool ScriptedDialogs::question(const QString& text, const QString& caption)
{
    shown_.push_back({"question", text, caption});
    Answer a;
    return take(Answer::Yes, a) && a.kind == Answer::Yes;
}

bool ScriptedDialogs::inputQuery(const QString& caption, const QString& prompt, QString& value)
{
    shown_.push_back({"input", prompt, caption});
    Answer a;
    if (!take(Answer::Input, a) || a.kind != Answer::Input)
        return false;
    value = a.text;
    return true;
}

int ScriptedDialogs::chooseItem(const QString& caption, const QString& prompt, const QStringList& items, int)
{
    shown_.push_back({"choose", prompt, caption});
    Answer a;
    if (!take(Answer::Input, a) || a.kind != Answer::Input)
        return -1;
    return static_cast<int>(items.indexOf(a.text));
}

QString ScriptedDialogs::openFile(const FileDialogSpec& spec)
{
    shown_.push_back({"open", spec.filter, spec.title});
    fileDialogs.push_back(spec);
    Answer a;
    return take(Answer::File, a) && a.kind == Answer::File ? a.text : QString();
}

QStringList ScriptedDialogs::openFiles(const FileDialogSpec& spec)
{
    shown_.push_back({"open", spec.filter, spec.title});
    fileDialogs.push_back(spec);
    Answer a;
    if (!take(Answer::File, a) || a.kind != Answer::File)
        return {};
    return a.text.split('\n', Qt::SkipEmptyParts);
}

QString ScriptedDialogs::saveFile(const FileDialogSpec& spec)
{
    shown_.push_back({"save", spec.filter, spec.title});
    fileDialogs.push_back(spec);
    Answer a;
    return take(Answer::File, a) && a.kind == Answer::File ? withDefaultExtension(a.text, spec.defaultExt)
                                                           : QString();
}

QString ScriptedDialogs::chooseDirectory(const QString& title, const QString& startFolder)
{
    shown_.push_back({"folder", startFolder, title});
    Answer a;
    return take(Answer::File, a) && a.kind == Answer::File ? a.text : QString();
}

bool ScriptedDialogs::print(QPrinter&)
{
    shown_.push_back({"print", {}, {}});
    Answer a;
    return take(Answer::Yes, a) && a.kind == Answer::Yes;
}

bool ScriptedDialogs::printerSetup(QPrinter&)
{
    shown_.push_back({"printer setup", {}, {}});
    Answer a;
    return take(Answer::Yes, a) && a.kind == Answer::Yes;
}

ScriptedDialogs& ScriptedDialogs::font(const QFont& chosen)
{
    answers_.push_back({Answer::Font, chosen.toString()});
    return *this;
}

bool ScriptedDialogs::chooseFont(QFont& font)
{
    shown_.push_back({"font", font.toString(), {}});
    Answer a;
    if (!take(Answer::Font, a) || a.kind != Answer::Font)
        return false;
    font.fromString(a.text);
    return true;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const Shown& s : shown_)
        if (s.kind == "information" || s.kind == "question")
            out << s.text;
    return out;
}

QStringList ScriptedDialogs::informationTexts() const
{
    QStringList out;
    for (const Shown& s : shown_)
        if (s.kind == "information")
            out << s.text;
    return out;
}

} // namespace quon
