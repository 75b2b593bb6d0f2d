#pragma once

// The encounter the game master is running, with its history and its file.
// Every change the game master makes is one step of the history, so that
// any of them can be undone (Ctrl+Z) and redone (Ctrl+Shift+Z) and none
// needs asking "are you sure". Each step keeps the encounter as it was
// before and after, which is small beside what a step may touch (a re-scaled
// entry, a whole group of creatures hit at once):
//
//   edit(what, change) --> history step --> replaced --> changed()
//   refresh() (another bestiary, or the file changed) --> changed(), no step
//
// A step sets the entries it replaces back to the bestiary's answer, since
// the bestiary may have changed since the step was made.

#include "Encounter.h"
#include "Recompute.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>

class EncounterDocument : public QObject {
    Q_OBJECT

public:
    using LookUp = std::function<FoeLookupResult(const std::string& foe, ThreatCategory category)>;
    explicit EncounterDocument(LookUp lookUp, QObject* parent = nullptr);

    const Encounter& entries() const { return entries_; }
    // The bestiary's answer for a foe at a category.
    FoeLookupResult lookUp(const std::string& foe, ThreatCategory category) const { return lookUp_(foe, category); }
    QUndoStack& history() { return history_; }

    // One change by the game master, named for the Edit menu ("Remove Bandit").
    void edit(const QString& what, const std::function<void(Encounter&)>& change);
    // Asks the bestiary again for every entry; not a step of the history.
    void refresh();

    // The file the encounter was last opened from or saved to; "" for none.
    const QString& file() const { return file_; }
    bool isModified() const { return !history_.isClean(); }
    // Replaces the encounter by the file's, with a new history; the encounter
    // stays as it was, and `problem` says why, when the file is refused.
    bool open(const QString& file, QString& problem);
    // Returns why the file could not be written, or "" when it was.
    QString saveAs(const QString& file);

signals:
    void changed();

private:
    void replace(const Encounter& entries);

    LookUp lookUp_;
    Encounter entries_;
    QUndoStack history_;
    QString file_;
};
