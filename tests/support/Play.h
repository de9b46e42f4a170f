#pragma once

#include "ScriptedUserInterface.h"
#include "location/LocationWindowLogic.h"
#include "stand/StandWindowLogic.h"
#include "tree/TreeWindowLogic.h"

#include <QTest>

// What a user does, steps apart by blanks ("~" is a blank inside a text): "s3" selects line 3,
// "f5=WF" puts WF into field 5 (the location window's fields in LocRecord::Field order), "kB"
// chooses B records, "p" the process button, "d" delete, "c" Clear Display, "u" undo, "r" redo,
// "v" the V button, "n" the next line, "w" Save ("wname" saves to that name), "b" Browse for
// addfiles ("bS" for a Stand List File, "bT" for a tree data file), "Fname" types a file name and
// leaves the box, "o" Browse for the record file, "q" the close box, "+line" processes a line as it
// stands; the tree window's "t5" switch, "l5" lock, "h5" label, "i" next plot, "e" fresh fields;
// the stand window's "t" addfiles switch. With a scripted user: "!C" (O, N, Y) answers the next
// question, "?1" (0) the next "File Exists", ">name" the next file dialog (">" cancels it), "x"
// forgets what was shown so far.
inline void play(RecordFileLogic& logic, const QString& script, ScriptedUserInterface* ui = nullptr)
{
    using Answer = UserInterface::Answer;
    auto* tree = qobject_cast<TreeWindowLogic*>(&logic);
    auto* stand = qobject_cast<StandWindowLogic*>(&logic);
    auto* location = qobject_cast<LocationWindowLogic*>(&logic);
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        const QString arg = QString(step.mid(1)).replace(u'~', u' ');
        const int field = arg.section(u'=', 0, 0).toInt();
        const QString text = arg.section(u'=', 1);
        // clang-format off
        switch (step[0].unicode()) {
        case 's': logic.select(arg.toInt()); break;
        case 'f': logic.setField(field, text); break;
        case 'k': location->chooseType(arg == u'B'); break;
        case 'p': logic.processEntry(); break;
        case 'd': logic.deleteCurrent(); break;
        case 'c': logic.clearDisplay(); break;
        case 'u': logic.undo(); break;
        case 'r': logic.redo(); break;
        case 'v': logic.moveToEnd(); break;
        case 'n': logic.selectNext(); break;
        case 'w': arg.isEmpty() ? logic.save() : void(logic.SaveFile(arg)); break;
        case 'F': logic.setFileNameBox(arg); logic.fileNameBoxLeft(); break;
        case 'o': logic.browse(); break;
        case 'q': logic.requestClose(); break;
        case '+': logic.process(arg); break;
        case 'b': arg == u'S' ? location->browseSlf() : arg == u'T' ? stand->browseTree() : stand ? stand->browseAddfile() : location->browseAddfile(); break;
        case 't': tree ? tree->toggleSwitch(field) : stand->toggleAddfiles(); break;
        case 'l': tree->toggleLock(field); break;
        case 'h': tree->labelClicked(field); break;
        case 'i': tree->incrementPlot(); break;
        case 'e': tree->ResetEntryFields(); break;
        case '!': ui->answers << (arg == u'C' ? Answer::Cancel : arg == u'N' ? Answer::No : arg == u'Y' ? Answer::Yes : Answer::Ok); break;
        case '?': ui->fileExistsAnswers << (arg == u'1'); break;
        case '>': ui->fileDialogAnswers << (arg.isEmpty() ? std::nullopt : std::optional(arg)); break;
        case 'x': *ui = ScriptedUserInterface(); break;
        default: qFatal("no step %s", qPrintable(step));
        }
        // clang-format on
    }
}

// What the window shows after a script, asked for by a key: "lines" (joined by "\n"), "line3",
// "at" (index and mode, and the location window's record type), "fields" ("a|b"), "f5" one
// field, "off" the fields that take no typing, "caption", "unsaved", "state" (records/current
// unsaved overwrite-question), "names" (current file|file-name box), "cancelled" (a close
// refused), and of the user: "titles", "text" (of the last message), "focus", "tabs", "beeps",
// "asked" (the files of "File Exists"), "dialogs" (file dialogs opened).
inline QString shown(const RecordFileLogic& logic, const ScriptedUserInterface& ui,
                     const QString& key)
{
    auto* tree = qobject_cast<const TreeWindowLogic*>(&logic);
    auto* location = qobject_cast<const LocationWindowLogic*>(&logic);
    if (key == u"lines")
        return logic.display().lines().join(u'\n');
    if (key == u"at")
        return QString::number(logic.CurrentIndex()) + u' ' + logic.processTag() +
               (location ? location->isTypeB() ? " B" : " A" : "");
    if (key.startsWith(u"line"))
        return logic.display().line(key.mid(4).toInt());
    if (key == u"fields")
        return logic.fields().texts().join(u'|');
    if (bool number = false; key[0] == u'f' && (key.mid(1).toInt(&number), number))
        return logic.field(key.mid(1).toInt());
    if (key == u"off") {
        QStringList off;
        for (int f = logic.fields().first(); f <= logic.fields().last(); ++f) {
            if (tree ? !tree->isFieldEnabled(f) : !location->isFieldEnabled(LocRecord::Field(f)))
                off << QString::number(f);
        }
        return off.join(u',');
    }
    if (key == u"caption")
        return logic.processCaption();
    if (key == u"unsaved")
        return QString::number(logic.HasUnsavedChanges());
    if (key == u"state")
        return QStringLiteral("%1/%2 %3 %4")
            .arg(logic.RecordCount())
            .arg(logic.CurrentIndex())
            .arg(logic.HasUnsavedChanges())
            .arg(logic.AskOverwrite());
    if (key == u"names")
        return logic.currentFileName() + u'|' + logic.fileNameBox();
    if (key == u"cancelled")
        return QString::number(logic.UnloadCancelled());
    if (key == u"asked")
        return ui.fileExistsAsked.join(u',');
    if (key == u"dialogs")
        return QString::number(ui.fileDialogFilters.size());
    if (key == u"titles")
        return ui.titles().join(u',');
    if (key == u"text")
        return ui.messages.isEmpty() ? QString() : ui.messages.last().text;
    if (key == u"focus")
        return ui.focused.join(u',');
    if (key == u"tabs")
        return ui.tabsFrom.join(u',');
    if (key == u"beeps")
        return QString::number(ui.beeps);
    qFatal("nothing shown as %s", qPrintable(key));
}

// Compares each "key=value" with what the window shows.
inline void expectShown(const RecordFileLogic& logic, const ScriptedUserInterface& ui,
                        const QStringList& expected)
{
    for (const QString& item : expected) {
        const QString key = item.section(u'=', 0, 0);
        QCOMPARE(key + u'=' + shown(logic, ui, key), item);
    }
}
