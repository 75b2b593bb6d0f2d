#include "EncounterDocument.h"

#include "EncounterFile.h"

#include <QUndoCommand>

namespace {

class EncounterStep final : public QUndoCommand {
public:
    EncounterStep(const QString& what, Encounter before, Encounter after,
                  std::function<void(const Encounter&)> replace)
        : QUndoCommand(what), before_(std::move(before)), after_(std::move(after)), replace_(std::move(replace))
    {
    }
    void redo() override { replace_(after_); }
    void undo() override { replace_(before_); }

private:
    Encounter before_;
    Encounter after_;
    std::function<void(const Encounter&)> replace_;
};

}  // namespace

EncounterDocument::EncounterDocument(LookUp lookUp, QObject* parent) : QObject(parent), lookUp_(std::move(lookUp))
{
}

void EncounterDocument::edit(const QString& what, const std::function<void(Encounter&)>& change)
{
    Encounter after = entries_;
    change(after);
    if (after == entries_)
        return;  // nothing to undo
    history_.push(new EncounterStep(what, entries_, std::move(after), [this](const Encounter& entries) {
        replace(entries);
    }));
}

void EncounterDocument::replace(const Encounter& entries)
{
    entries_ = entries;
    refresh();
}

void EncounterDocument::refresh()
{
    for (EncounterEntry& entry : entries_)
        refreshEntry(entry, lookUp_(entry.foe, entry.category));
    emit changed();
}

bool EncounterDocument::open(const QString& file, QString& problem)
{
    std::optional<Encounter> opened = readEncounterFile(file, problem);
    if (!opened)
        return false;
    history_.clear();
    file_ = file;
    replace(*opened);
    return true;
}

QString EncounterDocument::saveAs(const QString& file)
{
    const QString problem = writeEncounterFile(entries_, file);
    if (!problem.isEmpty())
        return problem;
    file_ = file;
    history_.setClean();
    return {};
}
